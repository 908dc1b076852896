#pragma once
// The 24-bit bitmap file of a canvas, built in memory:
//
//     0   2  "BM"
//     2   4  file size: 54 + row size * height
//     6   4  two reserved zero words
//    10   4  offset of the pixels: 54
//    14   4  info header size: 40
//    18   4  width
//    22   4  height (positive: rows stored bottom-up)
//    26   2  planes: 1
//    28   2  bits per pixel: 24
//    30   4  compression: none (0)
//    34   4  image size: row size * height
//    38  16  zero (resolutions, palette counts)
//    54      rows from the canvas's bottom row to its top row, each width * 3
//            bytes (blue, green, red) padded with zeros to the row size
//
// with row size = ((width * 24 + 31) / 32) * 4. All numbers little-endian.
// The encoder works on caller buffers; writing a file is the caller's affair.

#include "Canvas.h"

#include <cstddef>
#include <cstdint>

namespace cartoframe {

inline constexpr std::size_t BMP_FILE_HEADER_SIZE = 14;
inline constexpr std::size_t BMP_INFO_HEADER_SIZE = 40;
inline constexpr std::size_t BMP_HEADER_SIZE = BMP_FILE_HEADER_SIZE + BMP_INFO_HEADER_SIZE;
inline constexpr int BMP_BITS_PER_PIXEL = 24;

// Bytes of one stored row.
std::size_t bmp_RowSize(int width);
// Bytes of the whole file; 0 for a side below 1.
std::size_t bmp_FileSize(int width, int height);

// Writes the 54 header bytes for a picture of width x height.
void bmp_WriteHeader(int width, int height, std::uint8_t* out);
// Writes the stored row `fileRow` (0 is the file's first row, the canvas's
// bottom row) into out, bmp_RowSize(width) bytes with its padding.
void bmp_WriteRow(const TCanvas& canvas, int fileRow, std::uint8_t* out);
// The whole file into out; false (nothing written) for a canvas without
// pixels or a buffer smaller than bmp_FileSize.
bool bmp_Encode(const TCanvas& canvas, std::uint8_t* out, std::size_t size);

} // namespace cartoframe
