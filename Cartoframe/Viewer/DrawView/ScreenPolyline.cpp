#include "ScreenPolyline.h"

#include <cmath>

namespace cartoframe {
namespace {

constexpr double TOLERANCE_SLACK = 1e-9;

struct TVector {
    double x = 0;
    double y = 0;
};

double cross(const TVector& a, const TVector& b) { return a.x * b.y - a.y * b.x; }

// The directions from an anchor that a segment may take so that the points
// of the run so far lie within the tolerance of it: from `low` turning
// counter-clockwise to `high` (never half a turn or more), unbounded until
// the first point beyond the tolerance. Kept as vectors, so that testing
// and narrowing need no trigonometry.
struct TSleeve {
    bool bounded = false;
    TVector low;
    TVector high;
    double reach = 0; // the farthest point of the run from the anchor

    bool admits(const TVector& d) const { return !bounded || (cross(low, d) >= 0 && cross(d, high) >= 0); }

    // Narrows the sleeve to the directions passing within tolerance of the
    // point d at `distance` (beyond the tolerance): d turned either way by
    // the angle whose sine is tolerance / distance.
    void narrow(const TVector& d, double distance, double tolerance) {
        const double sine = tolerance / distance;
        const double cosine = std::sqrt(1 - sine * sine);
        const TVector clockwise{cosine * d.x + sine * d.y, cosine * d.y - sine * d.x};
        const TVector counter{cosine * d.x - sine * d.y, cosine * d.y + sine * d.x};
        if (!bounded) {
            bounded = true;
            low = clockwise;
            high = counter;
            return;
        }
        if (cross(low, clockwise) > 0)
            low = clockwise;
        if (cross(high, counter) < 0)
            high = counter;
    }
};

} // namespace

int dv_ThinPolyline(TPoint* points, int count, double tolerance) {
    if (count <= 2 || tolerance <= 0)
        return count;
    // Points exactly the tolerance away (whole pixels off a straight run are
    // common) count as within it, whatever the rounding of the arithmetic.
    tolerance *= 1 + TOLERANCE_SLACK;
    int kept = 1;
    TPoint anchor = points[0];
    TPoint previous = points[0];
    TSleeve sleeve;
    for (int i = 1; i < count; ++i) {
        const TPoint p = points[i];
        for (;;) {
            const TVector d{static_cast<double>(p.x - anchor.x), static_cast<double>(p.y - anchor.y)};
            const double distance = std::sqrt(d.x * d.x + d.y * d.y);
            if (distance <= tolerance) {
                // Within the tolerance of the run's first point: fine while
                // the run has not gone anywhere; otherwise the run turns back.
                if (sleeve.reach <= tolerance)
                    break;
            } else {
                if (sleeve.admits(d) && distance + tolerance >= sleeve.reach) {
                    sleeve.narrow(d, distance, tolerance);
                    sleeve.reach = std::fmax(sleeve.reach, distance);
                    break;
                }
            }
            // The run ends at the previous point, which becomes a corner and
            // the anchor of the next run. (A run that has gone somewhere ends
            // at a point away from its anchor, so this always moves on.)
            points[kept++] = previous;
            anchor = previous;
            sleeve = TSleeve{};
        }
        previous = p;
    }
    points[kept++] = previous;
    return kept;
}

} // namespace cartoframe
