// Names laid along roads: the segments collected for a name, the run of its
// characters over them, and their squares on the label grid.
#include "RoadNameLayout.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace cartoframe::drawview {
namespace {

long long floorDiv(long long value, long long divisor) {
    const long long q = value / divisor;
    return (value % divisor != 0 && value < 0) ? q - 1 : q;
}

// --- Clipping a collected segment to the window ---

enum : unsigned { kLeft = 1, kRight = 2, kAbove = 4, kBelow = 8 };
// Each end point can be moved onto at most two edges.
constexpr int kClipRounds = 4;

unsigned outcode(long long x, long long y, const TWindowRect& w) {
    unsigned code = 0;
    if (x < w.left)
        code |= kLeft;
    else if (x > w.right)
        code |= kRight;
    if (y < w.top)
        code |= kAbove;
    else if (y > w.bottom)
        code |= kBelow;
    return code;
}

// Cohen-Sutherland with integer crossings; false when nothing is left.
bool clipSegment(long long& x0, long long& y0, long long& x1, long long& y1, const TWindowRect& w) {
    for (int round = 0; round < kClipRounds; ++round) {
        const unsigned c0 = outcode(x0, y0, w);
        const unsigned c1 = outcode(x1, y1, w);
        if ((c0 | c1) == 0)
            return true;
        if ((c0 & c1) != 0)
            return false;
        const unsigned c = c0 ? c0 : c1;
        long long x = 0;
        long long y = 0;
        if (c & kAbove) {
            y = w.top;
            x = x0 + (x1 - x0) * (y - y0) / (y1 - y0);
        } else if (c & kBelow) {
            y = w.bottom;
            x = x0 + (x1 - x0) * (y - y0) / (y1 - y0);
        } else if (c & kRight) {
            x = w.right;
            y = y0 + (y1 - y0) * (x - x0) / (x1 - x0);
        } else {
            x = w.left;
            y = y0 + (y1 - y0) * (x - x0) / (x1 - x0);
        }
        if (c == c0) {
            x0 = x;
            y0 = y;
        } else {
            x1 = x;
            y1 = y;
        }
    }
    return outcode(x0, y0, w) == 0 && outcode(x1, y1, w) == 0;
}

// --- The run of a name ---

// Coordinates along the run (u) and across it (v).
struct TRunAxis {
    bool alongX = true;
    int u(TPoint p) const { return alongX ? p.x : p.y; }
    int v(TPoint p) const { return alongX ? p.y : p.x; }
};

// Where the road lies across the run at u: on the first collected segment
// whose span holds u (linear interpolation), else at the nearest segment end
// within DV_NAME_COVER_SLACK. False when no segment comes that close.
bool roadAcross(const TPoint* points, int count, const TRunAxis& axis, long long u, long long* v) {
    long long nearest = std::numeric_limits<long long>::max();
    long long nearestV = 0;
    for (int k = 0; k + 1 < count; k += 2) {
        long long u0 = axis.u(points[k]);
        long long v0 = axis.v(points[k]);
        long long u1 = axis.u(points[k + 1]);
        long long v1 = axis.v(points[k + 1]);
        if (u0 > u1) {
            std::swap(u0, u1);
            std::swap(v0, v1);
        }
        if (u >= u0 && u <= u1) {
            *v = u1 == u0 ? v0 : v0 + (v1 - v0) * (u - u0) / (u1 - u0);
            return true;
        }
        const long long distance = u < u0 ? u0 - u : u - u1;
        if (distance < nearest) {
            nearest = distance;
            nearestV = u < u0 ? v0 : v1;
        }
    }
    if (nearest > DV_NAME_COVER_SLACK)
        return false;
    *v = nearestV;
    return true;
}

void freeCharacters(TLabelGrid* labels, const std::vector<TNameCharacter>& characters, std::size_t taken) {
    for (std::size_t i = 0; i < taken; ++i)
        lg_FreeCharacter(labels, characters[i].column * DV_LABEL_CELL, characters[i].row * DV_LABEL_CELL);
}

// One attempt starting at u = start: every character placed, or none.
bool layRun(TLabelGrid* labels, const TPoint* points, int count, const TRunAxis& axis, long long start,
            std::vector<TNameCharacter>* characters) {
    long long previousU = 0;
    long long previousV = 0;
    for (std::size_t i = 0; i < characters->size(); ++i) {
        // The character's centre: the middle of its slot of the run.
        const long long u = start + static_cast<long long>(i) * DV_NAME_CHAR_STEP + DV_NAME_CHAR_STEP / 2;
        long long v = 0;
        if (!roadAcross(points, count, axis, u, &v)) {
            freeCharacters(labels, *characters, i);
            return false;
        }
        // The square's top-left corner, rounded to the nearest cell.
        const int half = DV_CHARACTER_SIDE / 2;
        const int rounding = DV_LABEL_CELL / 2;
        long long cellU = floorDiv(u - half + rounding, DV_LABEL_CELL);
        long long cellV = floorDiv(v - half + rounding, DV_LABEL_CELL);
        // Across the run a character stays in line with its predecessor
        // while the road is less than a cell from that square's centre, so a
        // road that wavers by a few pixels does not break its name into
        // steps; a slanting road still moves it on.
        if (i > 0 && std::llabs(v - (previousV * DV_LABEL_CELL + half)) < DV_LABEL_CELL)
            cellV = previousV;
        // Squares are a pixel wider than the step between characters, so each
        // starts at least a whole square after its predecessor along the run
        // (a name never collides with itself; it grows by at most a pixel a
        // character).
        if (i > 0)
            cellU = std::max(cellU, previousU + DV_CHARACTER_CELLS);
        TNameCharacter& c = (*characters)[i];
        const long long column = axis.alongX ? cellU : cellV;
        const long long row = axis.alongX ? cellV : cellU;
        // Cells far outside any window cannot be taken; keep them in range.
        if (std::llabs(column) > labels->columns + DV_CHARACTER_CELLS ||
            std::llabs(row) > labels->rows + DV_CHARACTER_CELLS ||
            !lg_TakeCharacter(labels, static_cast<int>(column) * DV_LABEL_CELL,
                              static_cast<int>(row) * DV_LABEL_CELL)) {
            freeCharacters(labels, *characters, i);
            return false;
        }
        c.column = static_cast<int>(column);
        c.row = static_cast<int>(row);
        previousU = cellU;
        previousV = cellV;
    }
    return true;
}

} // namespace

void splitCharacters(const char* name, std::vector<TNameCharacter>* out) {
    out->clear();
    if (!name)
        return;
    for (const char* p = name; *p;) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte < G_TEXT_FIRST_PRINTABLE) {
            ++p;
        } else if (byte > G_TEXT_LAST_SINGLE_BYTE) {
            if (!p[1])
                break;
            out->push_back({p, 2, 0, 0});
            p += 2;
        } else {
            out->push_back({p, 1, 0, 0});
            ++p;
        }
    }
}

bool layoutAlongRoad(TLabelGrid* labels, const char* name, const TPoint* points, int count,
                     std::vector<TNameCharacter>* out) {
    out->clear();
    if (!labels || !name || !points || count < 2)
        return false;
    count -= count % 2;
    int minX = points[0].x, maxX = points[0].x, minY = points[0].y, maxY = points[0].y;
    for (int k = 1; k < count; ++k) {
        minX = std::min(minX, points[k].x);
        maxX = std::max(maxX, points[k].x);
        minY = std::min(minY, points[k].y);
        maxY = std::max(maxY, points[k].y);
    }
    const long long width = static_cast<long long>(maxX) - minX;
    const long long height = static_cast<long long>(maxY) - minY;
    const TRunAxis axis{3 * height < 2 * width};
    const long long extent = axis.alongX ? width : height;
    const long long extentStart = axis.alongX ? minX : minY;

    splitCharacters(name, out);
    const long long run = static_cast<long long>(out->size()) * DV_NAME_CHAR_STEP;
    if (out->empty() || extent < run) {
        out->clear();
        return false;
    }
    if (layRun(labels, points, count, axis, extentStart + (extent - run) / 2, out) ||
        layRun(labels, points, count, axis, extentStart + DV_NAME_SECOND_START, out))
        return true;
    out->clear();
    return false;
}

void drawLaidName(TCanvas* canvas, TText* font, const std::vector<TNameCharacter>& characters) {
    const int height = g_TextHeight(font);
    for (const TNameCharacter& c : characters) {
        char text[3] = {};
        for (int i = 0; i < c.length && i < 2; ++i)
            text[i] = c.text[i];
        const int width = g_TextWidth(font, text);
        g_DrawText(canvas, font, c.column * DV_LABEL_CELL + std::max(0, DV_CHARACTER_SIDE - width) / 2,
                   c.row * DV_LABEL_CELL + std::max(0, DV_CHARACTER_SIDE - height) / 2, text);
    }
}

bool addNameSegment(TNamePoolEntry* entry, const TWindowRect& window, TPoint a, TPoint b) {
    if (!entry || entry->count < 0 || entry->count + 2 > DV_NAME_POINTS_MAX)
        return false;
    long long x0 = a.x, y0 = a.y, x1 = b.x, y1 = b.y;
    if (!clipSegment(x0, y0, x1, y1, window))
        return false;
    if (std::llabs(x1 - x0) <= DV_SEGMENT_MIN_ACROSS && std::llabs(y1 - y0) < DV_SEGMENT_MIN_DOWN)
        return false;
    entry->points[entry->count++] = {static_cast<int>(x0), static_cast<int>(y0)};
    entry->points[entry->count++] = {static_cast<int>(x1), static_cast<int>(y1)};
    return true;
}

} // namespace cartoframe::drawview
