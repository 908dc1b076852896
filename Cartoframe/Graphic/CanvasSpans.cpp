// Horizontal and vertical spans, rectangle outlines and filled rectangles.
// Every shape ends in clipped rows or columns, so coordinates anywhere in the
// int range are safe.
#include "Canvas.h"
#include "CanvasPixels.h"
#include "CanvasPrimitives.h"

#include <algorithm>
#include <utility>

namespace cartoframe {

using namespace canvas_detail;

namespace canvas_detail {

void blendColumn(TCanvas* canvas, long long x, long long y1, long long y2, TColor colour, int weight) {
    const ClipBox clip = clipOf(canvas);
    if (clip.empty() || x < clip.left || x > clip.right)
        return;
    if (y1 > y2)
        std::swap(y1, y2);
    const long long from = std::max<long long>(y1, clip.top);
    const long long to = std::min<long long>(y2, clip.bottom);
    if (from > to)
        return;
    std::uint8_t* pixel = pixelAt(canvas, static_cast<int>(x), static_cast<int>(from));
    for (long long y = from; y <= to; ++y, pixel += canvas->stride)
        blendPixel(pixel, colour, weight);
}

void blendBlock(TCanvas* canvas, long long x1, long long y1, long long x2, long long y2, TColor colour, int weight) {
    const ClipBox clip = clipOf(canvas);
    if (clip.empty())
        return;
    if (y1 > y2)
        std::swap(y1, y2);
    const long long from = std::max<long long>(y1, clip.top);
    const long long to = std::min<long long>(y2, clip.bottom);
    for (long long y = from; y <= to; ++y)
        blendSpan(canvas, x1, x2, y, colour, weight);
}

void rectOutline(TCanvas* canvas, long long x1, long long y1, long long x2, long long y2, TColor colour) {
    if (clipOf(canvas).empty())
        return;
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    blendSpan(canvas, x1, x2, y1, colour, G_WEIGHT_SOLID);
    if (y2 != y1)
        blendSpan(canvas, x1, x2, y2, colour, G_WEIGHT_SOLID);
    // The sides only between the two rows, so no pixel is written twice.
    if (y2 - y1 < 2)
        return;
    blendColumn(canvas, x1, y1 + 1, y2 - 1, colour, G_WEIGHT_SOLID);
    if (x2 != x1)
        blendColumn(canvas, x2, y1 + 1, y2 - 1, colour, G_WEIGHT_SOLID);
}

} // namespace canvas_detail

void g_HLine(TCanvas* canvas, int x1, int x2, int y, TColor colour) {
    blendSpan(canvas, x1, x2, y, colour, G_WEIGHT_SOLID);
}

void g_HLineHalf(TCanvas* canvas, int x1, int x2, int y, TColor colour) {
    blendSpan(canvas, x1, x2, y, colour, G_WEIGHT_HALF);
}

void g_HLineBlend(TCanvas* canvas, int x1, int x2, int y, TColor colour, int weight) {
    blendSpan(canvas, x1, x2, y, colour, weight);
}

void g_VLine(TCanvas* canvas, int x, int y1, int y2, TColor colour) {
    blendColumn(canvas, x, y1, y2, colour, G_WEIGHT_SOLID);
}

void g_VLineHalf(TCanvas* canvas, int x, int y1, int y2, TColor colour) {
    blendColumn(canvas, x, y1, y2, colour, G_WEIGHT_HALF);
}

void g_Rect(TCanvas* canvas, int x1, int y1, int x2, int y2, TColor colour) {
    rectOutline(canvas, x1, y1, x2, y2, colour);
}

void g_FillRect(TCanvas* canvas, int x1, int y1, int x2, int y2, TColor colour) {
    blendBlock(canvas, x1, y1, x2, y2, colour, G_WEIGHT_SOLID);
}

void g_FillRectHalf(TCanvas* canvas, int x1, int y1, int x2, int y2, TColor colour) {
    blendBlock(canvas, x1, y1, x2, y2, colour, G_WEIGHT_HALF);
}

} // namespace cartoframe
