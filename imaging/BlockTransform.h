#pragma once
// The block transform: two-dimensional DCT of 8 x 8 blocks in single
// precision (rows, then columns), zigzag order, quantisation by truncating
// division.

#include "JpegTables.h"
#include "SimdLevel.h"
#include "TransformKernels.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace kyvo::imaging {

using CoefficientBlock = std::array<std::int16_t, kBlockSize>;

class BlockTransform {
public:
    // Precomputes the cosine table and the output scales, and picks the
    // loops for `level`.
    explicit BlockTransform(SimdLevel level = bestSimdLevel());

    // For each of `count` consecutive blocks (level-shifted samples row by
    // row): F(v, u) = trunc(c(u) c(v) / 4 * sum over y, x of f(y, x)
    // cos((2x + 1) u pi / 16) cos((2y + 1) v pi / 16)), c(0) = 0.70710677,
    // otherwise 1; then each F in zigzag order divided by the table entry at
    // the same zigzag position, truncating toward zero.
    void apply(const float* samples, std::size_t count, const QuantTable& table, CoefficientBlock* out) const;

private:
    std::unique_ptr<TransformConstants> constants_;
    TransformKernel kernel_;
};

} // namespace kyvo::imaging
