#include "VisibleGrids.h"

#include "MapData.h"

#include <algorithm>

namespace cartoframe {
namespace {

using mapdata::floorDiv;

constexpr int MARGIN_SCALE_FACTOR = 3; // label and road reach in scale values

TVisibleGrid g_visible[VISIBLE_GRID_MAX];
int g_visibleCount = 0;

// The grid columns (or rows) met by a walk from start, in steps of one grid,
// while below end: first and count.
struct TWalk {
    long long first = 0;
    long long count = 0;
};

TWalk walkGrids(long long start, long long end) {
    TWalk walk;
    walk.first = floorDiv(start, MAP_GRID_SIZE);
    walk.count = end > start ? (end - start + MAP_GRID_SIZE - 1) / MAP_GRID_SIZE : 0;
    return walk;
}

struct TSpan {
    long long low;
    long long high;
};

// Records grid g if it meets the rounded view; answers false when the list is full.
bool addGrid(int g, const TMapPoint& corner, const TSpan& xs, const TSpan& ys) {
    const long long gridLeft = corner.x;
    const long long gridBottom = corner.y;
    const long long gridRight = gridLeft + MAP_GRID_SIZE;
    const long long gridTop = gridBottom + MAP_GRID_SIZE;
    const long long left = std::max(gridLeft, xs.low);
    const long long right = std::min(gridRight, xs.high);
    const long long bottom = std::max(gridBottom, ys.low);
    const long long top = std::min(gridTop, ys.high);
    if (left >= right || bottom >= top)
        return true;
    if (g_visibleCount == VISIBLE_GRID_MAX)
        return false;
    TVisibleGrid& entry = g_visible[g_visibleCount++];
    entry.grid = g;
    entry.whole = xs.low <= gridLeft && xs.high >= gridRight && ys.low <= gridBottom && ys.high >= gridTop;
    entry.subCellCount = 0;
    if (entry.whole)
        return true;
    for (long long column = (left - gridLeft) / MAP_SUBCELL_SIZE; column < (right - gridLeft) / MAP_SUBCELL_SIZE;
         ++column)
        for (long long row = (bottom - gridBottom) / MAP_SUBCELL_SIZE; row < (top - gridBottom) / MAP_SUBCELL_SIZE;
             ++row)
            entry.subCells[entry.subCellCount++] = static_cast<unsigned char>(column + row * MAP_SUBCELLS_PER_SIDE);
    return true;
}

} // namespace

int mp_SelectVisibleGrids(const TViewRequest& request) {
    g_visibleCount = 0;
    if (!mp_IsLoaded() || request.windowHeight <= 0 || request.windowWidth < 0 || request.scaleValue < 0)
        return 0;
    const TMapBounds bounds = mp_GetBounds();
    const long long reachY = static_cast<long long>(request.scaleValue) * MARGIN_SCALE_FACTOR;
    const long long reachX = reachY * request.windowWidth / request.windowHeight;
    const TMapRect& view = request.view;
    // The walk runs from the view's near edges to the centre plus the margin,
    // which covers every view whose half size is below a grid; a larger view
    // (a very wide window at a small scale) is walked to its far edges.
    const long long farX = std::max(request.centre.x, view.right);
    const long long farY = std::max(request.centre.y, view.top);
    const TWalk columns = walkGrids(static_cast<long long>(view.left) - reachX - MAP_GRID_SIZE,
                                    farX + reachX + MAP_GRID_SIZE);
    const TWalk rows = walkGrids(static_cast<long long>(view.bottom) - reachY - MAP_GRID_SIZE,
                                 farY + reachY + MAP_GRID_SIZE);
    const TSpan xs{floorDiv(view.left, MAP_SUBCELL_SIZE) * MAP_SUBCELL_SIZE,
                   -floorDiv(-static_cast<long long>(view.right), MAP_SUBCELL_SIZE) * MAP_SUBCELL_SIZE};
    const TSpan ys{floorDiv(view.bottom, MAP_SUBCELL_SIZE) * MAP_SUBCELL_SIZE,
                   -floorDiv(-static_cast<long long>(view.top), MAP_SUBCELL_SIZE) * MAP_SUBCELL_SIZE};

    // Only grids of the map's extent: a column beyond it would wrap into the
    // neighbouring row's grids, a row below it gives a negative number.
    const long long firstColumn = std::max(columns.first, static_cast<long long>(bounds.lowColumn));
    const long long lastColumn = std::min(columns.first + columns.count - 1, static_cast<long long>(bounds.highColumn));
    const long long firstRow = std::max(rows.first, static_cast<long long>(bounds.lowRow));
    const long long lastRow = std::min(rows.first + rows.count - 1, static_cast<long long>(bounds.highRow));
    for (long long column = firstColumn; column <= lastColumn; ++column) {
        for (long long row = firstRow; row <= lastRow; ++row) {
            const long long g = (row - bounds.lowRow) * bounds.columns + column - bounds.lowColumn;
            TMapPoint corner;
            if (g >= MAP_GRID_MAX || !mp_GetGridCorner(static_cast<int>(g), &corner))
                continue;
            if (!addGrid(static_cast<int>(g), corner, xs, ys))
                return g_visibleCount;
        }
    }
    return g_visibleCount;
}

int mp_GetVisibleGridCount() { return g_visibleCount; }

const TVisibleGrid* mp_GetVisibleGrid(int i) {
    return i >= 0 && i < g_visibleCount ? &g_visible[i] : nullptr;
}

} // namespace cartoframe
