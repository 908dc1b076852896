#pragma once
// The projection between map units and window pixels for one picture.
//
// With the window rectangle (left, top, right, bottom), half-width
// hw = (right - left + 1) / 2, half-height hh = (bottom - top + 1) / 2, the
// centre (cx, cy) and the scale value s (map units per 37 pixels):
//   to the screen: sx = left + trunc((x - cx) * 37 / s) + hw,
//                  sy = top + hh - trunc((y - cy) * 37 / s);
//   to the map:    x = cx + trunc(s * (sx - hw) / 37),
//                  y = cy - trunc(s * (sy - hh) / 37);
// computed in floating point and truncated toward zero. Screen coordinates
// far outside the window are held to +-DV_SCREEN_LIMIT so that the canvas's
// clipping never sees an overflowing value.

#include "Canvas.h"
#include "DrawTables.h"
#include "MapProcess.h"

namespace cartoframe {

inline constexpr double DV_SCREEN_LIMIT = 1 << 24;

struct TProjection {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int halfWidth = 0;
    int halfHeight = 0;
    TMapPoint centre;
    int scaleValue = DV_SCALE_TABLE[DV_START_STEP];

    static TProjection make(int width, int height, TMapPoint centre, int scaleValue) {
        TProjection p;
        p.right = width - 1;
        p.bottom = height - 1;
        p.halfWidth = (p.right - p.left + 1) / 2;
        p.halfHeight = (p.bottom - p.top + 1) / 2;
        p.centre = centre;
        p.scaleValue = scaleValue;
        return p;
    }

    TPoint toScreen(TMapPoint m) const {
        const double k = static_cast<double>(DV_SCALE_PIXELS) / scaleValue;
        return {left + hold(static_cast<double>(m.x - static_cast<long long>(centre.x)) * k) + halfWidth,
                top + halfHeight - hold(static_cast<double>(m.y - static_cast<long long>(centre.y)) * k)};
    }

    TMapPoint toMap(int sx, int sy) const {
        return {centre.x + static_cast<int>(static_cast<double>(scaleValue) * (sx - halfWidth) / DV_SCALE_PIXELS),
                centre.y - static_cast<int>(static_cast<double>(scaleValue) * (sy - halfHeight) / DV_SCALE_PIXELS)};
    }

    // The bounding box of the four window corners taken to the map.
    TMapRect viewRect() const {
        const TMapPoint a = toMap(left, top);
        const TMapPoint b = toMap(right, bottom);
        return {a.x < b.x ? a.x : b.x, a.y > b.y ? a.y : b.y, a.x > b.x ? a.x : b.x, a.y < b.y ? a.y : b.y};
    }

private:
    static int hold(double v) {
        if (v > DV_SCREEN_LIMIT)
            return static_cast<int>(DV_SCREEN_LIMIT);
        if (v < -DV_SCREEN_LIMIT)
            return -static_cast<int>(DV_SCREEN_LIMIT);
        return static_cast<int>(v); // truncates toward zero
    }
};

// Whether a map box (top > bottom) meets the view rectangle; boxes west of 0
// degrees or south of the equator (negative units) compare the same way.
inline bool dv_BoxMeetsView(const TMapRect& box, const TMapRect& view) {
    return box.left <= view.right && box.right >= view.left && box.bottom <= view.top && box.top >= view.bottom;
}

} // namespace cartoframe
