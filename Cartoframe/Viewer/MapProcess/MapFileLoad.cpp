// Loading "Map": the header and tables, every grid's block and its layer
// parts, unpacked in one pass in file order (which suits the store's cache).
#include "Diagnostics.h"
#include "FileProcess.h"
#include "LittleEndian.h"
#include "LzoBlock.h"
#include "MapData.h"
#include "MapLoaders.h"

#include <climits>
#include <new>

namespace cartoframe::mapdata {
namespace {

// An LZO1X stream grows its output by at most 255 bytes per input byte (a
// match length extended by zero bytes), so a part that claims more than this
// many bytes per compressed byte cannot be valid and is refused before any
// memory is taken for it.
constexpr long long LZO_MAX_EXPANSION = 256;
constexpr long long LZO_EXPANSION_SLACK = 1024;

bool readHeader(std::FILE* file, TMapSet& set) {
    std::uint8_t header[MAP_HEADER_SIZE];
    const int ret = fp_Read(header, static_cast<int>(sizeof header), file);
    if (!CF_CHECK(ret == static_cast<int>(MAP_HEADER_SIZE)))
        return false;
    TMapBounds& bounds = set.bounds;
    bounds.highColumn = le_LoadInt(header + MAP_HIGH_COLUMN_AT);
    bounds.highRow = le_LoadInt(header + MAP_HIGH_ROW_AT);
    bounds.lowColumn = le_LoadInt(header + MAP_LOW_COLUMN_AT);
    bounds.lowRow = le_LoadInt(header + MAP_LOW_ROW_AT);
    if (!CF_CHECK(bounds.lowColumn >= -MAP_GRID_COLUMN_LIMIT && bounds.highColumn <= MAP_GRID_COLUMN_LIMIT) ||
        !CF_CHECK(bounds.lowRow >= -MAP_GRID_ROW_LIMIT && bounds.highRow <= MAP_GRID_ROW_LIMIT) ||
        !CF_CHECK(bounds.lowColumn <= bounds.highColumn && bounds.lowRow <= bounds.highRow))
        return false;
    bounds.columns = bounds.highColumn - bounds.lowColumn + 1;
    for (int layer = 0; layer < MapLayerQty; ++layer)
        for (int part = 0; part < MAP_PART_COUNT; ++part)
            set.recordSize[layer][part] = header[MAP_RECORD_SIZES_AT + static_cast<std::size_t>(layer * 2 + part)];
    return true;
}

bool readTables(std::FILE* file, TMapSet& set) {
    std::uint8_t table[MAP_TABLE_BYTES];
    int ret = fp_Read(table, static_cast<int>(sizeof table), file);
    if (!CF_CHECK(ret == static_cast<int>(MAP_TABLE_BYTES)))
        return false;
    for (int g = 0; g < MAP_GRID_MAX; ++g) {
        TGridData& grid = set.grids[g];
        grid.offset = le_LoadInt(table + static_cast<std::size_t>(g) * 4);
        grid.corner = {(set.bounds.lowColumn + g % set.bounds.columns) * MAP_GRID_SIZE,
                       (set.bounds.lowRow + g / set.bounds.columns) * MAP_GRID_SIZE};
    }
    ret = fp_Read(table, static_cast<int>(sizeof table), file);
    if (!CF_CHECK(ret == static_cast<int>(MAP_TABLE_BYTES)))
        return false;
    for (int g = 0; g < MAP_GRID_MAX; ++g)
        set.nodeCountTable[g] = le_LoadInt(table + static_cast<std::size_t>(g) * 4);
    return true;
}

bool readGridHead(std::FILE* file, TGridData& grid) {
    if (!seekTo(file, grid.offset))
        return false;
    for (auto& pair : grid.pairs) {
        std::uint8_t bytes[GRID_PAIR_SIZE];
        const int ret = fp_Read(bytes, static_cast<int>(sizeof bytes), file);
        if (!CF_CHECK_TEXT(ret == static_cast<int>(GRID_PAIR_SIZE), "ret == sizeof(int)*2"))
            return false;
        pair[0] = le_LoadInt(bytes);
        pair[1] = le_LoadInt(bytes + 4);
    }
    std::uint8_t index[GRID_INDEX_SIZE];
    const int ret = fp_Read(index, static_cast<int>(sizeof index), file);
    if (!CF_CHECK_TEXT(ret == static_cast<int>(GRID_INDEX_SIZE), "ret == sizeof(TMapDataIdx) * 2 * MapLayerQty"))
        return false;
    const std::uint8_t* entry = index;
    for (auto& partIndex : grid.idx) {
        for (TMapDataIdx& idx : partIndex) {
            idx = {le_LoadInt(entry), le_LoadInt(entry + 4), le_LoadInt(entry + 8)};
            entry += MAP_DATA_IDX_SIZE;
        }
    }
    return true;
}

bool loadLayerPart(std::FILE* file, TMapSet& set, TGridData& grid, int layer, int part, int gridNumber) {
    const TMapDataIdx& idx = grid.idx[part][layer];
    if (idx.offset < 0 || idx.count < 1)
        return true;
    const int recordSize = set.recordSize[layer][part];
    const auto minimumSize = static_cast<int>(part == PART_POINTS ? POINT_RECORD_SIZE : MAP_MIN_RECORD_SIZE[layer]);
    const int ReadSize = idx.packSize;
    const long long PartSize = static_cast<long long>(idx.count) * recordSize;
    if (!CF_CHECK(recordSize >= minimumSize) || !CF_CHECK(ReadSize > 0 && ReadSize <= MP_WORK_BUF_SIZE) ||
        !CF_CHECK(PartSize <= ReadSize * LZO_MAX_EXPANSION + LZO_EXPANSION_SLACK) ||
        !CF_CHECK(set.unpackedTotal + PartSize <= MP_UNPACKED_MAX) ||
        !seekTo(file, static_cast<long long>(grid.offset) + idx.offset))
        return false;
    const int ret = fp_Read(set.work.get(), ReadSize, file);
    if (!CF_CHECK_TEXT(ret == ReadSize, "ret == ReadSize"))
        return false;

    std::unique_ptr<std::uint8_t[]> data(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(PartSize)]);
    if (!data) {
        dbg_Print("mp_LoadMapFiles: no memory for layer %d part %d of grid %d (%lld bytes)!\n", layer, part,
                  gridNumber, PartSize);
        return true; // the part stays empty; drawing skips it
    }
    std::size_t unpacked = 0;
    const TUnpackResult result = lzo_UnpackBlock(set.work.get(), static_cast<std::size_t>(ReadSize), data.get(),
                                                 static_cast<std::size_t>(PartSize), &unpacked);
    if (!CF_CHECK(result != UNPACK_TOO_LARGE) || !CF_CHECK(result == UNPACK_OK) ||
        !CF_CHECK(static_cast<long long>(unpacked) == PartSize))
        return false;
    TLayerPart& target = grid.parts[part][layer];
    target.data = std::move(data);
    target.count = idx.count;
    target.recordSize = recordSize;
    set.unpackedTotal += PartSize;
    return true;
}

} // namespace

bool seekTo(std::FILE* file, long long position) {
    return CF_CHECK(position >= 0 && position <= INT_MAX) &&
           CF_CHECK(fp_Seek(file, static_cast<int>(position), FP_SEEK_SET) == 0);
}

bool loadMapFile(std::FILE* file) {
    TMapSet& set = mapSet();
    if (!readHeader(file, set) || !readTables(file, set))
        return false;
    for (int g = 0; g < MAP_GRID_MAX; ++g) {
        TGridData& grid = set.grids[g];
        if (grid.offset < 0)
            continue;
        if (!readGridHead(file, grid))
            return false;
        for (int layer : MAP_LOADED_LAYERS)
            for (int part = 0; part < MAP_PART_COUNT; ++part)
                if (!loadLayerPart(file, set, grid, layer, part, g))
                    return false;
    }
    return true;
}

} // namespace cartoframe::mapdata
