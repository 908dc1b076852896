#pragma once
// Inside the canvas: the primitives on 64-bit coordinates, for the shapes
// that build on others (a thick line offsets its end points, a dash draws a
// square around each step) without overflowing near the int range's ends.
// Shared by the canvas's source files only.

#include "Canvas.h"

namespace cartoframe::canvas_detail {

struct TPointL {
    long long x = 0;
    long long y = 0;
};

// The column from y1 to y2 (either order, both included) at x, clipped,
// written with the weight.
void blendColumn(TCanvas* canvas, long long x, long long y1, long long y2, TColor colour, int weight);
// Rows y1 to y2 of columns x1 to x2 (each pair in either order), clipped.
void blendBlock(TCanvas* canvas, long long x1, long long y1, long long x2, long long y2, TColor colour, int weight);
// The outline of the rectangle with corners (x1, y1) and (x2, y2), either order.
void rectOutline(TCanvas* canvas, long long x1, long long y1, long long x2, long long y2, TColor colour);

void fillPolygonWide(TCanvas* canvas, const TPointL* points, int count, TColor colour);
void aaLineWide(TCanvas* canvas, TPointL from, TPointL to, TColor colour, TAALineSetting setting);

// Anti-aliased copies of the line from-to moved `offset` pixels along its
// minor axis (y when |dx| >= |dy|), drawn in the order given: the same
// pixels as drawing each copy with aaLineWide in turn, with one walk.
inline constexpr int G_AA_MAX_PASSES = 4;
struct TAAPass {
    long long offset = 0;
    TAALineSetting setting = G_AA_STRONG;
};
void aaParallelLines(TCanvas* canvas, TPointL from, TPointL to, TColor colour, const TAAPass* passes, int count);

} // namespace cartoframe::canvas_detail
