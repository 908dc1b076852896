// Image blits: an image's rectangle placed with its top-left corner at x, y,
// cut to the canvas's clip rectangle, copied row by row. The glyphs of the
// bitmap fonts and the map's logo reach the canvas this way.
#include "Canvas.h"
#include "CanvasPixels.h"

#include <algorithm>
#include <cstring>

namespace cartoframe {

using namespace canvas_detail;

namespace {

// The part of an image at (x, y) that lies inside the clip: canvas columns
// and rows, and where that part starts inside the image.
struct BlitArea {
    int left = 0;
    int top = 0;
    int columns = 0;
    int rows = 0;
    int imageX = 0;
    int imageY = 0;
};

// False when nothing of the image is visible.
bool visibleArea(const TCanvas* canvas, long long x, long long y, const TImage* image, BlitArea& area) {
    const ClipBox clip = clipOf(canvas);
    if (image == nullptr || clip.empty() || image->width == 0 || image->height == 0)
        return false;
    const long long left = std::max<long long>(x, clip.left);
    const long long top = std::max<long long>(y, clip.top);
    const long long right = std::min<long long>(x + image->width - 1, clip.right);
    const long long bottom = std::min<long long>(y + image->height - 1, clip.bottom);
    if (left > right || top > bottom)
        return false;
    area.left = static_cast<int>(left);
    area.top = static_cast<int>(top);
    area.columns = static_cast<int>(right - left + 1);
    area.rows = static_cast<int>(bottom - top + 1);
    area.imageX = static_cast<int>(left - x);
    area.imageY = static_cast<int>(top - y);
    return true;
}

const std::uint8_t* imageRow(const TImage* image, int imageX, int imageY) {
    const std::ptrdiff_t pixel = static_cast<std::ptrdiff_t>(imageY) * image->width + imageX;
    return g_ImagePixels(image) + pixel * kBytesPerPixel;
}

// Every visible pixel passes through `put(destination, source)`.
template <typename PutPixel>
void blitPixels(TCanvas* canvas, int x, int y, const TImage* image, PutPixel put) {
    BlitArea area;
    if (!visibleArea(canvas, x, y, image, area))
        return;
    for (int row = 0; row < area.rows; ++row) {
        const std::uint8_t* source = imageRow(image, area.imageX, area.imageY + row);
        std::uint8_t* target = pixelAt(canvas, area.left, area.top + row);
        for (int column = 0; column < area.columns; ++column, source += kBytesPerPixel, target += kBytesPerPixel)
            put(target, source);
    }
}

constexpr TColor kColourMask = 0x00FFFFFF;

} // namespace

void g_PutImage(TCanvas* canvas, int x, int y, const TImage* image) {
    BlitArea area;
    if (!visibleArea(canvas, x, y, image, area))
        return;
    const auto rowBytes = static_cast<std::size_t>(area.columns) * kBytesPerPixel;
    for (int row = 0; row < area.rows; ++row)
        std::memcpy(pixelAt(canvas, area.left, area.top + row), imageRow(image, area.imageX, area.imageY + row),
                    rowBytes);
}

void g_PutImageKey(TCanvas* canvas, int x, int y, const TImage* image, TColor key) {
    key &= kColourMask;
    blitPixels(canvas, x, y, image, [key](std::uint8_t* target, const std::uint8_t* source) {
        if (colourAt(source) != key) {
            target[0] = source[0];
            target[1] = source[1];
            target[2] = source[2];
        }
    });
}

void g_PutImageKeyBlend(TCanvas* canvas, int x, int y, const TImage* image, TColor key, int weight) {
    key &= kColourMask;
    if (weight <= 0)
        return;
    blitPixels(canvas, x, y, image, [key, weight](std::uint8_t* target, const std::uint8_t* source) {
        const TColor colour = colourAt(source);
        if (colour != key)
            blendPixel(target, colour, weight);
    });
}

} // namespace cartoframe
