#pragma once
// Baseline JPEG encoding of a blue-green-red picture into memory.

#include "BitmapImage.h"
#include "SimdLevel.h"

#include <cstdint>
#include <vector>

namespace kyvo::imaging {

// Encodes `image` (1..65535 pixels each way) into a complete JPEG stream:
// 1. the header segments with the fixed tables and the real picture size;
// 2. per strip of eight rows: colour conversion and level shift into blocks,
//    the picture's width and height raised to multiples of 8 with samples of
//    -128;
// 3. per block position, left to right: the Y, Cb and Cr blocks transformed
//    and quantised (Y with the luminance table, Cb and Cr with the chrominance
//    table), their DC values predicted from the previous block of the same
//    component and Huffman coded into one minimum coded unit;
// 4. the coded data, stuffed and completed to a whole byte, and EOI.
// Answers an empty vector for a size outside that range. `level` picks the
// inner loops; the bytes are the same at every level.
std::vector<std::uint8_t> encodeJpeg(const PixelView& image, SimdLevel level = bestSimdLevel());

} // namespace kyvo::imaging
