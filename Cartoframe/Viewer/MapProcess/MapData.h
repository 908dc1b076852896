#pragma once
// The loaded data set, shared by the loader and the accessors (not part of
// the library's interface).

#include "MapProcess.h"

#include <cstdint>
#include <memory>

namespace cartoframe::mapdata {

// One unpacked layer part: count records of recordSize bytes.
struct TLayerPart {
    std::unique_ptr<std::uint8_t[]> data;
    int count = 0;
    int recordSize = 0;
};

struct TGridData {
    int offset = -1;
    TMapPoint corner;
    int pairs[GRID_PAIR_COUNT][2] = {};
    TMapDataIdx idx[MAP_PART_COUNT][MapLayerQty];
    TLayerPart parts[MAP_PART_COUNT][MapLayerQty];
    std::unique_ptr<std::uint32_t[]> nodes; // packed points
    int nodeCount = 0;
    // The sub-cell road index: every sub-cell's list, one after the other.
    std::unique_ptr<std::uint16_t[]> subCellRoads;
    std::uint16_t subCellCount[MAP_SUBCELL_COUNT] = {};
    int subCellStart[MAP_SUBCELL_COUNT] = {};
    // Every road's bounding box, computed once after loading (null when the
    // grid has no roads or the table could not be allocated).
    std::unique_ptr<TMapRect[]> roadBoxes;
};

// The box table's entry for a road whose points cannot all be read.
inline constexpr TMapRect ROAD_BOX_UNREADABLE = {1, 0, 0, 1};

struct TMapSet {
    bool loaded = false;
    TMapBounds bounds;
    int recordSize[MapLayerQty][MAP_PART_COUNT] = {};
    int nodeCountTable[MAP_GRID_MAX] = {};
    std::unique_ptr<TGridData[]> grids; // MAP_GRID_MAX entries while loading or loaded
    std::unique_ptr<char[]> roadNames;  // roadNameSize bytes and a closing NUL
    int roadNameSize = 0;
    std::unique_ptr<std::uint8_t[]> nameBits[2];
    int nameBitBytes = 0;
    std::unique_ptr<std::uint8_t[]> work; // MP_WORK_BUF_SIZE while loading
    long long unpackedTotal = 0;
};

TMapSet& mapSet();

// The grid when the set is loaded, the map runs and the number is in range.
const TGridData* loadedGrid(int grid);

// The object record, or null outside the loaded part.
const std::uint8_t* objectRecord(const TGridData& grid, int layer, int object);
// Point index of a layer's points as a map point; false outside the part.
bool layerPoint(const TGridData& grid, int layer, long long index, TMapPoint* point);

// Fills the grid's road box table from its roads' points (ShapePoints.cpp).
void buildRoadBoxes(TGridData& grid);

// Map-point helpers.
inline TMapPoint unpackPoint(const TMapPoint& corner, std::uint32_t packed) {
    return {corner.x + static_cast<std::int16_t>(packed & 0xFFFF), corner.y + static_cast<std::int16_t>(packed >> 16)};
}

inline TMapPoint cornerCodePoint(const TMapPoint& corner, std::uint16_t code) {
    return {corner.x + CORNER_COLUMN.get(code) * MAP_CORNER_LATTICE,
            corner.y + CORNER_ROW.get(code) * MAP_CORNER_LATTICE};
}

inline long long floorDiv(long long value, long long divisor) {
    const long long quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

} // namespace cartoframe::mapdata
