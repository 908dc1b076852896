#include "TransformKernels.h"

namespace kyvo::imaging {

namespace {
constexpr double kReciprocalMargin = 1.0 + 1.0 / (1 << 20);
} // namespace

float quantReciprocal(int divisor) { return static_cast<float>(kReciprocalMargin / divisor); }

void transformPortable(const float* samples, std::size_t blocks, const TransformConstants& constants,
                       const float* reciprocals, std::int16_t* out) {
    for (std::size_t b = 0; b < blocks; ++b, samples += kBlockSize, out += kBlockSize) {
        float rows[kBlockSide][kBlockSide];
        for (int y = 0; y < kBlockSide; ++y) {
            for (int u = 0; u < kBlockSide; ++u) {
                float sum = 0;
                for (int x = 0; x < kBlockSide; ++x)
                    sum += samples[y * kBlockSide + x] * constants.cosine[x][u];
                rows[y][u] = sum;
            }
        }
        std::int16_t natural[kBlockSize];
        for (int v = 0; v < kBlockSide; ++v) {
            for (int u = 0; u < kBlockSide; ++u) {
                float sum = 0;
                for (int y = 0; y < kBlockSide; ++y)
                    sum += rows[y][u] * constants.cosine[y][v];
                // Converting to int truncates toward zero, as the vector loops do.
                const int at = v * kBlockSide + u;
                const auto coefficient = static_cast<float>(static_cast<int>(constants.scale[at] * sum));
                natural[at] = static_cast<std::int16_t>(static_cast<int>(coefficient * reciprocals[at]));
            }
        }
        toZigzag(natural, out);
    }
}

} // namespace kyvo::imaging
