#pragma once
// Reading the pictures jpegstill converts: 24-bit uncompressed BMP files
// (bottom-up or top-down rows) and binary PPM (P6) files.

#include "BitmapImage.h"

#include <cstdint>
#include <string>
#include <variant>
#include <span>
#include <vector>

namespace kyvo::jpegstill {

// A picture as the still writer takes it: the bitmap header and its rows of
// blue-green-red pixels padded to four bytes (top-down when the height is
// negative).
struct Bitmap {
    imaging::BitmapInfoHeader header;
    std::vector<std::uint8_t> pixels;
};

// Why a file could not be read, in words for the user.
struct ReadError {
    std::string message;
};

using ReadResult = std::variant<Bitmap, ReadError>;

// Tells the format by its first bytes ("BM" or "P6").
ReadResult readPicture(std::span<const std::uint8_t> file);

ReadResult readBmp(std::span<const std::uint8_t> file);

// Samples with a maximum value below 255 are scaled to 0..255; 16-bit
// samples (maximum above 255) are refused.
ReadResult readPpm(std::span<const std::uint8_t> file);

} // namespace kyvo::jpegstill
