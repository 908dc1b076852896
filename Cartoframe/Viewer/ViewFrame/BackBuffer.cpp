#include "BackBuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace cartoframe {
namespace {

constexpr int DEPTH_16 = 16;
constexpr int DEPTH_32 = 32;
constexpr int CANVAS_PIXEL_BYTES = 3;
// x-5-5-5 pixels keep the top five bits of each byte.
constexpr int BITS_DROPPED_555 = 3;
constexpr int RED_SHIFT_555 = 10;
constexpr int GREEN_SHIFT_555 = 5;

bool isAcceptedDepth(int depth) { return depth == DEPTH_16 || depth == VF_BUFFER_DEPTH || depth == DEPTH_32; }

// One canvas row (blue, green, red bytes) into a buffer row of the given depth.
void convertRow(const std::uint8_t* from, std::uint8_t* to, int pixels, int depth) {
    switch (depth) {
    case VF_BUFFER_DEPTH:
        std::memcpy(to, from, static_cast<std::size_t>(pixels) * CANVAS_PIXEL_BYTES);
        break;
    case DEPTH_32:
        for (int i = 0; i < pixels; ++i, from += CANVAS_PIXEL_BYTES, to += 4) {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
            to[3] = 0;
        }
        break;
    case DEPTH_16:
        for (int i = 0; i < pixels; ++i, from += CANVAS_PIXEL_BYTES, to += 2) {
            const unsigned value = (static_cast<unsigned>(from[2] >> BITS_DROPPED_555) << RED_SHIFT_555) |
                                   (static_cast<unsigned>(from[1] >> BITS_DROPPED_555) << GREEN_SHIFT_555) |
                                   static_cast<unsigned>(from[0] >> BITS_DROPPED_555);
            to[0] = static_cast<std::uint8_t>(value & 0xFF);
            to[1] = static_cast<std::uint8_t>(value >> 8);
        }
        break;
    default:
        break;
    }
}

} // namespace

bool TBackBuffer::create(int width, int height, int depth) {
    release();
    if (!isAcceptedDepth(depth) || width <= 0 || height <= 0 || width > VF_BUFFER_MAX_SIDE ||
        height > VF_BUFFER_MAX_SIDE)
        return false;
    const int stride = vf_BufferStride(width, depth);
    const std::size_t size = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
    bits_.reset(new (std::nothrow) std::uint8_t[size]);
    if (!bits_)
        return false;
    std::memset(bits_.get(), 0, size);
    width_ = width;
    height_ = height;
    stride_ = stride;
    depth_ = depth;
    return true;
}

void TBackBuffer::release() {
    bits_.reset();
    width_ = 0;
    height_ = 0;
    stride_ = 0;
    depth_ = VF_BUFFER_NO_DEPTH;
}

void TBackBuffer::copyFrom(const TCanvas& canvas) {
    if (!bits_ || !canvas.pData)
        return;
    const int pixels = std::min(width_, static_cast<int>(canvas.width));
    const int rows = std::min(height_, static_cast<int>(canvas.height));
    for (int y = 0; y < rows; ++y)
        convertRow(canvas.pData + static_cast<std::ptrdiff_t>(y) * canvas.stride,
                   bits_.get() + static_cast<std::ptrdiff_t>(y) * stride_, pixels, depth_);
}

} // namespace cartoframe
