// The driven track: a ring of the last DV_TRACK_MAX positions, drawn as
// thick lines with a pin at its oldest kept position.
#include "DrawContext.h"
#include "ScreenPolyline.h"

#include <vector>

namespace cartoframe {
namespace {

// The ring's storage is taken at the first position and kept until drawing
// is freed; first is the oldest position, count how many are kept.
struct TTrackRing {
    std::vector<TMapPoint> points;
    int first = 0;
    int count = 0;
};

TTrackRing g_track;

// The pin over the start of the track, its tip on the position.
void drawPin(TCanvas* canvas, const TPoint& at) {
    const int sx = at.x;
    const int sy = at.y;
    const int discY = sy - DV_PIN_LIFT;
    const TPoint outer[3] = {{sx - DV_PIN_OUTER_HALF_BASE, discY}, {sx + DV_PIN_OUTER_HALF_BASE, discY}, {sx, sy}};
    g_FillCircle(canvas, sx, discY, DV_PIN_OUTER_RADIUS, DV_PIN_OUTER_COLOUR);
    g_FillPolygon(canvas, outer, 3, DV_PIN_OUTER_COLOUR);
    const TPoint inner[3] = {{sx - DV_PIN_INNER_HALF_BASE, sy - DV_PIN_INNER_BASE_LIFT},
                             {sx + DV_PIN_INNER_HALF_BASE, sy - DV_PIN_INNER_BASE_LIFT},
                             {sx, sy - DV_PIN_INNER_TIP_LIFT}};
    g_FillCircle(canvas, sx, discY, DV_PIN_INNER_RADIUS, DV_PIN_INNER_COLOUR);
    g_FillPolygon(canvas, inner, 3, DV_PIN_INNER_COLOUR);
    g_FillCircle(canvas, sx, discY, DV_PIN_DOT_RADIUS, DV_PIN_OUTER_COLOUR);
}

} // namespace

void dv_TrackAdd(TMapPoint point) {
    if (g_track.points.empty())
        g_track.points.resize(DV_TRACK_MAX);
    if (g_track.count < DV_TRACK_MAX) {
        g_track.points[static_cast<std::size_t>((g_track.first + g_track.count) % DV_TRACK_MAX)] = point;
        ++g_track.count;
    } else {
        // Full: the newest position takes the oldest one's place.
        g_track.points[static_cast<std::size_t>(g_track.first)] = point;
        g_track.first = (g_track.first + 1) % DV_TRACK_MAX;
    }
}

void dv_TrackClear() {
    g_track.first = 0;
    g_track.count = 0;
}

int dv_TrackCount() { return g_track.count; }

TMapPoint dv_TrackAt(int i) {
    if (i < 0 || i >= g_track.count)
        return {};
    return g_track.points[static_cast<std::size_t>((g_track.first + i) % DV_TRACK_MAX)];
}

namespace drawview {

void dv_TrackRelease() { g_track = TTrackRing{}; }

void drawTrack(TDrawContext& dc) {
    if (g_track.count == 0)
        return;
    // The positions on the screen, without what cannot show (those that meet
    // on one pixel, runs beyond one side of the window), then thinned: a long
    // drive seen from far costs a few segments instead of thousands.
    const TScreenBounds window = TScreenBounds::ofWindow(dc.canvas.width, dc.canvas.height, DV_DRAW_REACH_PIXELS);
    std::vector<TPoint>& points = dc.trackPoints;
    points.clear();
    const TPoint start = dc.projection.toScreen(dv_TrackAt(0));
    points.push_back(start);
    for (int i = 1; i < g_track.count; ++i)
        dv_AppendScreenPoint(points, 0, dc.projection.toScreen(dv_TrackAt(i)), window);
    const int count = dv_ThinPolyline(points.data(), static_cast<int>(points.size()), DV_THIN_PIXELS);
    unsigned code = window.outcode(points[0]);
    for (std::size_t k = 1; k < static_cast<std::size_t>(count); ++k) {
        const TPoint& from = points[k - 1];
        const TPoint& to = points[k];
        const unsigned nextCode = window.outcode(to);
        if ((code & nextCode) == 0)
            g_ThickLine(&dc.canvas, from.x, from.y, to.x, to.y, DV_TRACK_COLOUR, DV_TRACK_WIDTH);
        code = nextCode;
    }
    drawPin(&dc.canvas, start);
}

} // namespace drawview
} // namespace cartoframe
