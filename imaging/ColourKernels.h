#pragma once
// Inner loops of the colour conversion: one picture row of pixels
// into one sample row of each block of a strip.

#include "BitmapImage.h"
#include "JpegTables.h"

#include <algorithm>
#include <cstdint>

namespace kyvo::imaging {

// The conversion in single precision, the operations in this order.
namespace colour {
inline constexpr float kYRed = 0.299F;
inline constexpr float kYGreen = 0.587F;
inline constexpr float kYBlue = 0.114F;
inline constexpr float kCbRed = -0.1687F;
inline constexpr float kCbGreen = 0.3313F; // subtracted
inline constexpr float kCbBlue = 0.5F;
inline constexpr float kCrRed = 0.5F;
inline constexpr float kCrGreen = 0.4187F; // subtracted
inline constexpr float kCrBlue = 0.0813F;  // subtracted
inline constexpr float kChromaOffset = 128.0F;
inline constexpr float kSampleMax = 255.0F;
inline constexpr float kLevelShift = 128.0F;

inline constexpr int kGreenByte = 1; // the middle byte in either order

// Where red and blue stand in a pixel of the given order.
inline constexpr int redByte(ChannelOrder order) { return order == ChannelOrder::RedGreenBlue ? 0 : 2; }
inline constexpr int blueByte(ChannelOrder order) { return 2 - redByte(order); }

// Limits to 0..255, truncates and level-shifts; the result is a whole number.
inline float toSample(float value) {
    const float limited = std::clamp(value, 0.0F, kSampleMax);
    return static_cast<float>(static_cast<int>(limited)) - kLevelShift;
}
} // namespace colour

// Where one sample row goes: the three planes of a strip and the row within
// each block. Pixel x lands in block x / 8 at column x % 8.
struct SampleRow {
    float* y;
    float* cb;
    float* cr;
    int rowInBlock;

    std::size_t offset(int x) const {
        return static_cast<std::size_t>(x / kBlockSide) * kBlockSize +
               static_cast<std::size_t>(rowInBlock * kBlockSide + x % kBlockSide);
    }
};

// Converts pixels [first, width) of `pixels` one at a time.
inline void convertPixels(const std::uint8_t* pixels, ChannelOrder order, int first, int width,
                          const SampleRow& out) {
    using namespace colour;
    const int red = redByte(order);
    const int blue = blueByte(order);
    const auto step = static_cast<std::size_t>(bytesPerPixel(order));
    for (int x = first; x < width; ++x) {
        const std::uint8_t* pixel = pixels + static_cast<std::size_t>(x) * step;
        const float r = pixel[red];
        const float g = pixel[kGreenByte];
        const float b = pixel[blue];
        const std::size_t at = out.offset(x);
        out.y[at] = toSample(kYRed * r + kYGreen * g + kYBlue * b);
        out.cb[at] = toSample(kCbRed * r - kCbGreen * g + kCbBlue * b + kChromaOffset);
        out.cr[at] = toSample(kCrRed * r - kCrGreen * g - kCrBlue * b + kChromaOffset);
    }
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define KYVO_IMAGING_X86_COLOUR 1
// Whole groups of eight pixels (one block row each) in vectors, the rest one
// at a time; the same results as convertPixels.
void convertRowAvx2(const std::uint8_t* pixels, ChannelOrder order, int width, const SampleRow& out);
#endif

} // namespace kyvo::imaging
