#pragma once
// Inside the canvas: row addresses, the three ways of writing a pixel, the
// clip rectangle as signed numbers, and the clipped span every filled shape
// ends in. Shared by the canvas's source files only.

#include "Canvas.h"

#include <algorithm>
#include <cstdint>

namespace cartoframe::canvas_detail {

inline constexpr int kBytesPerPixel = 3;

inline std::uint8_t blueOf(TColor colour) { return static_cast<std::uint8_t>(colour >> 16); }
inline std::uint8_t greenOf(TColor colour) { return static_cast<std::uint8_t>(colour >> 8); }
inline std::uint8_t redOf(TColor colour) { return static_cast<std::uint8_t>(colour); }

// The colour of the pixel at `pixel` (bytes blue, green, red).
inline TColor colourAt(const std::uint8_t* pixel) {
    return static_cast<TColor>(pixel[0]) << 16 | static_cast<TColor>(pixel[1]) << 8 | pixel[2];
}

inline void writePixel(std::uint8_t* pixel, TColor colour) {
    pixel[0] = blueOf(colour);
    pixel[1] = greenOf(colour);
    pixel[2] = redOf(colour);
}

inline std::uint8_t halfBlend(std::uint8_t old, std::uint8_t value) {
    return static_cast<std::uint8_t>((old >> 1) + (value >> 1));
}

inline std::uint8_t weightedBlend(std::uint8_t old, std::uint8_t value, int weight) {
    return static_cast<std::uint8_t>((old * (G_WEIGHT_SOLID - weight) + value * weight) >> 8);
}

// Writes, half-blends or blends by the weight's rule; weights outside 0..255
// are held to it.
inline void blendPixel(std::uint8_t* pixel, TColor colour, int weight) {
    if (weight >= G_WEIGHT_SOLID) {
        writePixel(pixel, colour);
    } else if (weight <= 0) {
        return;
    } else if (weight == G_WEIGHT_HALF) {
        pixel[0] = halfBlend(pixel[0], blueOf(colour));
        pixel[1] = halfBlend(pixel[1], greenOf(colour));
        pixel[2] = halfBlend(pixel[2], redOf(colour));
    } else {
        pixel[0] = weightedBlend(pixel[0], blueOf(colour), weight);
        pixel[1] = weightedBlend(pixel[1], greenOf(colour), weight);
        pixel[2] = weightedBlend(pixel[2], redOf(colour), weight);
    }
}

// The clip rectangle as signed numbers; empty when left > right or top > bottom.
struct ClipBox {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;

    bool empty() const { return left > right || top > bottom; }
    bool contains(long long x, long long y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// The canvas's clip, or an empty box for a canvas without pixels.
inline ClipBox clipOf(const TCanvas* canvas) {
    if (canvas == nullptr || canvas->pData == nullptr)
        return {};
    return {canvas->clipLeft, canvas->clipTop, canvas->clipRight, canvas->clipBottom};
}

inline std::uint8_t* pixelAt(const TCanvas* canvas, int x, int y) {
    return canvas->pData + static_cast<std::ptrdiff_t>(y) * canvas->stride + static_cast<std::ptrdiff_t>(x) * kBytesPerPixel;
}

// The span from x1 to x2 (either order, both included) on row y, clipped,
// written with the weight. Coordinates may be anywhere in the int range.
inline void blendSpan(TCanvas* canvas, long long x1, long long x2, long long y, TColor colour, int weight) {
    const ClipBox clip = clipOf(canvas);
    if (clip.empty() || y < clip.top || y > clip.bottom)
        return;
    if (x1 > x2)
        std::swap(x1, x2);
    const long long from = std::max<long long>(x1, clip.left);
    const long long to = std::min<long long>(x2, clip.right);
    if (from > to)
        return;
    std::uint8_t* pixel = pixelAt(canvas, static_cast<int>(from), static_cast<int>(y));
    std::uint8_t* const end = pixel + (to - from + 1) * kBytesPerPixel;
    // One loop per rule, so the rule is not chosen again at every pixel.
    if (weight >= G_WEIGHT_SOLID) {
        const std::uint8_t blue = blueOf(colour), green = greenOf(colour), red = redOf(colour);
        for (; pixel != end; pixel += kBytesPerPixel) {
            pixel[0] = blue;
            pixel[1] = green;
            pixel[2] = red;
        }
    } else if (weight == G_WEIGHT_HALF) {
        for (; pixel != end; pixel += kBytesPerPixel)
            blendPixel(pixel, colour, G_WEIGHT_HALF);
    } else if (weight > 0) {
        for (; pixel != end; pixel += kBytesPerPixel)
            blendPixel(pixel, colour, weight);
    }
}

} // namespace cartoframe::canvas_detail
