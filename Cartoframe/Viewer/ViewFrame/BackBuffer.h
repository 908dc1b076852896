#pragma once
// The map window's back buffer: the picture the window paints, as top-down
// rows padded to four bytes. Made once for the client area at start-up; the
// drawing canvas is copied into it after every picture.
//
// Single-threaded; owned by the map window's module state.

#include "Canvas.h"

#include <cstdint>
#include <memory>

namespace cartoframe {

inline constexpr int VF_BUFFER_DEPTH = 24;   // the depth the map window uses
inline constexpr int VF_BUFFER_NO_DEPTH = -1; // no buffer
// Widest and tallest client area given a buffer; larger windows stay black.
inline constexpr int VF_BUFFER_MAX_SIDE = 8192;

// Bytes per row of a buffer of that width and depth, padded to four bytes.
constexpr int vf_BufferStride(int width, int depth) { return (width * depth + 31) / 32 * 4; }

class TBackBuffer {
public:
    // A zeroed (black) buffer. depth 16 (x-5-5-5), 24 (blue, green, red) or
    // 32 (blue, green, red, unused); any other depth, a side of 0 or above
    // VF_BUFFER_MAX_SIDE, or a failed allocation fails (false) and leaves no
    // buffer.
    bool create(int width, int height, int depth);
    // Releases the buffer (depth -1). Safe to repeat.
    void release();
    // Copies the canvas row by row into the buffer, converting to its depth;
    // the part outside the overlap of the two stays as it was.
    void copyFrom(const TCanvas& canvas);

    const std::uint8_t* bits() const { return bits_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return stride_; }
    int depth() const { return depth_; }

private:
    std::unique_ptr<std::uint8_t[]> bits_;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    int depth_ = VF_BUFFER_NO_DEPTH;
};

} // namespace cartoframe
