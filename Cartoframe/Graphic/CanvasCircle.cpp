// Filled circles: one span per row, the row at dy from the centre reaching
// floor(sqrt(r^2 - dy^2) + 0.5) pixels to either side. The square root is
// taken in integers, so the rounding is exact for any radius.
#include "Canvas.h"
#include "CanvasPixels.h"

#include <algorithm>
#include <cmath>

namespace cartoframe {

using namespace canvas_detail;

namespace {

// floor(sqrt(v) + 0.5) for 0 <= v < 2^62.
long long roundedSqrt(long long v) {
    long long root = static_cast<long long>(std::sqrt(static_cast<double>(v)));
    while (root > 0 && root * root > v)
        --root;
    while ((root + 1) * (root + 1) <= v)
        ++root;
    // sqrt(v) >= root + 1/2 exactly when v >= root^2 + root + 1/4, that is
    // (v being whole) when v - root^2 > root.
    return v - root * root > root ? root + 1 : root;
}

void circleSpans(TCanvas* canvas, int cx, int cy, int radius, TColor colour, int weight) {
    const ClipBox clip = clipOf(canvas);
    if (clip.empty() || radius < 0)
        return;
    const long long r = radius;
    const long long from = std::max<long long>(static_cast<long long>(cy) - r, clip.top);
    const long long to = std::min<long long>(static_cast<long long>(cy) + r, clip.bottom);
    for (long long y = from; y <= to; ++y) {
        const long long dy = y - cy;
        const long long half = roundedSqrt(r * r - dy * dy);
        blendSpan(canvas, cx - half, cx + half, y, colour, weight);
    }
}

} // namespace

void g_FillCircle(TCanvas* canvas, int cx, int cy, int radius, TColor colour) {
    circleSpans(canvas, cx, cy, radius, colour, G_WEIGHT_SOLID);
}

void g_FillCircleBlend(TCanvas* canvas, int cx, int cy, int radius, TColor colour, int weight) {
    circleSpans(canvas, cx, cy, radius, colour, weight);
}

} // namespace cartoframe
