#include "BmpFile.h"

#include <cstring>

namespace cartoframe {
namespace {

constexpr int BMP_ROW_ALIGN_BITS = 32;
constexpr int BMP_BYTES_PER_PIXEL = BMP_BITS_PER_PIXEL / 8;

void put16(std::uint8_t* at, unsigned value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::uint8_t* at, std::uint32_t value) {
    put16(at, value & 0xFFFF);
    put16(at + 2, value >> 16);
}

} // namespace

std::size_t bmp_RowSize(int width) {
    if (width < 1)
        return 0;
    return (static_cast<std::size_t>(width) * BMP_BITS_PER_PIXEL + BMP_ROW_ALIGN_BITS - 1) / BMP_ROW_ALIGN_BITS * 4;
}

std::size_t bmp_FileSize(int width, int height) {
    if (width < 1 || height < 1)
        return 0;
    return BMP_HEADER_SIZE + bmp_RowSize(width) * static_cast<std::size_t>(height);
}

void bmp_WriteHeader(int width, int height, std::uint8_t* out) {
    std::memset(out, 0, BMP_HEADER_SIZE);
    out[0] = 'B';
    out[1] = 'M';
    put32(out + 2, static_cast<std::uint32_t>(bmp_FileSize(width, height)));
    put32(out + 10, static_cast<std::uint32_t>(BMP_HEADER_SIZE));
    std::uint8_t* info = out + BMP_FILE_HEADER_SIZE;
    put32(info + 0, static_cast<std::uint32_t>(BMP_INFO_HEADER_SIZE));
    put32(info + 4, static_cast<std::uint32_t>(width));
    put32(info + 8, static_cast<std::uint32_t>(height));
    put16(info + 12, 1); // planes
    put16(info + 14, BMP_BITS_PER_PIXEL);
    put32(info + 20, static_cast<std::uint32_t>(bmp_RowSize(width) * static_cast<std::size_t>(height)));
}

void bmp_WriteRow(const TCanvas& canvas, int fileRow, std::uint8_t* out) {
    // Canvas pixels are already blue, green, red, as the file stores them.
    const std::size_t pixelBytes = static_cast<std::size_t>(canvas.width) * BMP_BYTES_PER_PIXEL;
    const std::uint8_t* row = canvas.pData + static_cast<std::ptrdiff_t>(canvas.height - 1 - fileRow) * canvas.stride;
    std::memcpy(out, row, pixelBytes);
    std::memset(out + pixelBytes, 0, bmp_RowSize(canvas.width) - pixelBytes);
}

bool bmp_Encode(const TCanvas& canvas, std::uint8_t* out, std::size_t size) {
    if (!canvas.pData || !out || size < bmp_FileSize(canvas.width, canvas.height))
        return false;
    bmp_WriteHeader(canvas.width, canvas.height, out);
    const std::size_t rowSize = bmp_RowSize(canvas.width);
    for (int row = 0; row < canvas.height; ++row)
        bmp_WriteRow(canvas, row, out + BMP_HEADER_SIZE + static_cast<std::size_t>(row) * rowSize);
    return true;
}

} // namespace cartoframe
