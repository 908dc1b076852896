#pragma once
// Plane geometry in map units (1/100000 degree; x east, y north): cutting
// lines and polygons at grid boundaries, thinning shapes, and turning a river
// line into a strip.

#include <cstdint>
#include <vector>

namespace kyvo::mapforge {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

using Polyline = std::vector<Point>;

inline constexpr int kUnitsPerDegree = 100000;
inline constexpr int kGridSize = 10000;

// Degrees to map units, truncated as the map library converts positions.
Point toMapUnits(double lon, double lat);

long long floorDiv(long long value, long long divisor);

struct GridCell {
    int column = 0;
    int row = 0;
    friend bool operator==(const GridCell&, const GridCell&) = default;
};

// The part of a polyline inside one grid square.
struct GridPiece {
    GridCell cell;
    Polyline points;
};

// Cuts a polyline wherever it crosses a grid boundary; the crossing point
// ends one piece and starts the next. Consecutive equal points are dropped.
std::vector<GridPiece> splitAtGridBoundaries(const Polyline& line);

// The polygon (closing edge implied) clipped to the square of a grid.
Polyline clipToGrid(const Polyline& polygon, const GridCell& cell);

// The grid square range that a set of points touches.
struct CellRange {
    GridCell low;
    GridCell high;
};
CellRange cellRange(const Polyline& points);

// Douglas-Peucker thinning with the tolerance in map units; end points stay.
Polyline simplify(const Polyline& line, double tolerance);
// Thins a shape until it has fewer than maxPoints points.
Polyline thinBelow(const Polyline& line, std::size_t maxPoints);

// A closed polygon around a line, width units wide.
Polyline stripAround(const Polyline& line, int width);

// Drops consecutive duplicates (and a closing point equal to the first).
Polyline withoutRepeats(const Polyline& line, bool closed);

} // namespace kyvo::mapforge
