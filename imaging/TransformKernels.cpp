#include "TransformKernels.h"

namespace kyvo::imaging {

namespace {
constexpr double kReciprocalMargin = 1.0 + 1.0 / (1 << 20);
} // namespace

float quantReciprocal(int divisor) { return static_cast<float>(kReciprocalMargin / divisor); }

void transformPortable(const float* samples, std::size_t blocks, const TransformConstants& constants,
                       const float* reciprocals, std::int16_t* out) {
    for (std::size_t b = 0; b < blocks; ++b, samples += kBlockSize, out += kBlockSize) {
        float sums[kBlockSize] = {};
        for (int k = 0; k < kBlockSize; ++k) {
            const float sample = samples[k];
            for (int j = 0; j < kBlockSize; ++j)
                sums[j] += sample * constants.basis[k][j];
        }
        for (int j = 0; j < kBlockSize; ++j) {
            // Converting to int truncates toward zero, as the vector loops do.
            const auto coefficient = static_cast<float>(static_cast<int>(constants.scale[j] * sums[j]));
            out[j] = static_cast<std::int16_t>(static_cast<int>(coefficient * reciprocals[j]));
        }
    }
}

} // namespace kyvo::imaging
