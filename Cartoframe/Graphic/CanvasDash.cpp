// The dashed polyline of line features: each segment is walked pixel by
// pixel along its major axis from its first point, and every step draws the
// outline of a square of side 2 * penSize - 1 centred on the step, in runs of
// 20 black and 20 white steps that start afresh at every segment. Steps whose
// square cannot touch the clip are skipped without walking them (in closed
// form), so the pattern stays the same wherever the clip cuts a segment.
#include "Canvas.h"
#include "CanvasPixels.h"
#include "CanvasPrimitives.h"
#include "LineClip.h"

namespace cartoframe {

using namespace canvas_detail;

namespace {

constexpr long long kDashRun = 20;
constexpr TColor kDashFirst = 0x000000;
constexpr TColor kDashSecond = 0xFFFFFF;
// Larger pens are refused: they would only widen the range of steps walked.
constexpr int kDashMaxPen = 255;

void dashSegment(TCanvas* canvas, const ClipBox& clip, const TPoint& from, const TPoint& to, long long reach) {
    LineWalk walk(from.x, from.y, to.x, to.y, LineWalk::kMidpoint);
    long long first = 0;
    long long last = 0;
    if (!walk.stepRange(clip, reach, first, last))
        return;
    for (walk.seek(first); walk.step() <= last; walk.advance()) {
        const TColor colour = (walk.step() / kDashRun) % 2 == 0 ? kDashFirst : kDashSecond;
        const long long x = walk.x();
        const long long y = walk.y();
        rectOutline(canvas, x - reach, y - reach, x + reach, y + reach, colour);
    }
}

} // namespace

void g_DashLine(TCanvas* canvas, const TPoint* points, int count, int penSize) {
    const ClipBox clip = clipOf(canvas);
    if (clip.empty() || points == nullptr || count < 2 || penSize < 1 || penSize > kDashMaxPen)
        return;
    const long long reach = penSize - 1; // from the centre to the square's sides
    for (int i = 0; i + 1 < count; ++i)
        dashSegment(canvas, clip, points[i], points[i + 1], reach);
}

} // namespace cartoframe
