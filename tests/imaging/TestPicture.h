#pragma once
// Pictures made by the tests and the benchmark: smooth colour gradients with
// sharp-edged shapes and rows of small glyph-like marks, or one flat colour.

#include "BitmapImage.h"

#include <cstdint>
#include <vector>

namespace kyvo::imaging::testing {

struct Bgr {
    std::uint8_t blue;
    std::uint8_t green;
    std::uint8_t red;
};

// Top row first, rows of exactly 3 * width bytes.
struct TestPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgr;

    Bgr at(int x, int y) const;
    void set(int x, int y, Bgr colour);
    PixelView view() const;

    // The same pixels as a 24-bit bitmap: rows padded to four bytes, bottom
    // row first when `bottomUp`, and its header (negative height for top-down).
    std::vector<std::uint8_t> bitmapBytes(bool bottomUp) const;
    BitmapInfoHeader bitmapHeader(bool bottomUp) const;
};

TestPicture makeTestPicture(int width, int height);
TestPicture makeUniformPicture(int width, int height, Bgr colour);

// Peak signal-to-noise ratio over all three channels, in dB (top-down BGR
// against top-down RGB of the same size).
double psnrAgainstRgb(const TestPicture& source, const std::vector<std::uint8_t>& rgb);

} // namespace kyvo::imaging::testing
