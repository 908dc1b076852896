#pragma once
// libjpeg-turbo as the outside reference: decoding our files (to pixels or to
// the quantised coefficients) and encoding the same picture for comparison.

#include "BitmapImage.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kyvo::imaging::testing {

struct DecodedJpeg {
    bool ok = false;
    std::string error;                  // the decoder's message when !ok
    std::vector<std::string> warnings;  // every warning the decoder raised
    int width = 0;
    int height = 0;
    int components = 0;
    std::vector<std::uint8_t> rgb;      // top row first, 3 bytes per pixel
};

DecodedJpeg decodeWithLibjpeg(const std::vector<std::uint8_t>& jpeg);

// Quantised coefficients per component, blocks row by row, each block in
// natural (row-major) order.
using NaturalBlock = std::array<std::int16_t, 64>;
struct JpegCoefficients {
    bool ok = false;
    std::string error;
    std::vector<std::string> warnings;
    int blocksAcross = 0;
    int blocksDown = 0;
    std::vector<std::vector<NaturalBlock>> components;
};

JpegCoefficients readCoefficientsWithLibjpeg(const std::vector<std::uint8_t>& jpeg);

// Baseline, Huffman tables from the standard, every component sampled 1 x 1,
// the library's default (accurate integer) transform, at `quality`.
std::vector<std::uint8_t> encodeWithLibjpeg(const PixelView& image, int quality);

} // namespace kyvo::imaging::testing
