// The fuzz target run over the seeds and a fixed series of structured
// mutations of them (bit flips, words set to edge values, cut and repeated
// ranges), so that every build, with or without a fuzzing compiler, feeds
// the store and the loader malformed map folders.
#include "XorShiftRandom.h"
#include "MapFuzzSeeds.h"
#include "Diagnostics.h"
#include "MapProcess.h"

#include <gtest/gtest.h>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace cartoframe::fuzz {
namespace {

constexpr int kMutationsPerSeed = 250;
constexpr std::uint32_t kEdgeWords[] = {0, 1, 0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0xC000, 0xC001, 0x100000, 60, 52};

using Random = ::kyvo::test::XorShiftRandom;

void mutate(Bytes& file, Random& random) {
    if (file.empty()) {
        file.push_back(static_cast<std::uint8_t>(random.next()));
        return;
    }
    switch (random.below(5)) {
    case 0:
        file[random.below(file.size())] ^= static_cast<std::uint8_t>(1u << random.below(8));
        break;
    case 1: {
        // A header word or table entry: most fields sit on 4-byte boundaries.
        const std::size_t at = random.below(file.size() / 4) * 4;
        const std::uint32_t word = kEdgeWords[random.below(std::size(kEdgeWords))];
        for (std::size_t i = 0; i < 4 && at + i < file.size(); ++i)
            file[at + i] = static_cast<std::uint8_t>(word >> (8 * i));
        break;
    }
    case 2:
        file.resize(random.below(file.size()));
        break;
    case 3: {
        const std::size_t from = random.below(file.size());
        const std::size_t length = std::min<std::size_t>(random.below(64) + 1, file.size() - from);
        file.insert(file.begin() + static_cast<long>(random.below(file.size())), file.begin() + static_cast<long>(from),
                    file.begin() + static_cast<long>(from + length));
        break;
    }
    default:
        file[random.below(file.size())] = static_cast<std::uint8_t>(random.next());
        break;
    }
}

TEST(FuzzReplayTest, MalformedMapFoldersNeverCrashOrOverflow) {
    const std::vector<Bytes> seeds = makeFuzzSeeds();
    int loaded = 0;
    int refused = 0;
    for (std::size_t s = 0; s < seeds.size(); ++s) {
        ASSERT_EQ(LLVMFuzzerTestOneInput(seeds[s].data(), seeds[s].size()), 0);
        for (int m = 0; m < kMutationsPerSeed; ++m) {
            Random random(s * 1000 + static_cast<std::uint64_t>(m));
            std::vector<Bytes> files = splitFuzzInput(seeds[s].data(), seeds[s].size());
            const int changes = 1 + static_cast<int>(random.below(3));
            for (int c = 0; c < changes; ++c)
                mutate(files[1 + random.below(files.size() - 1)], random);
            const Bytes input = joinFuzzInput(files);
            ASSERT_EQ(LLVMFuzzerTestOneInput(input.data(), input.size()), 0);
            (lastLoadResult == 0 ? loaded : refused) += 1;
        }
    }
    // The mutations reach past the first checks: some folders still load,
    // others stop the map or fail to load.
    EXPECT_GT(loaded, kMutationsPerSeed / 10);
    EXPECT_GT(refused, kMutationsPerSeed / 10);
}

} // namespace
} // namespace cartoframe::fuzz
