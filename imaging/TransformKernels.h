#pragma once
// Inner loops of the block transform, one per instruction-set level. Each
// transforms `blocks` consecutive level-shifted blocks (64 floats each, row
// by row) into quantised coefficients in zigzag order (64 int16 each), the
// two dimensions one after the other:
//   rows:    t[y][u] = sum over x = 0..7, in that order, of f[y][x] * cosine[x][u]
//   columns: F[v][u] = sum over y = 0..7, in that order, of t[y][u] * cosine[y][v]
//   out[zigzag(v, u)] = trunc(trunc(scale[v][u] * F[v][u]) * reciprocals[v][u])
// where reciprocals[v][u] = quantReciprocal(the table entry for (v, u)), which
// makes the last step the truncating integer division by the table entry.
// The vector loops widen across u only, so every output sees the same float
// operations in the same order and all levels agree to the bit.

#include "JpegTables.h"

#include <cstddef>
#include <cstdint>

namespace kyvo::imaging {

// cos((2p + 1) f pi / 16) for position p (a column x or a row y) and
// frequency f (u or v), and the normalising factor of each output.
struct TransformConstants {
    alignas(64) float cosine[kBlockSide][kBlockSide]; // [position][frequency]
    alignas(64) float scale[kBlockSize];              // c(u) c(v) / 4, natural order [v][u]
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

// The 64 coefficients of a block from natural order to zigzag order (inline:
// it unrolls into fixed moves inside each kernel).
inline void toZigzag(const std::int16_t* natural, std::int16_t* zigzag) {
    for (int j = 0; j < kBlockSize; ++j)
        zigzag[j] = natural[kZigzagToNatural[j]];
}

// `reciprocals` in natural order [v][u].
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
