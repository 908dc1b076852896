#pragma once
// Inner loops of the block transform, one per instruction-set level. Each
// transforms `blocks` consecutive level-shifted blocks (64 floats each) into
// quantised coefficients in zigzag order (64 int16 each):
//   sum[j] = sum over k = 0..63, in that order, of samples[k] * basis[k][j]
//   out[j] = trunc(trunc(scale[j] * sum[j]) * reciprocals[j])
// where reciprocals[j] = quantReciprocal(table entry j), which makes the last
// step the truncating integer division by the table entry.
// The vector loops widen across j only, so every output sees the same float
// operations in the same order and all levels agree to the bit.

#include "JpegTables.h"

#include <cstddef>
#include <cstdint>

namespace kyvo::imaging {

struct TransformConstants {
    alignas(64) float basis[kBlockSize][kBlockSize]; // [input sample][zigzag output]
    alignas(64) float scale[kBlockSize];             // per zigzag output
};

// Largest |trunc(scale * sum)| of a block of level-shifted 8-bit samples:
// 64 samples of at most 128 times a scale of at most 1/4.
inline constexpr int kMaxCoefficient = 2048;

// 1 / divisor made a little larger (relative 2^-20, far above the float
// rounding of 2^-24), so that for every whole c with |c| <= 2^13 the float
// product c * quantReciprocal(d) has a magnitude of at least |c| / d and
// below the next whole number: truncating it gives the integer quotient
// c / d. A multiply is several times cheaper than a divide.
float quantReciprocal(int divisor);

using TransformKernel = void (*)(const float* samples, std::size_t blocks, const TransformConstants& constants,
                                 const float* reciprocals, std::int16_t* out);

void transformPortable(const float* samples, std::size_t blocks, const TransformConstants& constants,
                       const float* reciprocals, std::int16_t* out);

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define KYVO_IMAGING_X86_KERNELS 1
void transformSse2(const float* samples, std::size_t blocks, const TransformConstants& constants,
                   const float* reciprocals, std::int16_t* out);
void transformAvx2(const float* samples, std::size_t blocks, const TransformConstants& constants,
                   const float* reciprocals, std::int16_t* out);
#endif

} // namespace kyvo::imaging
