#pragma once
// Polylines on the screen: thinning a polyline to the points a picture can
// show. A road or a track seen from far is many short segments whose bends
// lie within a pixel of a straight line; drawing them one by one costs a
// thick line each and shows nothing more than the straight line does.

#include "Canvas.h"

#include <cstddef>
#include <vector>

namespace cartoframe {

// Keeps the first and the last point and as few others as it can, in
// order, in place, so that every point of the original lies within
// `tolerance` pixels of the thinned polyline. Answers the number of points
// kept. A single pass (the sleeve method): a run of points is replaced by
// one segment from its first point while every point of the run lies within
// the tolerance of one direction from it and the run keeps moving away.
int dv_ThinPolyline(TPoint* points, int count, double tolerance);

// Window bounds grown by a margin, with the outcode test that tells a
// segment lying wholly beyond one side of them.
struct TScreenBounds {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;

    static TScreenBounds ofWindow(int width, int height, int margin) {
        return {-margin, -margin, width - 1 + margin, height - 1 + margin};
    }
    unsigned outcode(const TPoint& p) const {
        return (p.x < left ? 1u : 0u) | (p.x > right ? 2u : 0u) | (p.y < top ? 4u : 0u) | (p.y > bottom ? 8u : 0u);
    }
};

// Appends a point to the polyline that starts at index `first` of points,
// leaving out what cannot show: a point on the same pixel as the last one
// is merged with it, and the last point is replaced by the new one when it,
// the point before it and the new one all lie beyond the same side of the
// bounds (the segment that replaces its two lies beyond that side too).
inline void dv_AppendScreenPoint(std::vector<TPoint>& points, std::size_t first, TPoint p,
                                 const TScreenBounds& bounds) {
    const std::size_t count = points.size() - first;
    if (count >= 1 && points.back().x == p.x && points.back().y == p.y)
        return;
    if (count >= 2 &&
        (bounds.outcode(points[points.size() - 2]) & bounds.outcode(points.back()) & bounds.outcode(p)) != 0) {
        points.back() = p;
        return;
    }
    points.push_back(p);
}

} // namespace cartoframe
