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

// A picture as the encoder reads it: rows inside the file's own bytes (no
// copy of a picture of several megabytes), or inside `scaled` for a PPM file
// whose samples had to be brought to 0..255. Moving a Picture keeps the view
// valid (a moved vector keeps its buffer); copying it does not, so it cannot
// be copied.
struct Picture {
    Picture() = default;
    Picture(Picture&&) = default;
    Picture& operator=(Picture&&) = default;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    imaging::PixelView view;
    std::vector<std::uint8_t> scaled;
};

// Why a file could not be read, in words for the user.
struct ReadError {
    std::string message;
};

using ReadResult = std::variant<Picture, ReadError>;

// Tells the format by its first bytes ("BM" or "P6"). The view points into
// `file`, which must outlive it.
ReadResult readPicture(std::span<const std::uint8_t> file);

ReadResult readBmp(std::span<const std::uint8_t> file);

// Samples with a maximum value below 255 are scaled to 0..255; 16-bit
// samples (maximum above 255) are refused.
ReadResult readPpm(std::span<const std::uint8_t> file);

} // namespace kyvo::jpegstill
