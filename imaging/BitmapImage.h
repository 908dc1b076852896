#pragma once
// The picture handed to the still writer: a 24-bit device-independent bitmap
// (pixels blue, green, red; rows padded to four bytes), and the view of
// pixel rows the encoder reads.

#include <cstddef>
#include <cstdint>

namespace kyvo::imaging {

// The fields of the 40-byte bitmap information header that comes with each
// grabbed frame. The writer reads width, height, bit count and compression;
// the header is kept as given and never written to the JPEG file.
struct BitmapInfoHeader {
    static constexpr std::uint32_t kSize = 40;

    std::uint32_t size = kSize;
    std::int32_t width = 0;
    std::int32_t height = 0; // positive: rows stored bottom-up; negative: top-down
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
};

inline constexpr int kBytesPerPixel = 3;
inline constexpr int kRowAlignment = 4;

// Bytes per stored row of a 24-bit bitmap: 3 W raised to a multiple of four.
constexpr std::size_t bitmapRowBytes(int width) {
    return (static_cast<std::size_t>(width) * kBytesPerPixel + (kRowAlignment - 1)) / kRowAlignment * kRowAlignment;
}

// The bytes of a pixel: a bitmap's blue, green, red; the red, green, blue of
// a PPM file read in place; or a 32-bit frame buffer's blue, green, red and an
// unused fourth byte.
enum class ChannelOrder { BlueGreenRed, RedGreenBlue, BlueGreenRedUnused };

inline constexpr int kFrameBufferBytesPerPixel = 4;

constexpr int bytesPerPixel(ChannelOrder order) {
    return order == ChannelOrder::BlueGreenRedUnused ? kFrameBufferBytesPerPixel : kBytesPerPixel;
}

// Pixels seen top row first. `rowStride` is the byte distance from
// one row to the row below it; it is negative for a bottom-up bitmap, whose
// top row is the last one in memory.
struct PixelView {
    int width = 0;
    int height = 0;
    std::ptrdiff_t rowStride = 0;
    const std::uint8_t* topRow = nullptr;
    ChannelOrder order = ChannelOrder::BlueGreenRed;

    const std::uint8_t* row(int y) const { return topRow + rowStride * y; }
};

} // namespace kyvo::imaging
