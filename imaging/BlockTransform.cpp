#include "BlockTransform.h"

#include <cmath>
#include <numbers>

namespace kyvo::imaging {

namespace {

constexpr float kInverseSqrt2 = 0.70710677F;
constexpr float kQuarter = 0.25F;
constexpr int kCosinePeriod = 4 * kBlockSide; // cos(k pi / 16) repeats every 32 steps of k

// cos(k pi / 16) for k = 0..31.
std::array<float, kCosinePeriod> cosineTable() {
    std::array<float, kCosinePeriod> table{};
    for (int k = 0; k < kCosinePeriod; ++k)
        table[k] = static_cast<float>(std::cos(k * std::numbers::pi / (2 * kBlockSide)));
    return table;
}

float normaliser(int frequency) { return frequency == 0 ? kInverseSqrt2 : 1.0F; }

TransformKernel kernelFor(SimdLevel level) {
#ifdef KYVO_IMAGING_X86_KERNELS
    switch (level) {
    case SimdLevel::Avx2:
        return transformAvx2;
    case SimdLevel::Sse2:
        return transformSse2;
    case SimdLevel::Portable:
        break;
    }
#else
    (void)level;
#endif
    return transformPortable;
}

} // namespace

BlockTransform::BlockTransform(SimdLevel level)
    : constants_(std::make_unique<TransformConstants>()), kernel_(kernelFor(level)) {
    const auto cosine = cosineTable();
    for (int position = 0; position < kBlockSide; ++position) {
        for (int frequency = 0; frequency < kBlockSide; ++frequency)
            constants_->cosine[position][frequency] = cosine[((2 * position + 1) * frequency) % kCosinePeriod];
    }
    for (int v = 0; v < kBlockSide; ++v) {
        for (int u = 0; u < kBlockSide; ++u)
            constants_->scale[v * kBlockSide + u] = normaliser(u) * normaliser(v) * kQuarter;
    }
}

void BlockTransform::apply(const float* samples, std::size_t count, const QuantTable& table,
                           CoefficientBlock* out) const {
    // The table is kept in zigzag order; the kernels quantise in natural order.
    alignas(64) float reciprocals[kBlockSize];
    for (int j = 0; j < kBlockSize; ++j)
        reciprocals[kZigzagToNatural[j]] = quantReciprocal(table[j]);
    static_assert(sizeof(CoefficientBlock) == kBlockSize * sizeof(std::int16_t));
    kernel_(samples, count, *constants_, reciprocals, out->data());
}

} // namespace kyvo::imaging
