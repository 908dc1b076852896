// The overlays drawn over the map: the vehicle arrow, the pan control, the
// zoom buttons and the logo.
#include "DrawContext.h"

#include <cmath>

namespace cartoframe::drawview {
namespace {

constexpr double DEGREES_PER_HALF_TURN = 180.0;
constexpr int DEGREES_PER_TURN = 360;

// The arrow's shape turned by `angle` whole degrees (clockwise on the screen,
// 0 pointing up) and moved to `at`.
void arrowPoints(const TPoint& at, int angle, TPoint* out) {
    for (int i = 0; i < DV_ARROW_POINTS; ++i) {
        const double px = DV_ARROW_SHAPE[i].x;
        const double py = DV_ARROW_SHAPE[i].y;
        const double r = std::sqrt(px * px + py * py);
        const double degrees = DEGREES_PER_HALF_TURN - std::atan2(py, px) * DEGREES_PER_HALF_TURN / DV_PI + angle;
        const double theta = degrees * DV_PI / DEGREES_PER_HALF_TURN;
        out[i] = {at.x + static_cast<int>(r * std::cos(theta)), at.y + static_cast<int>(r * std::sin(theta))};
    }
}

void drawArrow(TDrawContext& dc) {
    if (dc.request.follow)
        dc.arrowPosition = dc.request.vehicle;
    const TPoint at = dc.projection.toScreen(dc.arrowPosition);
    int angle = dc.request.heading % DEGREES_PER_TURN;
    if (angle < 0)
        angle += DEGREES_PER_TURN;
    TPoint p[DV_ARROW_POINTS];
    arrowPoints(at, angle, p);
    const TPoint left[3] = {p[2], p[3], p[0]};
    const TPoint right[3] = {p[0], p[1], p[2]};
    g_FillPolygon(&dc.canvas, left, 3, DV_ARROW_LEFT_COLOUR);
    g_FillPolygon(&dc.canvas, right, 3, DV_ARROW_RIGHT_COLOUR);
    g_Line(&dc.canvas, p[0].x, p[0].y, p[2].x, p[2].y, DV_ARROW_CENTRE_COLOUR);
    g_Polygon(&dc.canvas, p, DV_ARROW_POINTS, DV_ARROW_OUTLINE_COLOUR);
}

void fillRect(TCanvas* canvas, const TPixelRect& r, TColor colour) {
    g_FillRect(canvas, r.left, r.top, r.right, r.bottom, colour);
}

void drawControls(TCanvas* canvas) {
    g_FillCircleBlend(canvas, DV_PAN_CENTRE.x, DV_PAN_CENTRE.y, DV_PAN_DISC_RADIUS, DV_CONTROL_DISC_COLOUR,
                      DV_CONTROL_DISC_WEIGHT);
    for (const TPoint* triangle : {DV_PAN_UP, DV_PAN_DOWN, DV_PAN_LEFT, DV_PAN_RIGHT})
        g_FillPolygon(canvas, triangle, 3, DV_CONTROL_COLOUR);
    g_FillCircle(canvas, DV_PAN_CENTRE.x, DV_PAN_CENTRE.y, DV_PAN_DOT_RADIUS, DV_CONTROL_COLOUR);

    const TPixelRect& in = DV_ZOOM_IN_BUTTON;
    g_FillRectHalf(canvas, in.left, in.top, in.right, in.bottom, DV_ZOOM_COLOUR);
    fillRect(canvas, DV_ZOOM_IN_BAR, DV_ZOOM_SIGN_COLOUR);
    fillRect(canvas, DV_ZOOM_IN_UPRIGHT, DV_ZOOM_SIGN_COLOUR);
    const TPixelRect& out = DV_ZOOM_OUT_BUTTON;
    g_FillRectHalf(canvas, out.left, out.top, out.right, out.bottom, DV_ZOOM_COLOUR);
    fillRect(canvas, DV_ZOOM_OUT_BAR, DV_ZOOM_SIGN_COLOUR);
}

void drawLogo(TDrawContext& dc) {
    if (!dc.logo)
        return;
    g_PutImageKeyBlend(&dc.canvas, DV_LOGO_LEFT, dc.canvas.height - dc.logo->height - DV_LOGO_BOTTOM_GAP, dc.logo,
                       DV_LOGO_KEY, DV_LOGO_WEIGHT);
}

} // namespace

void drawOverlays(TDrawContext& dc) {
    drawArrow(dc);
    drawControls(&dc.canvas);
    drawLogo(dc);
}

} // namespace cartoframe::drawview
