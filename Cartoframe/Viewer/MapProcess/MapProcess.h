#pragma once
// The map data set in memory (mp_ functions).
//
// mp_LoadMapFiles reads the four files that "FileList.cfg" names ("Map",
// "RoadName", "RoadNode" and the optional "RSpeedIdx") through the file
// store, unpacks every layer part that drawing uses (layers 0, 1, 7, 13 and
// 16) and keeps it all in memory, so drawing touches no files. The accessors
// below hand out objects, points, roads and the sub-cell road index.
//
// Every accessor checks its grid, object and point numbers against what was
// loaded and answers "nothing" (0, -1, false or null) outside it. While the
// map is stopped by a fatal data error (Diagnostics.h) nothing is loaded and
// every accessor answers nothing.
//
// Single-threaded; the data set is module-wide.

#include "MapLayout.h"

namespace cartoframe {

struct TMapPoint {
    int x = 0;
    int y = 0;
};

// In map units; top > bottom (y grows north).
struct TMapRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct TMapBounds {
    int lowColumn = 0;
    int lowRow = 0;
    int highColumn = 0;
    int highRow = 0;
    int columns = 0; // highColumn - lowColumn + 1
};

// One entry of a grid's layer index, as the map file stores it.
struct TMapDataIdx {
    int offset = -1;  // from the grid's offset; negative: no data
    int count = 0;    // objects (part 0) or points (part 1)
    int packSize = 0; // bytes of the LZO1X stream
};

// A layer part's compressed bytes are read into this work buffer first.
inline constexpr int MP_WORK_BUF_SIZE = 0x100000;
// Unpacked layer parts of one data set together; a set that needs more is
// refused as a fatal data error rather than exhausting the host's memory.
inline constexpr long long MP_UNPACKED_MAX = 256LL * 1024 * 1024;
// Class answered for a road that does not exist; no drawing table shows it.
inline constexpr int ROAD_CLASS_NONE = 9;

// Loads the set named by the file list. Answers 0, or -1 when a file does not
// open or a fatal data error stops the map; what was loaded is then freed.
// Lifts an earlier stop of the map first (loading afresh).
int mp_LoadMapFiles();
// Frees every layer part, node list, sub-cell list, the road names with their
// bit sets and the work buffer. Safe to repeat.
void mp_FreeAll();
bool mp_IsLoaded();

TMapBounds mp_GetBounds();
// (y / 10000 - lowest row) * columns + x / 10000 - lowest column, with the
// divisions rounding down; a number outside 0..1063 has no data.
int mp_GetGridNumber(int x, int y);
bool mp_GetGridCorner(int grid, TMapPoint* corner);
// The grid has a block in the map file.
bool mp_IsGridPresent(int grid);
bool mp_GetGridPair(int grid, int pair, int* first, int* second);
// The stored index entry of a layer part (also for layers that are not loaded).
bool mp_GetLayerIndex(int grid, int layer, int part, TMapDataIdx* entry);

// Layers 0, 1, 7 and 13 (objects of layer 1 are roads).
int mp_GetObjectCount(int grid, int layer);
bool mp_GetObjectBox(int grid, int layer, int object, TMapRect* box);
int mp_GetPointCount(int grid, int layer, int object);
bool mp_GetPoint(int grid, int layer, int object, int k, TMapPoint* point);

// Roads: layer 1 with its attributes in layer 16.
int mp_GetRoadCount(int grid);
int mp_GetRoadNameOffset(int grid, int road);
// The road's name (NUL-terminated Big5 text), or null when it has none.
const char* mp_GetRoadName(int grid, int road);
// 0 to 7; ROAD_CLASS_NONE for a road that does not exist.
int mp_GetRoadClass(int grid, int road);
// Points in order: start node, inner points, end node.
int mp_GetRoadPointCount(int grid, int road);
bool mp_GetRoadPoint(int grid, int road, int k, TMapPoint* point);
bool mp_GetRoadBox(int grid, int road, TMapRect* box);
bool mp_GetRoadNodes(int grid, int road, int* startNode, int* endNode);
int mp_GetRoadLabelMode(int grid, int road);
int mp_GetRoadAttribute(int grid, int road);
bool mp_GetRoadWidthFactors(int grid, int road, int* factorA, int* factorB);

int mp_GetNodeCount(int grid);
bool mp_GetNode(int grid, int node, TMapPoint* point);

// The spatial road index: 0 roads for a grid outside 0..1063 or a sub-cell
// outside 0..99; -1 for a road number out of range.
int mp_GetSubCellRoadCount(int grid, int subCell);
int mp_GetSubCellRoad(int grid, int subCell, int k);

// The road-name text and its two bit sets (one bit per name offset): set 0
// marks the names drawn in the current picture; set 1 is kept for the caller.
int mp_GetRoadNameSize();
bool mp_TestNameBit(int set, int offset);
void mp_SetNameBit(int set, int offset);
void mp_ClearNameBits(int set);

} // namespace cartoframe
