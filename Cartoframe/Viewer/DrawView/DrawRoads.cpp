// The roads of the "lines" pass: the road pool of one grid collected, sorted
// by class (alleys first, freeways last and on top), then drawn as borders
// and then fills, each segment a thick anti-aliased line.
//
// The pool and every scratch buffer are vectors kept in the drawing context
// between pictures: they grow to what the busiest picture needed, so no road
// is ever dropped, and once they have grown drawing allocates nothing.
#include "ColorTable.h"
#include "DrawContext.h"
#include "ScreenPolyline.h"
#include "ShapePoints.h"

#include <algorithm>

namespace cartoframe::drawview {
namespace {

int sortKey(int roadClass) { return roadClass == 0 ? DV_ALLEY_SORT_CLASS : roadClass; }

// Pools the road when its class is drawn at this step and its box comes
// near enough to the window to colour a pixel of it. `boxes` is the grid's
// box table, or null when it has none.
void poolRoad(TDrawContext& dc, int visibleIndex, int grid, int road, const TMapRect* boxes) {
    const int roadClass = mp_GetRoadClass(grid, road);
    if (dv_TableWidth(dc.request.step, roadClass) == 0)
        return;
    TMapRect box;
    if (boxes)
        box = boxes[road];
    else if (!mp_GetRoadBox(grid, road, &box))
        return;
    if (box.left > box.right || !dv_BoxMeetsView(box, dc.reachView))
        return;
    dc.roadPool.push_back(
        {static_cast<std::uint16_t>(roadClass), static_cast<std::uint16_t>(visibleIndex), grid, road});
}

// Sorts the pool's entries [first, first + count) by class, highest first,
// alleys counting as DV_ALLEY_SORT_CLASS. A counting sort: stable (object
// order stays within a class), linear, and without allocation once the
// scratch has grown.
void sortByClass(TDrawContext& dc, int first, int count) {
    int next[DV_ALLEY_SORT_CLASS + 1] = {};
    const auto begin = dc.roadPool.begin() + first;
    const auto end = begin + count;
    for (auto entry = begin; entry != end; ++entry)
        ++next[sortKey(entry->roadClass)];
    int position = 0;
    for (int key = DV_ALLEY_SORT_CLASS; key >= 0; --key) {
        const int size = next[key];
        next[key] = position;
        position += size;
    }
    dc.sortScratch.resize(static_cast<std::size_t>(count));
    for (auto entry = begin; entry != end; ++entry)
        dc.sortScratch[static_cast<std::size_t>(next[sortKey(entry->roadClass)]++)] = *entry;
    std::copy(dc.sortScratch.begin(), dc.sortScratch.begin() + count, begin);
}

// Ends the last run, which no further road joins: a run that shows less
// than a segment is dropped, any other is thinned.
void closeRun(TDrawContext& dc) {
    if (dc.roadShapes.empty())
        return;
    TRoadShape& run = dc.roadShapes.back();
    if (run.count < 2) {
        dc.roadPoints.resize(static_cast<std::size_t>(run.first));
        dc.roadShapes.pop_back();
        return;
    }
    run.count = dv_ThinPolyline(dc.roadPoints.data() + run.first, run.count, DV_THIN_PIXELS);
    dc.roadPoints.resize(static_cast<std::size_t>(run.first + run.count));
}

// Adds a pooled road to the grid's runs: it continues the last run when it
// has the same class and width and starts where that run ends (the next
// piece of the same street, as the data set stores streets cut at their
// junctions), otherwise it starts a new run. A run drawn as one polyline
// looks as its roads drawn one by one would, in the same order of classes,
// and the thinning can join the pieces' straight stretches.
void addRoad(TDrawContext& dc, const TRoadEntry& entry, const TScreenBounds& window) {
    const int width = roadWidth(dc, entry.grid, entry.object, entry.roadClass);
    if (width < 1)
        return;
    // Roads of more than DV_ROAD_POINTS_MAX points do not fit and are left out.
    TMapPoint* points = dc.mapPoints.data();
    const int count = mp_CopyRoadPoints(entry.grid, entry.object, points, DV_ROAD_POINTS_MAX);
    if (count < 2)
        return;
    const TPoint start = dc.projection.toScreen(points[0]);
    bool joins = false;
    if (!dc.roadShapes.empty()) {
        const TRoadShape& last = dc.roadShapes.back();
        const TPoint& end = dc.roadPoints.back();
        joins = last.roadClass == entry.roadClass && last.width == width && end.x == start.x && end.y == start.y;
    }
    if (!joins) {
        closeRun(dc);
        TRoadShape run;
        run.first = static_cast<int>(dc.roadPoints.size());
        run.width = width;
        run.border = width + (entry.roadClass == DV_FREEWAY_CLASS ? DV_FREEWAY_BORDER_EXTRA : DV_BORDER_EXTRA);
        run.roadClass = entry.roadClass;
        dc.roadShapes.push_back(run);
        dc.roadPoints.push_back(start);
    }
    TRoadShape& run = dc.roadShapes.back();
    for (int k = 1; k < count; ++k)
        dv_AppendScreenPoint(dc.roadPoints, static_cast<std::size_t>(run.first), dc.projection.toScreen(points[k]),
                             window);
    run.count = static_cast<int>(dc.roadPoints.size()) - run.first;
}

// Draws a run's segments with the given width and colour. Segments that lie
// wholly beyond one side of the window (grown by the line's reach) are
// skipped; the canvas clips the others exactly.
void strokeRun(TDrawContext& dc, const TRoadShape& run, const TScreenBounds& window, int width, TColor colour) {
    const TPoint* p = dc.roadPoints.data() + run.first;
    unsigned code = window.outcode(p[0]);
    for (int k = 1; k < run.count; ++k) {
        const unsigned nextCode = window.outcode(p[k]);
        if ((code & nextCode) == 0)
            g_ThickLine(&dc.canvas, p[k - 1].x, p[k - 1].y, p[k].x, p[k].y, colour, width);
        code = nextCode;
    }
}

} // namespace

int roadWidth(const TDrawContext& dc, int grid, int object, int roadClass) {
    const int table = dv_TableWidth(dc.request.step, roadClass);
    if (table == 0)
        return 0;
    int width = table;
    int factorA = 0;
    int factorB = 0;
    if (dc.scaleValue <= DV_FACTOR_SCALE_MAX && dc.scaleValue > 0 &&
        mp_GetRoadWidthFactors(grid, object, &factorA, &factorB))
        width = factorA * factorB * DV_FACTOR_WIDTH_NUMERATOR / dc.scaleValue;
    return std::max(width, 1);
}

void collectRoads(TDrawContext& dc, int visibleIndex, const TVisibleGrid& grid) {
    TGridRoads& slot = dc.gridRoads[static_cast<std::size_t>(visibleIndex)];
    slot.first = static_cast<int>(dc.roadPool.size());
    const int g = grid.grid;
    const int roads = mp_GetRoadCount(g);
    int boxCount = 0;
    const TMapRect* boxes = mp_GetRoadBoxTable(g, &boxCount);
    if (boxCount != roads)
        boxes = nullptr;
    if (grid.whole) {
        for (int road = 0; road < roads; ++road)
            poolRoad(dc, visibleIndex, g, road, boxes);
    } else {
        // The roads the listed sub-cells name, each once however many
        // sub-cells list it, pooled in object order like a whole grid's (so
        // the pieces of a street stay together).
        dc.roadSeen.assign(static_cast<std::size_t>(roads), 0);
        for (int c = 0; c < grid.subCellCount; ++c) {
            const int subCell = grid.subCells[c];
            const int listed = mp_GetSubCellRoadCount(g, subCell);
            for (int k = 0; k < listed; ++k) {
                const int road = mp_GetSubCellRoad(g, subCell, k);
                if (road >= 0 && road < roads)
                    dc.roadSeen[static_cast<std::size_t>(road)] = 1;
            }
        }
        for (int road = 0; road < roads; ++road)
            if (dc.roadSeen[static_cast<std::size_t>(road)])
                poolRoad(dc, visibleIndex, g, road, boxes);
    }
    slot.count = static_cast<int>(dc.roadPool.size()) - slot.first;
    sortByClass(dc, slot.first, slot.count);
}

void drawRoads(TDrawContext& dc, int visibleIndex) {
    const TGridRoads& slot = dc.gridRoads[static_cast<std::size_t>(visibleIndex)];
    const TScreenBounds window = TScreenBounds::ofWindow(dc.canvas.width, dc.canvas.height, DV_DRAW_REACH_PIXELS);
    dc.roadPoints.clear();
    dc.roadShapes.clear();
    for (int i = 0; i < slot.count; ++i)
        addRoad(dc, dc.roadPool[static_cast<std::size_t>(slot.first + i)], window);
    closeRun(dc);

    // Borders of all the grid's roads first, so that fills join at crossings.
    for (const TRoadShape& run : dc.roadShapes)
        strokeRun(dc, run, window, run.border, g_GetBorderColor(run.roadClass));
    for (const TRoadShape& run : dc.roadShapes)
        strokeRun(dc, run, window, run.width, g_GetColor(run.roadClass));
}

} // namespace cartoframe::drawview
