#include "MapGeometry.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kyvo::mapforge {

Point toMapUnits(double lon, double lat) {
    return {static_cast<int>(lon * kUnitsPerDegree), static_cast<int>(lat * kUnitsPerDegree)};
}

long long floorDiv(long long value, long long divisor) {
    const long long quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

namespace {

GridCell cellOf(double x, double y) {
    return {static_cast<int>(std::floor(x / kGridSize)), static_cast<int>(std::floor(y / kGridSize))};
}

Point lerp(const Point& a, const Point& b, double t) {
    return {static_cast<int>(std::lround(a.x + (b.x - a.x) * t)), static_cast<int>(std::lround(a.y + (b.y - a.y) * t))};
}

// Parameters in (0, 1) where a -> b crosses a multiple of the grid size on one axis.
void crossings(int from, int to, std::vector<double>& out) {
    if (from == to)
        return;
    const long long low = std::min(from, to);
    const long long high = std::max(from, to);
    for (long long line = (floorDiv(low, kGridSize) + 1) * kGridSize; line < high; line += kGridSize)
        out.push_back(static_cast<double>(line - from) / (to - from));
}

void appendPoint(Polyline& line, const Point& point) {
    if (line.empty() || !(line.back() == point))
        line.push_back(point);
}

} // namespace

std::vector<GridPiece> splitAtGridBoundaries(const Polyline& line) {
    std::vector<GridPiece> pieces;
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const Point& a = line[i];
        const Point& b = line[i + 1];
        std::vector<double> cuts{0.0};
        crossings(a.x, b.x, cuts);
        crossings(a.y, b.y, cuts);
        cuts.push_back(1.0);
        std::sort(cuts.begin(), cuts.end());
        for (std::size_t c = 0; c + 1 < cuts.size(); ++c) {
            const Point from = c == 0 ? a : lerp(a, b, cuts[c]);
            const Point to = c + 2 == cuts.size() ? b : lerp(a, b, cuts[c + 1]);
            if (from == to)
                continue;
            const double middle = (cuts[c] + cuts[c + 1]) / 2;
            const GridCell cell = cellOf(a.x + (b.x - a.x) * middle, a.y + (b.y - a.y) * middle);
            if (pieces.empty() || !(pieces.back().cell == cell) || !(pieces.back().points.back() == from))
                pieces.push_back({cell, {from}});
            appendPoint(pieces.back().points, to);
        }
    }
    return pieces;
}

namespace {

// One Sutherland-Hodgman pass against the half-plane inside(p).
template <typename Inside, typename Cross> Polyline clipEdge(const Polyline& polygon, Inside inside, Cross cross) {
    Polyline out;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point& current = polygon[i];
        const Point& previous = polygon[(i + polygon.size() - 1) % polygon.size()];
        const bool currentIn = inside(current);
        if (currentIn != inside(previous))
            appendPoint(out, cross(previous, current));
        if (currentIn)
            appendPoint(out, current);
    }
    return out;
}

Point crossAtX(const Point& a, const Point& b, int x) {
    const double t = static_cast<double>(x - a.x) / (b.x - a.x);
    return {x, static_cast<int>(std::lround(a.y + (b.y - a.y) * t))};
}

Point crossAtY(const Point& a, const Point& b, int y) {
    const double t = static_cast<double>(y - a.y) / (b.y - a.y);
    return {static_cast<int>(std::lround(a.x + (b.x - a.x) * t)), y};
}

} // namespace

Polyline clipToGrid(const Polyline& polygon, const GridCell& cell) {
    const int left = cell.column * kGridSize;
    const int bottom = cell.row * kGridSize;
    const int right = left + kGridSize;
    const int top = bottom + kGridSize;
    Polyline out = clipEdge(
        polygon, [&](const Point& p) { return p.x >= left; },
        [&](const Point& a, const Point& b) { return crossAtX(a, b, left); });
    out = clipEdge(
        out, [&](const Point& p) { return p.x <= right; },
        [&](const Point& a, const Point& b) { return crossAtX(a, b, right); });
    out = clipEdge(
        out, [&](const Point& p) { return p.y >= bottom; },
        [&](const Point& a, const Point& b) { return crossAtY(a, b, bottom); });
    out = clipEdge(
        out, [&](const Point& p) { return p.y <= top; },
        [&](const Point& a, const Point& b) { return crossAtY(a, b, top); });
    return withoutRepeats(out, true);
}

CellRange cellRange(const Polyline& points) {
    CellRange range{{INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MIN}};
    for (const Point& p : points) {
        const GridCell cell{static_cast<int>(floorDiv(p.x, kGridSize)), static_cast<int>(floorDiv(p.y, kGridSize))};
        range.low = {std::min(range.low.column, cell.column), std::min(range.low.row, cell.row)};
        range.high = {std::max(range.high.column, cell.column), std::max(range.high.row, cell.row)};
    }
    return range;
}

namespace {

double distanceToSegment(const Point& p, const Point& a, const Point& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 == 0 ? 0 : ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Marks the points that thinning keeps; an explicit stack keeps long shapes
// off the call stack.
void keepFarthest(const Polyline& line, double tolerance, std::vector<bool>& keep) {
    std::vector<std::pair<std::size_t, std::size_t>> spans{{0, line.size() - 1}};
    while (!spans.empty()) {
        const auto [first, last] = spans.back();
        spans.pop_back();
        double farthest = -1;
        std::size_t index = first;
        for (std::size_t i = first + 1; i < last; ++i) {
            const double distance = distanceToSegment(line[i], line[first], line[last]);
            if (distance > farthest) {
                farthest = distance;
                index = i;
            }
        }
        if (index == first || farthest <= tolerance)
            continue;
        keep[index] = true;
        spans.emplace_back(first, index);
        spans.emplace_back(index, last);
    }
}

} // namespace

Polyline simplify(const Polyline& line, double tolerance) {
    if (line.size() < 3)
        return line;
    std::vector<bool> keep(line.size(), false);
    keep.front() = keep.back() = true;
    keepFarthest(line, tolerance, keep);
    Polyline out;
    for (std::size_t i = 0; i < line.size(); ++i)
        if (keep[i])
            out.push_back(line[i]);
    return out;
}

Polyline thinBelow(const Polyline& line, std::size_t maxPoints) {
    Polyline out = line;
    for (double tolerance = 1; out.size() >= maxPoints; tolerance *= 2)
        out = simplify(line, tolerance);
    return out;
}

Polyline stripAround(const Polyline& line, int width) {
    if (line.size() < 2)
        return {};
    const double half = width / 2.0;
    Polyline left;
    Polyline right;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const Point& before = line[i == 0 ? 0 : i - 1];
        const Point& after = line[i + 1 == line.size() ? i : i + 1];
        const double dx = after.x - before.x;
        const double dy = after.y - before.y;
        const double length = std::hypot(dx, dy);
        if (length == 0)
            continue;
        const double nx = -dy / length * half;
        const double ny = dx / length * half;
        left.push_back({static_cast<int>(std::lround(line[i].x + nx)), static_cast<int>(std::lround(line[i].y + ny))});
        right.push_back({static_cast<int>(std::lround(line[i].x - nx)), static_cast<int>(std::lround(line[i].y - ny))});
    }
    left.insert(left.end(), right.rbegin(), right.rend());
    return withoutRepeats(left, true);
}

Polyline withoutRepeats(const Polyline& line, bool closed) {
    Polyline out;
    for (const Point& p : line)
        appendPoint(out, p);
    while (closed && out.size() > 1 && out.front() == out.back())
        out.pop_back();
    return out;
}

} // namespace kyvo::mapforge
