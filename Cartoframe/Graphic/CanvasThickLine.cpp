// Thick lines: a band of `width` rows (x-major) or columns (y-major) filled
// run by run along the line, its two long edges softened with anti-aliased
// lines and a softer pair one pixel further out.
#include "Canvas.h"
#include "CanvasPixels.h"
#include "CanvasPrimitives.h"
#include "LineClip.h"

#include <algorithm>
#include <utility>

namespace cartoframe {

using namespace canvas_detail;

namespace {

// The band from `nearEdge` to `farEdge` pixels across the centre line a-b
// (rows for an x-major line, columns otherwise): one run across the band at
// every step along the major axis. These are the pixels of the band's
// parallelogram, found without the polygon filler's edge list, and every
// column (or row) of the band is exactly its width.
void fillBand(TCanvas* canvas, TPointL a, TPointL b, long long nearEdge, long long farEdge, TColor colour) {
    if (b.x < a.x || (b.x == a.x && b.y < a.y))
        std::swap(a, b); // from the left end point, as every line is drawn
    LineWalk walk(a.x, a.y, b.x, b.y, LineWalk::kMidpoint);
    // The steps whose run can reach the clip: the centre may lie up to the
    // band's far edge above the clip (or left of it) and its near edge below.
    const ClipBox clip = clipOf(canvas);
    if (clip.empty())
        return;
    TRect reach{clip.left, clip.top, clip.right, clip.bottom};
    if (walk.xMajor()) {
        reach.top -= farEdge;
        reach.bottom -= nearEdge;
    } else {
        reach.left -= farEdge;
        reach.right -= nearEdge;
    }
    long long first = 0;
    long long last = 0;
    if (!walk.stepRange(reach, 0, first, last))
        return;
    for (walk.seek(first); walk.step() <= last; walk.advance()) {
        if (walk.xMajor())
            blendColumn(canvas, walk.x(), walk.y() + nearEdge, walk.y() + farEdge, colour, G_WEIGHT_SOLID);
        else
            blendSpan(canvas, walk.x() + nearEdge, walk.x() + farEdge, walk.y(), colour, G_WEIGHT_SOLID);
    }
}

// Keeps the caller's clip rectangle and puts it back, whatever happened to it.
class ClipKeeper {
public:
    explicit ClipKeeper(TCanvas* canvas)
        : canvas_(canvas), left_(canvas->clipLeft), top_(canvas->clipTop), right_(canvas->clipRight),
          bottom_(canvas->clipBottom) {}
    ~ClipKeeper() {
        canvas_->clipLeft = left_;
        canvas_->clipTop = top_;
        canvas_->clipRight = right_;
        canvas_->clipBottom = bottom_;
    }
    ClipKeeper(const ClipKeeper&) = delete;
    ClipKeeper& operator=(const ClipKeeper&) = delete;

private:
    TCanvas* canvas_;
    std::uint16_t left_;
    std::uint16_t top_;
    std::uint16_t right_;
    std::uint16_t bottom_;
};

} // namespace

void g_ThickLine(TCanvas* canvas, int x1, int y1, int x2, int y2, TColor colour, int width) {
    if (clipOf(canvas).empty() || width < 1)
        return;
    const TPointL a{x1, y1};
    const TPointL b{x2, y2};
    long long w = width;
    const long long near = -(w / 2);
    if (a.x == b.x) {
        // Columns x - w/2 .. x - w/2 + w - 1, a half-blended column each side.
        const long long left = a.x + near;
        const long long right = left + w - 1;
        blendBlock(canvas, left, a.y, right, b.y, colour, G_WEIGHT_SOLID);
        blendColumn(canvas, left - 1, a.y, b.y, colour, G_WEIGHT_HALF);
        blendColumn(canvas, right + 1, a.y, b.y, colour, G_WEIGHT_HALF);
        return;
    }
    if (a.y == b.y) {
        const long long top = a.y + near;
        const long long bottom = top + w - 1;
        blendBlock(canvas, a.x, top, b.x, bottom, colour, G_WEIGHT_SOLID);
        blendSpan(canvas, a.x, b.x, top - 1, colour, G_WEIGHT_HALF);
        blendSpan(canvas, a.x, b.x, bottom + 1, colour, G_WEIGHT_HALF);
        return;
    }
    const long long dx = b.x > a.x ? b.x - a.x : a.x - b.x;
    const long long dy = b.y > a.y ? b.y - a.y : a.y - b.y;
    // Near 45 degrees the band, measured along an axis, is thinnest for its
    // width across: one row more keeps it from looking narrow.
    if (dy / dx == 1 || dx / dy == 1)
        ++w;
    const long long nearEdge = -(w / 2);
    const long long farEdge = nearEdge + w - 1;

    // The edges' anti-aliasing reaches one pixel beyond the band; drawing
    // inside a clip one pixel narrower keeps it off the clip's border.
    const ClipKeeper keeper(canvas);
    g_ShrinkClip(canvas, 1, 1);
    fillBand(canvas, a, b, nearEdge, farEdge, colour);
    // Both edges, then both again one pixel further out, softer.
    const TAAPass edges[] = {
        {nearEdge, G_AA_STRONG}, {farEdge, G_AA_STRONG}, {nearEdge - 1, G_AA_SOFT}, {farEdge + 1, G_AA_SOFT}};
    aaParallelLines(canvas, a, b, colour, edges, 4);
}

} // namespace cartoframe
