// The block transform against a double-precision evaluation of the same
// formula, and every instruction-set level against the plain loops.
#include "BlockTransform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace kyvo::imaging {
namespace {

std::vector<float> randomBlocks(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<float> samples(count * kBlockSize);
    for (std::size_t b = 0; b < count; ++b) {
        // Mix smooth, flat and noisy blocks; extremes included.
        const int kind = static_cast<int>(b % 3);
        for (int k = 0; k < kBlockSize; ++k) {
            const int noise = static_cast<int>(random() % 256) - 128;
            const int smooth = (k % 8) * 30 + (k / 8) * 5 - 128;
            samples[b * kBlockSize + k] = static_cast<float>(kind == 0 ? noise : kind == 1 ? -128 : smooth);
        }
    }
    return samples;
}

// F(v, u) of the formula in double precision, in natural order.
std::array<double, kBlockSize> referenceDct(const float* f) {
    std::array<double, kBlockSize> out{};
    for (int v = 0; v < 8; ++v) {
        for (int u = 0; u < 8; ++u) {
            double sum = 0;
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x)
                    sum += f[y * 8 + x] * std::cos((2 * x + 1) * u * std::numbers::pi / 16) *
                           std::cos((2 * y + 1) * v * std::numbers::pi / 16);
            }
            const double cu = u == 0 ? 0.70710677 : 1.0, cv = v == 0 ? 0.70710677 : 1.0;
            out[v * 8 + u] = cu * cv / 4 * sum;
        }
    }
    return out;
}

TEST(BlockTransformTest, MatchesTheFormulaWithTruncationAndZigzagOrder) {
    const std::size_t count = 30;
    const std::vector<float> samples = randomBlocks(count, 11);
    std::vector<CoefficientBlock> out(count);
    BlockTransform(SimdLevel::Portable).apply(samples.data(), count, kLuminanceQuant, out.data());
    int compared = 0;
    for (std::size_t b = 0; b < count; ++b) {
        const auto exact = referenceDct(samples.data() + b * kBlockSize);
        for (int zigzag = 0; zigzag < kBlockSize; ++zigzag) {
            const double value = exact[kZigzagToNatural[zigzag]];
            // Single precision may land on either side of a whole number other
            // than 0 (both sides of 0 truncate to 0).
            if (std::round(value) != 0 && std::abs(value - std::round(value)) < 1e-3)
                continue;
            const int truncated = static_cast<int>(value);
            ASSERT_EQ(out[b][zigzag], truncated / kLuminanceQuant[zigzag]) << "block " << b << " position " << zigzag;
            ++compared;
        }
    }
    EXPECT_GT(compared, 1800);
    // A flat block has a DC term only. With c(0) = 0.70710677, a little below
    // the square root of 1/2, the DC of -128 everywhere is just above -1024 and
    // truncates to -1023; -1023 / 16 = -63.
    EXPECT_EQ(out[1][0], -63);
    EXPECT_EQ(std::count(out[1].begin() + 1, out[1].end(), 0), kBlockSize - 1);
}

TEST(BlockTransformTest, EveryLevelGivesTheSameCoefficients) {
    // Counts that leave one to three blocks over for the four-block loop.
    for (std::size_t count : {1U, 2U, 3U, 4U, 5U, 7U, 64U, 243U}) {
        const std::vector<float> samples = randomBlocks(count, static_cast<unsigned>(count));
        std::vector<CoefficientBlock> expected(count);
        BlockTransform(SimdLevel::Portable).apply(samples.data(), count, kChrominanceQuant, expected.data());
        for (SimdLevel level : supportedSimdLevels()) {
            std::vector<CoefficientBlock> out(count);
            BlockTransform(level).apply(samples.data(), count, kChrominanceQuant, out.data());
            EXPECT_EQ(out, expected) << simdLevelName(level) << ", " << count << " blocks";
        }
    }
}

} // namespace
} // namespace kyvo::imaging
