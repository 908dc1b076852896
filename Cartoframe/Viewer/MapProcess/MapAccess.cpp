// Grids and the objects of the area and line layers.
#include "Diagnostics.h"
#include "LittleEndian.h"
#include "MapData.h"

#include <climits>

namespace cartoframe {
namespace mapdata {

const std::uint8_t* objectRecord(const TGridData& grid, int layer, int object) {
    const TLayerPart& part = grid.parts[PART_OBJECTS][layer];
    if (object < 0 || object >= part.count)
        return nullptr;
    return part.data.get() + static_cast<std::size_t>(object) * static_cast<std::size_t>(part.recordSize);
}

bool layerPoint(const TGridData& grid, int layer, long long index, TMapPoint* point) {
    const TLayerPart& part = grid.parts[PART_POINTS][layer];
    if (index < 0 || index >= part.count)
        return false;
    const std::uint8_t* record =
        part.data.get() + static_cast<std::size_t>(index) * static_cast<std::size_t>(part.recordSize);
    *point = unpackPoint(grid.corner, le_Load32(record));
    return true;
}

namespace {

bool isAreaOrLineLayer(int layer) { return layer == LAYER_WATER || layer == LAYER_LINE || layer == LAYER_LANDUSE; }

// Point count and first point index of an area or line object.
bool areaShape(const std::uint8_t* record, int layer, long long* count, long long* first) {
    switch (layer) {
    case LAYER_WATER:
        *count = le_Load16(record + WATER_POINT_COUNT_AT);
        *first = le_Load16(record + WATER_FIRST_POINT_AT);
        return true;
    case LAYER_LINE:
        *count = le_LoadInt(record + LINE_POINT_COUNT_AT);
        *first = le_Load32(record + LINE_FIRST_POINT_AT);
        return true;
    case LAYER_LANDUSE:
        *count = le_Load16(record + LANDUSE_POINT_COUNT_AT);
        *first = le_Load32(record + LANDUSE_FIRST_POINT_AT);
        return true;
    default:
        return false;
    }
}

} // namespace
} // namespace mapdata

using namespace mapdata;

TMapBounds mp_GetBounds() { return mp_IsLoaded() ? mapSet().bounds : TMapBounds{}; }

int mp_GetGridNumber(int x, int y) {
    if (!mp_IsLoaded())
        return -1;
    const TMapBounds& bounds = mapSet().bounds;
    const long long number = (floorDiv(y, MAP_GRID_SIZE) - bounds.lowRow) * bounds.columns +
                             floorDiv(x, MAP_GRID_SIZE) - bounds.lowColumn;
    return number < INT_MIN || number > INT_MAX ? -1 : static_cast<int>(number);
}

bool mp_GetGridCorner(int grid, TMapPoint* corner) {
    const TGridData* data = loadedGrid(grid);
    if (!data || !corner)
        return false;
    *corner = data->corner;
    return true;
}

bool mp_IsGridPresent(int grid) {
    const TGridData* data = loadedGrid(grid);
    return data && data->offset >= 0;
}

bool mp_GetGridPair(int grid, int pair, int* first, int* second) {
    const TGridData* data = loadedGrid(grid);
    if (!data || data->offset < 0 || pair < 0 || pair >= GRID_PAIR_COUNT || !first || !second)
        return false;
    *first = data->pairs[pair][0];
    *second = data->pairs[pair][1];
    return true;
}

bool mp_GetLayerIndex(int grid, int layer, int part, TMapDataIdx* entry) {
    const TGridData* data = loadedGrid(grid);
    if (!data || data->offset < 0 || layer < 0 || layer >= MapLayerQty || part < 0 || part >= MAP_PART_COUNT ||
        !entry)
        return false;
    *entry = data->idx[part][layer];
    return true;
}

int mp_GetObjectCount(int grid, int layer) {
    const TGridData* data = loadedGrid(grid);
    if (!data || layer < 0 || layer >= MapLayerQty)
        return 0;
    return data->parts[PART_OBJECTS][layer].count;
}

bool mp_GetObjectBox(int grid, int layer, int object, TMapRect* box) {
    if (layer == LAYER_ROAD)
        return mp_GetRoadBox(grid, object, box);
    const TGridData* data = loadedGrid(grid);
    if (!data || !box || !isAreaOrLineLayer(layer))
        return false;
    const std::uint8_t* record = objectRecord(*data, layer, object);
    if (!record)
        return false;
    const TMapPoint upperLeft = cornerCodePoint(data->corner, le_Load16(record + AREA_UPPER_LEFT_AT));
    const TMapPoint lowerRight = cornerCodePoint(data->corner, le_Load16(record + AREA_LOWER_RIGHT_AT));
    *box = {upperLeft.x, upperLeft.y, lowerRight.x, lowerRight.y};
    return true;
}

int mp_GetPointCount(int grid, int layer, int object) {
    if (layer == LAYER_ROAD)
        return mp_GetRoadPointCount(grid, object);
    const TGridData* data = loadedGrid(grid);
    if (!data || !isAreaOrLineLayer(layer))
        return 0;
    const std::uint8_t* record = objectRecord(*data, layer, object);
    long long count = 0;
    long long first = 0;
    if (!record || !areaShape(record, layer, &count, &first))
        return 0;
    return static_cast<int>(count);
}

bool mp_GetPoint(int grid, int layer, int object, int k, TMapPoint* point) {
    if (layer == LAYER_ROAD)
        return mp_GetRoadPoint(grid, object, k, point);
    const TGridData* data = loadedGrid(grid);
    if (!data || !point || !isAreaOrLineLayer(layer))
        return false;
    const std::uint8_t* record = objectRecord(*data, layer, object);
    long long count = 0;
    long long first = 0;
    if (!record || !areaShape(record, layer, &count, &first) || k < 0 || k >= count)
        return false;
    return layerPoint(*data, layer, first + k, point);
}

} // namespace cartoframe
