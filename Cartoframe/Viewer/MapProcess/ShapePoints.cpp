// Bulk point access and the road box table built at load time.
#include "ShapePoints.h"

#include "LittleEndian.h"
#include "MapData.h"

#include <algorithm>
#include <new>

namespace cartoframe {
namespace mapdata {
namespace {

// Copies count points of a layer from index first; false when a point lies
// outside the layer's points.
bool copyLayerPoints(const TGridData& grid, int layer, long long first, int count, TMapPoint* out) {
    if (count == 0)
        return true;
    const TLayerPart& part = grid.parts[PART_POINTS][layer];
    if (first < 0 || first + count > part.count || !part.data)
        return false;
    // Point records may be wider than a packed point; only the first four
    // bytes are read.
    const std::size_t stride = static_cast<std::size_t>(part.recordSize);
    const std::uint8_t* record = part.data.get() + static_cast<std::size_t>(first) * stride;
    for (int k = 0; k < count; ++k, record += stride)
        out[k] = unpackPoint(grid.corner, le_Load32(record));
    return true;
}

int copyRoad(const TGridData& grid, int road, TMapPoint* out, int capacity) {
    const std::uint8_t* shapeRecord = objectRecord(grid, LAYER_ROAD, road);
    const std::uint8_t* attributes = objectRecord(grid, LAYER_ROAD_ATTR, road);
    if (!shapeRecord || !attributes || !out)
        return -1;
    const std::uint32_t shape = le_Load32(shapeRecord + ROAD_SHAPE_AT);
    const int count = ROAD_POINT_COUNT.get(shape);
    if (count < 1 || count > capacity)
        return -1;
    const int startNode = le_Load16(attributes + ROAD_START_NODE_AT);
    const int endNode = le_Load16(attributes + ROAD_END_NODE_AT);
    if (startNode >= grid.nodeCount || (count > 1 && endNode >= grid.nodeCount))
        return -1;
    out[0] = unpackPoint(grid.corner, grid.nodes[startNode]);
    if (count == 1)
        return count;
    if (!copyLayerPoints(grid, LAYER_ROAD, ROAD_FIRST_INNER.get(shape), count - 2, out + 1))
        return -1;
    out[count - 1] = unpackPoint(grid.corner, grid.nodes[endNode]);
    return count;
}

} // namespace

void buildRoadBoxes(TGridData& grid) {
    const int roads = grid.parts[PART_OBJECTS][LAYER_ROAD].count;
    grid.roadBoxes.reset();
    if (roads < 1)
        return;
    grid.roadBoxes.reset(new (std::nothrow) TMapRect[static_cast<std::size_t>(roads)]);
    if (!grid.roadBoxes)
        return; // boxes are then computed from the points on demand
    // One buffer for the longest road the point count field can describe.
    TMapPoint points[ROAD_POINT_COUNT.mask() + 1];
    for (int road = 0; road < roads; ++road) {
        TMapRect& box = grid.roadBoxes[static_cast<std::size_t>(road)];
        const int count = copyRoad(grid, road, points, static_cast<int>(std::size(points)));
        if (count < 1) {
            box = ROAD_BOX_UNREADABLE;
            continue;
        }
        box = {points[0].x, points[0].y, points[0].x, points[0].y};
        for (int k = 1; k < count; ++k) {
            box.left = std::min(box.left, points[k].x);
            box.right = std::max(box.right, points[k].x);
            box.top = std::max(box.top, points[k].y);
            box.bottom = std::min(box.bottom, points[k].y);
        }
    }
}

} // namespace mapdata

using namespace mapdata;

int mp_CopyShapePoints(int grid, int layer, int object, TMapPoint* out, int capacity) {
    const TGridData* data = loadedGrid(grid);
    if (!data || !out || (layer != LAYER_WATER && layer != LAYER_LINE && layer != LAYER_LANDUSE))
        return -1;
    const int count = mp_GetPointCount(grid, layer, object);
    if (count < 1 || count > capacity)
        return -1;
    const std::uint8_t* record = objectRecord(*data, layer, object);
    const long long first = layer == LAYER_WATER  ? le_Load16(record + WATER_FIRST_POINT_AT)
                            : layer == LAYER_LINE ? le_Load32(record + LINE_FIRST_POINT_AT)
                                                  : le_Load32(record + LANDUSE_FIRST_POINT_AT);
    return copyLayerPoints(*data, layer, first, count, out) ? count : -1;
}

const TMapRect* mp_GetRoadBoxTable(int grid, int* roadCount) {
    const TGridData* data = loadedGrid(grid);
    const bool present = data && data->roadBoxes;
    if (roadCount)
        *roadCount = present ? data->parts[PART_OBJECTS][LAYER_ROAD].count : 0;
    return present ? data->roadBoxes.get() : nullptr;
}

int mp_CopyRoadPoints(int grid, int road, TMapPoint* out, int capacity) {
    const TGridData* data = loadedGrid(grid);
    return data ? copyRoad(*data, road, out, capacity) : -1;
}

} // namespace cartoframe
