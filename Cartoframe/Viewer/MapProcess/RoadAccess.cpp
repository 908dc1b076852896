// Roads (layer 1 with their attributes in layer 16), road nodes, the sub-cell
// road index and the road names with their bit sets.
#include "Diagnostics.h"
#include "LittleEndian.h"
#include "MapData.h"

#include <algorithm>
#include <cstring>

namespace cartoframe {
namespace {

using namespace mapdata;

const std::uint8_t* roadRecord(int grid, int road, const TGridData** data) {
    *data = loadedGrid(grid);
    return *data ? objectRecord(**data, LAYER_ROAD, road) : nullptr;
}

const std::uint8_t* attributeRecord(int grid, int road) {
    const TGridData* data = loadedGrid(grid);
    return data ? objectRecord(*data, LAYER_ROAD_ATTR, road) : nullptr;
}

bool nodePoint(const TGridData& grid, int node, TMapPoint* point) {
    if (node < 0 || node >= grid.nodeCount)
        return false;
    *point = unpackPoint(grid.corner, grid.nodes[node]);
    return true;
}

bool nameBitPlace(int set, int offset, std::uint8_t** byte, std::uint8_t* mask) {
    TMapSet& data = mapSet();
    if (!mp_IsLoaded() || set < 0 || set > 1 || !data.nameBits[set] || offset < 0 ||
        offset / 8 >= data.nameBitBytes)
        return false;
    *byte = &data.nameBits[set][offset / 8];
    *mask = static_cast<std::uint8_t>(1u << (offset % 8));
    return true;
}

} // namespace

int mp_GetRoadCount(int grid) { return mp_GetObjectCount(grid, LAYER_ROAD); }

int mp_GetRoadNameOffset(int grid, int road) {
    const TGridData* data = nullptr;
    const std::uint8_t* record = roadRecord(grid, road, &data);
    return record ? ROAD_NAME_OFFSET.get(le_Load32(record + ROAD_NAME_AT)) : -1;
}

const char* mp_GetRoadName(int grid, int road) {
    const int offset = mp_GetRoadNameOffset(grid, road);
    const TMapSet& set = mapSet();
    if (offset < 0 || offset >= set.roadNameSize || !set.roadNames)
        return nullptr;
    return set.roadNames.get() + offset;
}

int mp_GetRoadClass(int grid, int road) {
    if (grid < 0 || road < 0) {
        dbg_Print(" GridNum < 0 || ObjNum < 0\n");
        return ROAD_CLASS_NONE;
    }
    const std::uint8_t* record = attributeRecord(grid, road);
    return record ? ROAD_CLASS.get(le_Load32(record + ROAD_CLASS_AT)) : ROAD_CLASS_NONE;
}

int mp_GetRoadPointCount(int grid, int road) {
    const TGridData* data = nullptr;
    const std::uint8_t* record = roadRecord(grid, road, &data);
    return record ? ROAD_POINT_COUNT.get(le_Load32(record + ROAD_SHAPE_AT)) : 0;
}

bool mp_GetRoadNodes(int grid, int road, int* startNode, int* endNode) {
    const std::uint8_t* record = attributeRecord(grid, road);
    if (!record || !startNode || !endNode)
        return false;
    *startNode = le_Load16(record + ROAD_START_NODE_AT);
    *endNode = le_Load16(record + ROAD_END_NODE_AT);
    return true;
}

bool mp_GetRoadPoint(int grid, int road, int k, TMapPoint* point) {
    const TGridData* data = nullptr;
    const std::uint8_t* record = roadRecord(grid, road, &data);
    if (!record || !point)
        return false;
    const std::uint32_t shape = le_Load32(record + ROAD_SHAPE_AT);
    const int count = ROAD_POINT_COUNT.get(shape);
    if (k < 0 || k >= count)
        return false;
    const bool isStart = k == 0;
    const bool isEnd = k == count - 1;
    if (isStart || isEnd) {
        int startNode = 0;
        int endNode = 0;
        return mp_GetRoadNodes(grid, road, &startNode, &endNode) &&
               nodePoint(*data, isStart ? startNode : endNode, point);
    }
    return layerPoint(*data, LAYER_ROAD, static_cast<long long>(ROAD_FIRST_INNER.get(shape)) + k - 1, point);
}

bool mp_GetRoadBox(int grid, int road, TMapRect* box) {
    const int count = mp_GetRoadPointCount(grid, road);
    if (count < 1 || !box)
        return false;
    // The table built at load time holds what the loop below would find.
    if (const TGridData* data = loadedGrid(grid); data && data->roadBoxes) {
        const TMapRect& stored = data->roadBoxes[static_cast<std::size_t>(road)];
        if (stored.left > stored.right)
            return false;
        *box = stored;
        return true;
    }
    // The box starts at the first point, so roads west of 0 degrees or south
    // of the equator (negative map units) get their true box.
    TMapPoint first;
    if (!mp_GetRoadPoint(grid, road, 0, &first))
        return false;
    int minX = first.x;
    int minY = first.y;
    int maxX = first.x;
    int maxY = first.y;
    for (int k = 1; k < count; ++k) {
        TMapPoint point;
        if (!mp_GetRoadPoint(grid, road, k, &point))
            return false;
        minX = std::min(minX, point.x);
        minY = std::min(minY, point.y);
        maxX = std::max(maxX, point.x);
        maxY = std::max(maxY, point.y);
    }
    *box = {minX, maxY, maxX, minY};
    return true;
}

int mp_GetRoadLabelMode(int grid, int road) {
    const std::uint8_t* record = attributeRecord(grid, road);
    return record ? ROAD_LABEL_MODE.get(le_Load32(record + ROAD_LABEL_AT)) : 0;
}

int mp_GetRoadAttribute(int grid, int road) {
    const std::uint8_t* record = attributeRecord(grid, road);
    return record ? ROAD_ATTRIBUTE.get(le_Load32(record + ROAD_LABEL_AT)) : 0;
}

bool mp_GetRoadWidthFactors(int grid, int road, int* factorA, int* factorB) {
    const std::uint8_t* record = attributeRecord(grid, road);
    if (!record || !factorA || !factorB)
        return false;
    const std::uint32_t word = le_Load32(record + ROAD_WIDTH_AT);
    *factorA = ROAD_WIDTH_A.get(word);
    *factorB = ROAD_WIDTH_B.get(word);
    return true;
}

int mp_GetNodeCount(int grid) {
    const TGridData* data = loadedGrid(grid);
    return data ? data->nodeCount : 0;
}

bool mp_GetNode(int grid, int node, TMapPoint* point) {
    const TGridData* data = loadedGrid(grid);
    return data && point && nodePoint(*data, node, point);
}

int mp_GetSubCellRoadCount(int grid, int subCell) {
    const TGridData* data = loadedGrid(grid);
    if (!data || !data->subCellRoads || subCell < 0 || subCell >= MAP_SUBCELL_COUNT)
        return 0;
    return data->subCellCount[subCell];
}

int mp_GetSubCellRoad(int grid, int subCell, int k) {
    if (k < 0 || k >= mp_GetSubCellRoadCount(grid, subCell))
        return -1;
    const TGridData& data = *loadedGrid(grid);
    return data.subCellRoads[data.subCellStart[subCell] + k];
}

int mp_GetRoadNameSize() { return mp_IsLoaded() ? mapSet().roadNameSize : 0; }

bool mp_TestNameBit(int set, int offset) {
    std::uint8_t* byte = nullptr;
    std::uint8_t mask = 0;
    return nameBitPlace(set, offset, &byte, &mask) && (*byte & mask) != 0;
}

void mp_SetNameBit(int set, int offset) {
    std::uint8_t* byte = nullptr;
    std::uint8_t mask = 0;
    if (nameBitPlace(set, offset, &byte, &mask))
        *byte = static_cast<std::uint8_t>(*byte | mask);
}

void mp_ClearNameBits(int set) {
    TMapSet& data = mapSet();
    if (set >= 0 && set <= 1 && data.nameBits[set])
        std::memset(data.nameBits[set].get(), 0, static_cast<std::size_t>(data.nameBitBytes));
}

} // namespace cartoframe
