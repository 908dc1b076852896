// The one-pixel line and the closed outline.
//
// A line is always drawn from its left end point (the upper one when both
// share a column), so swapping the end points gives the same pixels. The
// outcode clip only narrows the steps walked; each pixel is still tested
// against the clip rectangle, inclusive on all four sides. A clipped line
// therefore shows exactly the pixels the whole line has inside the clip, and
// a line wholly inside has max(|dx|, |dy|) + 1 pixels.
#include "Canvas.h"
#include "CanvasPixels.h"
#include "CanvasPrimitives.h"
#include "LineClip.h"

#include <utility>

namespace cartoframe {

using namespace canvas_detail;

void g_Line(TCanvas* canvas, int x1, int y1, int x2, int y2, TColor colour) {
    const ClipBox clip = clipOf(canvas);
    if (clip.empty())
        return;
    TPointL from{x1, y1};
    TPointL to{x2, y2};
    if (to.x < from.x || (to.x == from.x && to.y < from.y))
        std::swap(from, to);
    if (from.y == to.y) {
        blendSpan(canvas, from.x, to.x, from.y, colour, G_WEIGHT_SOLID);
        return;
    }
    if (from.x == to.x) {
        blendColumn(canvas, from.x, from.y, to.y, colour, G_WEIGHT_SOLID);
        return;
    }
    LineWalk walk(from.x, from.y, to.x, to.y, LineWalk::kMidpoint);
    long long first = 0;
    long long last = 0;
    if (!walk.stepRange(clip, 0, first, last))
        return;
    for (walk.seek(first); walk.step() <= last; walk.advance()) {
        const long long x = walk.x();
        const long long y = walk.y();
        if (clip.contains(x, y))
            writePixel(pixelAt(canvas, static_cast<int>(x), static_cast<int>(y)), colour);
    }
}

void g_Polygon(TCanvas* canvas, const TPoint* points, int count, TColor colour) {
    if (points == nullptr || count < 1 || clipOf(canvas).empty())
        return;
    const TPoint* previous = &points[count - 1];
    for (int i = 0; i < count; ++i) {
        g_Line(canvas, previous->x, previous->y, points[i].x, points[i].y, colour);
        previous = &points[i];
    }
}

} // namespace cartoframe
