// Loading "RoadName", "RoadNode" and "RSpeedIdx". Every list is checked
// against the file's size before memory is taken for it.
#include "Diagnostics.h"
#include "FileProcess.h"
#include "LittleEndian.h"
#include "MapData.h"
#include "MapLoaders.h"

#include <cstring>
#include <new>

namespace cartoframe::mapdata {
namespace {

bool readTable(std::FILE* file, int* table) {
    std::uint8_t bytes[MAP_TABLE_BYTES];
    const int ret = fp_Read(bytes, static_cast<int>(sizeof bytes), file);
    if (!CF_CHECK(ret == static_cast<int>(MAP_TABLE_BYTES)))
        return false;
    for (int g = 0; g < MAP_GRID_MAX; ++g)
        table[g] = le_LoadInt(bytes + static_cast<std::size_t>(g) * 4);
    return true;
}

// Reads size bytes at an absolute position into new memory; null after a
// fatal error (reported) or when memory runs out (*noMemory set).
std::unique_ptr<std::uint8_t[]> readRange(std::FILE* file, long long at, long long size, bool* noMemory) {
    *noMemory = false;
    const long long fileSize = fp_Size(file);
    if (!CF_CHECK(at >= 0 && size > 0 && at + size <= fileSize) || !seekTo(file, at))
        return nullptr;
    std::unique_ptr<std::uint8_t[]> data(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(size)]);
    if (!data) {
        *noMemory = true;
        return nullptr;
    }
    const int ReadSize = static_cast<int>(size);
    const int ret = fp_Read(data.get(), ReadSize, file);
    if (!CF_CHECK_TEXT(ret == ReadSize, "ret == ReadSize"))
        return nullptr;
    return data;
}

// The node list of one grid.
bool loadNodes(std::FILE* file, TGridData& grid, int position, int count, int gridNumber) {
    bool noMemory = false;
    const long long at = static_cast<long long>(NODE_TABLE_BYTES) + static_cast<long long>(position) * NODE_UNIT;
    const auto bytes = readRange(file, at, static_cast<long long>(count) * NODE_UNIT, &noMemory);
    if (!bytes) {
        if (noMemory)
            dbg_Print("mp_LoadMapFiles: no memory for the %d nodes of grid %d!\n", count, gridNumber);
        return noMemory;
    }
    grid.nodes.reset(new (std::nothrow) std::uint32_t[static_cast<std::size_t>(count)]);
    if (!grid.nodes)
        return true;
    for (int i = 0; i < count; ++i)
        grid.nodes[i] = le_Load32(bytes.get() + static_cast<std::size_t>(i) * NODE_UNIT);
    grid.nodeCount = count;
    return true;
}

// One grid's block of the sub-cell road index.
bool loadSpeedBlock(std::FILE* file, TGridData& grid, long long at, long long size, int gridNumber) {
    if (!CF_CHECK(size >= static_cast<long long>(SPEED_COUNTS_SIZE)))
        return false;
    bool noMemory = false;
    const auto block = readRange(file, at, size, &noMemory);
    if (!block) {
        if (noMemory)
            dbg_Print("mp_LoadMapFiles: no memory for the road index of grid %d!\n", gridNumber);
        return noMemory;
    }
    int total = 0;
    for (int c = 0; c < MAP_SUBCELL_COUNT; ++c) {
        grid.subCellStart[c] = total;
        grid.subCellCount[c] = le_Load16(block.get() + static_cast<std::size_t>(c) * 2);
        total += grid.subCellCount[c];
    }
    const long long listBytes = static_cast<long long>(total) * 2;
    if (!CF_CHECK(static_cast<long long>(SPEED_COUNTS_SIZE) + listBytes <= size))
        return false;
    grid.subCellRoads.reset(new (std::nothrow) std::uint16_t[static_cast<std::size_t>(total) + 1]);
    if (!grid.subCellRoads) {
        std::memset(grid.subCellCount, 0, sizeof grid.subCellCount);
        return true;
    }
    const std::uint8_t* list = block.get() + SPEED_COUNTS_SIZE;
    for (int i = 0; i < total; ++i)
        grid.subCellRoads[i] = le_Load16(list + static_cast<std::size_t>(i) * 2);
    return true;
}

} // namespace

bool loadRoadNameFile(std::FILE* file) {
    TMapSet& set = mapSet();
    const int size = fp_Size(file);
    if (!CF_CHECK(size >= 0))
        return false;
    const auto bitBytes = static_cast<std::size_t>(size / 8 + 1);
    set.roadNames.reset(new (std::nothrow) char[static_cast<std::size_t>(size) + 1]);
    set.nameBits[0].reset(new (std::nothrow) std::uint8_t[bitBytes]());
    set.nameBits[1].reset(new (std::nothrow) std::uint8_t[bitBytes]());
    if (!set.roadNames || !set.nameBits[0] || !set.nameBits[1]) {
        dbg_Print("mp_LoadMapFiles: no memory for %d bytes of road names!\n", size);
        set.roadNames.reset();
        set.nameBits[0].reset();
        set.nameBits[1].reset();
        return true; // roads keep their geometry, without names
    }
    if (size > 0) {
        const int ReadSize = size;
        const int ret = fp_Read(set.roadNames.get(), ReadSize, file);
        if (!CF_CHECK_TEXT(ret == ReadSize, "ret == ReadSize"))
            return false;
    }
    set.roadNames[size] = '\0'; // the last name may lack its own
    set.roadNameSize = size;
    set.nameBitBytes = static_cast<int>(bitBytes);
    return true;
}

bool loadRoadNodeFile(std::FILE* file) {
    TMapSet& set = mapSet();
    int positions[MAP_GRID_MAX];
    if (!readTable(file, positions))
        return false;
    for (int g = 0; g < MAP_GRID_MAX; ++g) {
        const int count = set.nodeCountTable[g];
        if (positions[g] >= 0 && count >= 1 && !loadNodes(file, set.grids[g], positions[g], count, g))
            return false;
    }
    return true;
}

bool loadSpeedIndexFile(std::FILE* file) {
    TMapSet& set = mapSet();
    const int size = fp_Size(file);
    if (size == 0)
        return true; // an empty index: partial grids get no roads through it
    int offsets[MAP_GRID_MAX];
    if (!readTable(file, offsets))
        return false;
    // A block runs to the next block's offset, the last one to the end of the file.
    long long ends[MAP_GRID_MAX];
    long long end = static_cast<long long>(size) - static_cast<long long>(SPEED_TABLE_BYTES);
    for (int g = MAP_GRID_MAX - 1; g >= 0; --g) {
        ends[g] = end;
        if (offsets[g] >= 0)
            end = offsets[g];
    }
    for (int g = 0; g < MAP_GRID_MAX; ++g) {
        if (offsets[g] < 0)
            continue;
        const long long at = static_cast<long long>(SPEED_TABLE_BYTES) + offsets[g];
        if (!loadSpeedBlock(file, set.grids[g], at, ends[g] - offsets[g], g))
            return false;
    }
    return true;
}

} // namespace cartoframe::mapdata
