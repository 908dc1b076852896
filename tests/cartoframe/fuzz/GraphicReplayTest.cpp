// The graphic fuzz target run over its seeds and a fixed series of mutations
// of them (bit flips, words set to edge values, cuts), so that every build,
// with or without a fuzzing compiler, feeds the canvas, the font reader and
// the colour table reader hostile input. The target aborts on a write
// outside the canvas; the sanitizer build catches every other overflow.
#include "GraphicFuzzSeeds.h"
#include "XorShiftRandom.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace cartoframe::fuzz {
namespace {

constexpr int kMutationsPerSeed = 300;
constexpr std::uint32_t kEdgeWords[] = {0, 1, 2, 3, 0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 1u << 20, 0xFFF00000u,
                                        1999, 2000, 32767, 65535};

void mutate(GraphicBytes& input, ::kyvo::test::XorShiftRandom& random) {
    if (input.size() < 2)
        return;
    const std::size_t at = 1 + random.below(input.size() - 1); // the mode byte stays
    switch (random.below(4)) {
    case 0: input[at] ^= static_cast<std::uint8_t>(1u << random.below(8)); break;
    case 1: {
        const std::uint32_t word = kEdgeWords[random.below(std::size(kEdgeWords))];
        for (std::size_t i = 0; i < 4 && at + i < input.size(); ++i)
            input[at + i] = static_cast<std::uint8_t>(word >> (8 * i));
        break;
    }
    case 2: input.resize(at); break;
    default: input[at] = static_cast<std::uint8_t>(random.next()); break;
    }
}

TEST(GraphicReplayTest, HostileDrawingCallsFontsAndColourTextsStayInsideTheirBuffers) {
    const std::vector<GraphicBytes> seeds = makeGraphicSeeds();
    for (std::size_t s = 0; s < seeds.size(); ++s) {
        SCOPED_TRACE(s);
        ASSERT_EQ(LLVMFuzzerTestOneInput(seeds[s].data(), seeds[s].size()), 0);
        for (int m = 0; m < kMutationsPerSeed; ++m) {
            ::kyvo::test::XorShiftRandom random(s * 1000 + static_cast<std::uint64_t>(m));
            GraphicBytes input = seeds[s];
            const int changes = 1 + static_cast<int>(random.below(4));
            for (int c = 0; c < changes; ++c)
                mutate(input, random);
            ASSERT_EQ(LLVMFuzzerTestOneInput(input.data(), input.size()), 0);
        }
    }
}

} // namespace
} // namespace cartoframe::fuzz
