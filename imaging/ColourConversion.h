#pragma once
// Colour conversion and level shift of one strip of eight picture rows into
// 8 x 8 blocks of Y, Cb and Cr samples.

#include "BitmapImage.h"
#include "JpegTables.h"
#include "SimdLevel.h"

#include <array>
#include <vector>

namespace kyvo::imaging {

inline constexpr int kComponentCount = 3;

// One block row of the coded picture: for each component, the blocks left to
// right, each block's 64 samples row by row. Samples are level-shifted
// (value - 128) and held as floats, ready for the transform.
struct BlockStrip {
    explicit BlockStrip(int blocksAcross);

    int blocksAcross;
    std::array<std::vector<float>, kComponentCount> samples;
};

// Fills `strip` from picture rows 8 * stripIndex onwards. Each real pixel
// becomes Y = 0.299 R + 0.587 G + 0.114 B, Cb = -0.1687 R - 0.3313 G + 0.5 B
// + 128, Cr = 0.5 R - 0.4187 G - 0.0813 B + 128 in single precision, each
// limited to 0..255 and truncated. Samples right of the picture or below it
// are 0 before the level shift, so -128 in the strip. `level` picks the inner
// loops; the samples are the same at every level.
void convertStrip(const PixelView& image, int stripIndex, BlockStrip& strip, SimdLevel level = bestSimdLevel());

} // namespace kyvo::imaging
