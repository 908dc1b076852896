// The "areas" pass (water and land-use polygons) and the dashed line
// features of the "lines" pass.
#include "ColorTable.h"
#include "DrawContext.h"
#include "ShapePoints.h"

namespace cartoframe::drawview {
namespace {

// Takes `count` map points of the context's buffer to the screen buffer.
void toScreen(TDrawContext& dc, int count) {
    for (std::size_t k = 0; k < static_cast<std::size_t>(count); ++k)
        dc.screenPoints[k] = dc.projection.toScreen(dc.mapPoints[k]);
}

// The object's points on the screen (in dc.screenPoints), or false when they
// cannot be read.
bool objectOnScreen(TDrawContext& dc, int grid, int layer, int object, int count) {
    const int capacity = static_cast<int>(dc.mapPoints.size());
    const int copied = mp_CopyShapePoints(grid, layer, object, dc.mapPoints.data(), capacity);
    if (copied != count)
        return false;
    toScreen(dc, count);
    return true;
}

// Fills the polygons of one layer of the grid that meet the view. A point
// count of 0 or of DV_SHAPE_POINTS_MAX or more ends the layer for the grid.
void fillLayer(TDrawContext& dc, int grid, int layer, TColor colour) {
    const int objects = mp_GetObjectCount(grid, layer);
    for (int object = 0; object < objects; ++object) {
        TMapRect box;
        if (!mp_GetObjectBox(grid, layer, object, &box) || !dv_BoxMeetsView(box, dc.view))
            continue;
        const int count = mp_GetPointCount(grid, layer, object);
        if (count <= 0 || count >= DV_SHAPE_POINTS_MAX)
            return;
        if (objectOnScreen(dc, grid, layer, object, count))
            g_FillPolygon(&dc.canvas, dc.screenPoints.data(), count, colour);
    }
}

} // namespace

void drawAreas(TDrawContext& dc, const TVisibleGrid& grid) {
    fillLayer(dc, grid.grid, DV_LAYER_WATER, g_WaterColor());
    if (dc.request.step <= DV_LAND_USE_LAST_STEP)
        fillLayer(dc, grid.grid, DV_LAYER_LAND_USE, g_ShapeColor());
}

void drawLineFeatures(TDrawContext& dc, const TVisibleGrid& grid) {
    const int objects = mp_GetObjectCount(grid.grid, DV_LAYER_LINES);
    for (int object = 0; object < objects; ++object) {
        const int count = mp_GetPointCount(grid.grid, DV_LAYER_LINES, object);
        if (count < 1 || count >= DV_SHAPE_POINTS_MAX)
            continue;
        TMapRect box;
        if (!mp_GetObjectBox(grid.grid, DV_LAYER_LINES, object, &box) || !dv_BoxMeetsView(box, dc.reachView))
            continue;
        if (objectOnScreen(dc, grid.grid, DV_LAYER_LINES, object, count))
            g_DashLine(&dc.canvas, dc.screenPoints.data(), count, DV_LINE_PEN_SIZE);
    }
}

} // namespace cartoframe::drawview
