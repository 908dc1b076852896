// Every fuzz target run over its seeds and a fixed series of mutations of
// them (bit flips, words set to edge values or box and tag names, cut,
// repeated and inserted ranges, separators), so that every build, with or
// without a fuzzing compiler, feeds the parsers malformed input. A target
// that breaks an invariant ends the test process with its message.
#include "XorShiftRandom.h"
#include "EventMarks.h"
#include "FuzzSeeds.h"
#include "FuzzTempFile.h"
#include "TelemetryBox.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>

namespace kyvo::fuzz {

// Names the target in test output.
void PrintTo(const FuzzTarget& target, std::ostream* out) {
    *out << target.folder;
}

namespace {

constexpr int kMutationsPerSeed = 150;
constexpr std::size_t kMinimumSeeds = 6;
constexpr std::uint32_t kEdgeWords[] = {0, 1, 7, 8, 16, 264, 0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFF8u};
constexpr std::string_view kTokens[] = {"EVTI", "udat", "ftyp", "mdat", "TIME", "RTCD", "GPSI", "SENS", "$GPRMC",
                                        ",",    "?",    "*",    "-",    ".",    "S",    "W",    "V",    "99999999999",
                                        "e308", "/",    ":"};

using Random = ::kyvo::test::XorShiftRandom;

long at(std::size_t index) {
    return static_cast<long>(index);
}

void mutate(Bytes& input, Random& random) {
    if (input.empty()) {
        input.push_back(static_cast<std::uint8_t>(random.next()));
        return;
    }
    switch (random.below(7)) {
    case 0:
        input[random.below(input.size())] ^= static_cast<std::uint8_t>(1u << random.below(8));
        break;
    case 1: {
        // Box sizes and tags sit on 4-byte boundaries, big-endian.
        const std::size_t word = random.below(input.size() / 4 + 1) * 4;
        const std::uint32_t value = kEdgeWords[random.below(std::size(kEdgeWords))];
        for (std::size_t i = 0; i < 4 && word + i < input.size(); ++i)
            input[word + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
        break;
    }
    case 2:
        input.resize(random.below(input.size()));
        break;
    case 3: {
        const std::size_t from = random.below(input.size());
        const std::size_t length = std::min<std::size_t>(random.below(64) + 1, input.size() - from);
        const Bytes range(input.begin() + at(from), input.begin() + at(from + length));
        input.insert(input.begin() + at(random.below(input.size())), range.begin(), range.end());
        break;
    }
    case 4: {
        const std::string_view token = kTokens[random.below(std::size(kTokens))];
        const std::size_t where = random.below(input.size() + 1);
        if (random.below(2) == 0)
            input.insert(input.begin() + at(where), token.begin(), token.end());
        else
            for (std::size_t i = 0; i < token.size() && where + i < input.size(); ++i)
                input[where + i] = static_cast<std::uint8_t>(token[i]);
        break;
    }
    case 5: {
        const std::size_t from = random.below(input.size());
        input.erase(input.begin() + at(from),
                    input.begin() + at(from + std::min<std::size_t>(random.below(16) + 1, input.size() - from)));
        break;
    }
    default:
        input[random.below(input.size())] = static_cast<std::uint8_t>(random.next());
        break;
    }
}

class FuzzReplay : public ::testing::TestWithParam<FuzzTarget> {};

std::vector<Bytes> seedsOf(std::string_view folder) {
    return readFuzzSeeds(std::filesystem::path(KYVO_FUZZ_SEED_DIR) / folder);
}

TEST_P(FuzzReplay, SeedsAndMutationsKeepEveryInvariant) {
    const FuzzTarget target = GetParam();
    const std::vector<Bytes> seeds = seedsOf(target.folder);
    ASSERT_GE(seeds.size(), kMinimumSeeds) << "seeds missing in " << KYVO_FUZZ_SEED_DIR;
    for (std::size_t s = 0; s < seeds.size(); ++s) {
        ASSERT_EQ(target.run(seeds[s].data(), seeds[s].size()), 0);
        for (int m = 0; m < kMutationsPerSeed; ++m) {
            Random random(s * 1000 + static_cast<std::uint64_t>(m));
            Bytes input = seeds[s];
            const int changes = 1 + static_cast<int>(random.below(4));
            for (int c = 0; c < changes; ++c)
                mutate(input, random);
            ASSERT_EQ(target.run(input.data(), input.size()), 0);
        }
    }
}

// The seeds reach past the first checks: most recordings hold a telemetry
// box, the event recordings their events.
TEST(FuzzSeeds, RecordingsHoldTheirBoxes) {
    int copied = 0;
    const std::vector<Bytes> recordings = seedsOf(kTelemetryBoxSeeds);
    for (const Bytes& seed : recordings) {
        ASSERT_GE(seed.size(), 4u);
        std::uint32_t key = 0;
        for (std::size_t i = 0; i < 4; ++i)
            key = key << 8 | seed[i];
        const std::string& path = writeScratchFile("seed.mov", seed.data() + 4, seed.size() - 4);
        std::vector<std::uint8_t> copy;
        if (player::readTelemetryBox(path, key ? player::ViewMode::Encrypted : player::ViewMode::General, key,
                                     copy) == player::kTelemetryCopied)
            ++copied;
    }
    // All but the hand-made files without a box the walk can reach.
    EXPECT_GE(copied, static_cast<int>(recordings.size()) - 3);
    int withEvents = 0;
    for (const Bytes& seed : seedsOf(kEventMarksSeeds))
        withEvents += app::readEventMarks(seed).empty() ? 0 : 1;
    EXPECT_GE(withEvents, 6);
}

// Test names from the folder names without their "-".
std::string testName(const ::testing::TestParamInfo<FuzzTarget>& target) {
    std::string name;
    for (const char* c = target.param.folder; *c; ++c)
        if (*c != '-')
            name += *c;
    return name;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(kFuzzTargets), testName);

} // namespace
} // namespace kyvo::fuzz
