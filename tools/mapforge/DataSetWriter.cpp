#include "DataSetWriter.h"

#include "FileList.h"
#include "MapLayout.h"
#include "MapProcess.h"
#include "PackedLayout.h"

#include <cstring>
#include <fstream>
#include <system_error>

namespace kyvo::mapforge {
namespace {

namespace cf = cartoframe;

// Marks the map file as ours in the header bytes the library does not read.
constexpr char kInfoTag[8] = {'m', 'a', 'p', 'f', 'o', 'r', 'g', 'e'};
constexpr std::uint32_t kFormatVersion = 1;
constexpr std::uint32_t kNoEntry = 0xFFFFFFFFu;
constexpr std::size_t kFillerEvery = 3; // a filler byte after every third byte of a file name

void put16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void set32(Bytes& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t packedPoint(const Point& p, const Point& corner) {
    return static_cast<std::uint16_t>(p.x - corner.x) |
           (static_cast<std::uint32_t>(static_cast<std::uint16_t>(p.y - corner.y)) << 16);
}

// Part 0 and part 1 of one layer of a grid.
struct LayerParts {
    Bytes records;
    int objects = 0;
    Bytes points;
    int pointCount = 0;

    void addPoints(const Polyline& line, const Point& corner) {
        for (const Point& p : line)
            put32(points, packedPoint(p, corner));
        pointCount += static_cast<int>(line.size());
    }
};

// How an area or line record holds its point count and first point index:
// water areas both in 16 bits, line features both in 32 bits, land-use
// areas a 16-bit count padded to 32 bits and a 32-bit index.
struct ShapeRecordLayout {
    bool wideCount;
    bool countPadded;
    bool wideIndex;
};
constexpr ShapeRecordLayout kWaterLayout{false, false, false};
constexpr ShapeRecordLayout kLineLayout{true, false, true};
constexpr ShapeRecordLayout kLandUseLayout{false, true, true};

LayerParts shapeParts(const std::vector<ShapeObject>& shapes, const Point& corner, ShapeRecordLayout layout) {
    LayerParts parts;
    for (const ShapeObject& shape : shapes) {
        put16(parts.records, shape.upperLeft);
        put16(parts.records, shape.lowerRight);
        const auto count = static_cast<std::uint32_t>(shape.points.size());
        layout.wideCount ? put32(parts.records, count) : put16(parts.records, count);
        if (layout.countPadded)
            put16(parts.records, 0);
        const auto first = static_cast<std::uint32_t>(parts.pointCount);
        layout.wideIndex ? put32(parts.records, first) : put16(parts.records, first);
        parts.addPoints(shape.points, corner);
        ++parts.objects;
    }
    return parts;
}

LayerParts waterParts(const GridModel& grid) { return shapeParts(grid.water, grid.corner, kWaterLayout); }
LayerParts lineParts(const GridModel& grid) { return shapeParts(grid.lines, grid.corner, kLineLayout); }
LayerParts landUseParts(const GridModel& grid) { return shapeParts(grid.landUse, grid.corner, kLandUseLayout); }

LayerParts roadParts(const GridModel& grid) {
    LayerParts parts;
    for (const RoadObject& road : grid.roads) {
        const auto first = road.inner.empty() ? 0u : static_cast<std::uint32_t>(parts.pointCount);
        put32(parts.records, cf::ROAD_NAME_OFFSET.put(road.nameOffset));
        put32(parts.records, cf::ROAD_FIRST_INNER.put(first) |
                                 cf::ROAD_POINT_COUNT.put(static_cast<std::uint32_t>(road.inner.size() + 2)));
        parts.addPoints(road.inner, grid.corner);
        ++parts.objects;
    }
    return parts;
}

LayerParts roadAttributeParts(const GridModel& grid) {
    LayerParts parts;
    for (const RoadObject& road : grid.roads) {
        put16(parts.records, static_cast<std::uint32_t>(road.startNode));
        put16(parts.records, static_cast<std::uint32_t>(road.endNode));
        put32(parts.records, cf::ROAD_CLASS.put(static_cast<std::uint32_t>(road.roadClass)));
        put32(parts.records, cf::ROAD_ATTRIBUTE.put(static_cast<std::uint32_t>(road.attribute)) |
                                 cf::ROAD_LABEL_MODE.put(static_cast<std::uint32_t>(road.labelMode)));
        put32(parts.records, cf::ROAD_WIDTH_A.put(static_cast<std::uint32_t>(road.factorA)) |
                                 cf::ROAD_WIDTH_B.put(static_cast<std::uint32_t>(road.factorB)));
        ++parts.objects;
    }
    return parts;
}

struct LayerWriter {
    int layer;
    LayerParts (*parts)(const GridModel&);
};

// In the order the library loads them, so that it reads each grid in one pass.
constexpr LayerWriter kLayerWriters[] = {{cf::LAYER_WATER, waterParts},
                                         {cf::LAYER_ROAD, roadParts},
                                         {cf::LAYER_LINE, lineParts},
                                         {cf::LAYER_LANDUSE, landUseParts},
                                         {cf::LAYER_ROAD_ATTR, roadAttributeParts}};

bool gridBlock(const GridModel& grid, Bytes& block, std::string& error) {
    block.clear();
    for (const auto& pair : grid.pairs) {
        put32(block, static_cast<std::uint32_t>(pair[0]));
        put32(block, static_cast<std::uint32_t>(pair[1]));
    }
    Bytes index(cf::GRID_INDEX_SIZE);
    for (std::size_t at = 0; at < index.size(); at += cf::MAP_DATA_IDX_SIZE)
        set32(index, at, kNoEntry); // no data: offset -1, count and size 0
    Bytes data;
    for (const LayerWriter& writer : kLayerWriters) {
        const LayerParts parts = writer.parts(grid);
        const struct {
            const Bytes& raw;
            int count;
        } partList[cf::MAP_PART_COUNT] = {{parts.records, parts.objects}, {parts.points, parts.pointCount}};
        for (int part = 0; part < cf::MAP_PART_COUNT; ++part) {
            if (partList[part].raw.empty())
                continue;
            const Bytes packed = lzoCompress(partList[part].raw);
            if (packed.size() > static_cast<std::size_t>(cf::MP_WORK_BUF_SIZE)) {
                error = "layer " + std::to_string(writer.layer) + " of grid " + std::to_string(grid.number) +
                        " packs to more than the map library's work buffer";
                return false;
            }
            const std::size_t entry = static_cast<std::size_t>(part * cf::MapLayerQty + writer.layer) *
                                      cf::MAP_DATA_IDX_SIZE;
            set32(index, entry, static_cast<std::uint32_t>(cf::GRID_HEAD_SIZE + data.size()));
            set32(index, entry + 4, static_cast<std::uint32_t>(partList[part].count));
            set32(index, entry + 8, static_cast<std::uint32_t>(packed.size()));
            data.insert(data.end(), packed.begin(), packed.end());
        }
    }
    block.insert(block.end(), index.begin(), index.end());
    block.insert(block.end(), data.begin(), data.end());
    return true;
}

void mapHeader(const DataSetModel& model, Bytes& out) {
    out.assign(cf::MAP_TABLES_END, 0);
    set32(out, cf::MAP_HIGH_COLUMN_AT, static_cast<std::uint32_t>(model.highColumn));
    set32(out, cf::MAP_HIGH_ROW_AT, static_cast<std::uint32_t>(model.highRow));
    set32(out, cf::MAP_LOW_COLUMN_AT, static_cast<std::uint32_t>(model.lowColumn));
    set32(out, cf::MAP_LOW_ROW_AT, static_cast<std::uint32_t>(model.lowRow));
    std::memcpy(out.data() + cf::MAP_INFO_AT, kInfoTag, sizeof kInfoTag);
    std::size_t roads = 0;
    for (const auto& entry : model.grids)
        roads += entry.second.roads.size();
    set32(out, cf::MAP_INFO_AT + sizeof kInfoTag, kFormatVersion);
    set32(out, cf::MAP_INFO_AT + sizeof kInfoTag + 4, static_cast<std::uint32_t>(model.grids.size()));
    set32(out, cf::MAP_INFO_AT + sizeof kInfoTag + 8, static_cast<std::uint32_t>(roads));
    for (const LayerWriter& writer : kLayerWriters) {
        out[cf::MAP_RECORD_SIZES_AT + static_cast<std::size_t>(writer.layer * 2)] =
            static_cast<std::uint8_t>(cf::MAP_MIN_RECORD_SIZE[writer.layer]);
        out[cf::MAP_RECORD_SIZES_AT + static_cast<std::size_t>(writer.layer * 2 + 1)] = cf::POINT_RECORD_SIZE;
    }
    for (int g = 0; g < cf::MAP_GRID_MAX; ++g)
        set32(out, cf::MAP_GRID_OFFSETS_AT + static_cast<std::size_t>(g) * 4, kNoEntry);
}

} // namespace

bool encodeDataSet(const DataSetModel& model, DataSetFiles& files, std::string& error) {
    mapHeader(model, files.map);
    files.roadNode.assign(cf::NODE_TABLE_BYTES, 0xFF);
    files.speedIndex.assign(cf::SPEED_TABLE_BYTES, 0xFF);
    Bytes block;
    std::size_t nodeUnits = 0;
    for (const auto& [number, grid] : model.grids) {
        const std::size_t slot = static_cast<std::size_t>(number) * 4;
        if (!gridBlock(grid, block, error))
            return false;
        set32(files.map, cf::MAP_GRID_OFFSETS_AT + slot, static_cast<std::uint32_t>(files.map.size()));
        set32(files.map, cf::MAP_NODE_COUNTS_AT + slot, static_cast<std::uint32_t>(grid.nodes.size()));
        files.map.insert(files.map.end(), block.begin(), block.end());

        if (!grid.nodes.empty()) {
            set32(files.roadNode, slot, static_cast<std::uint32_t>(nodeUnits));
            for (const Point& node : grid.nodes)
                put32(files.roadNode, packedPoint(node, grid.corner));
            nodeUnits += grid.nodes.size();
        }
        if (!grid.roads.empty()) {
            set32(files.speedIndex, slot, static_cast<std::uint32_t>(files.speedIndex.size() - cf::SPEED_TABLE_BYTES));
            for (const auto& cell : grid.subCells)
                put16(files.speedIndex, static_cast<std::uint32_t>(cell.size()));
            for (const auto& cell : grid.subCells)
                for (std::uint16_t road : cell)
                    put16(files.speedIndex, road);
        }
    }
    files.roadName.assign(model.roadNames.begin(), model.roadNames.end());
    return true;
}

Bytes packFile(const Bytes& content, int blockSize) {
    const std::size_t size = content.size();
    const auto block = static_cast<std::size_t>(blockSize);
    const std::size_t count = (size + block - 1) / block;
    Bytes out(cf::PACK_OFFSET_TABLE_AT + (count + 1) * cf::PACK_WORD_SIZE, 0);
    std::memcpy(out.data(), cf::PACK_MAGIC, cf::PACK_MAGIC_SIZE);
    set32(out, cf::PACK_UNPACKED_SIZE_AT, static_cast<std::uint32_t>(size));
    set32(out, cf::PACK_FORMAT_WORD_AT, cf::PACK_FORMAT_WORD);
    set32(out, cf::PACK_RESERVED_WORD_AT, cf::PACK_RESERVED_WORD);
    set32(out, cf::PACK_BLOCK_SIZE_AT, static_cast<std::uint32_t>(blockSize));
    set32(out, cf::PACK_BLOCK_COUNT_AT, static_cast<std::uint32_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        set32(out, cf::PACK_OFFSET_TABLE_AT + i * cf::PACK_WORD_SIZE, static_cast<std::uint32_t>(out.size()));
        const Bytes packed = lzoCompress(content.data() + i * block, std::min(block, size - i * block));
        out.insert(out.end(), packed.begin(), packed.end());
    }
    set32(out, cf::PACK_OFFSET_TABLE_AT + count * cf::PACK_WORD_SIZE, static_cast<std::uint32_t>(out.size()));
    return out;
}

Bytes fileListBytes(const std::array<std::string, 4>& targets) {
    Bytes out;
    for (std::size_t entry = 0; entry < targets.size(); ++entry) {
        for (const char* c = cf::FL_LOGICAL_NAMES[entry]; *c; ++c)
            out.push_back(static_cast<std::uint8_t>(*c) ^ cf::FL_KEY);
        out.push_back(cf::FL_VALUE_MARK);
        for (std::size_t i = 0; i < targets[entry].size(); ++i) {
            out.push_back(static_cast<std::uint8_t>(targets[entry][i]) ^ cf::FL_KEY);
            if ((i + 1) % kFillerEvery == 0)
                out.push_back(cf::FL_FILLER);
        }
        out.push_back(cf::FL_END_MARK);
    }
    return out;
}

namespace {

bool writeBytes(const std::filesystem::path& path, const Bytes& bytes, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        error = "cannot write " + path.string();
    return static_cast<bool>(out);
}

} // namespace

bool saveDataSet(const DataSetFiles& files, const std::filesystem::path& folder, const WriteOptions& options,
                 std::string& error) {
    if (options.blockSize < 1 || options.blockSize > cf::LZO_BUF_SIZE) {
        error = "the block size must lie between 1 and " + std::to_string(cf::LZO_BUF_SIZE);
        return false;
    }
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const Bytes* contents[4] = {&files.map, &files.roadName, &files.roadNode, &files.speedIndex};
    std::array<std::string, 4> targets;
    for (std::size_t i = 0; i < 4; ++i) {
        targets[i] = kTargetNames[i];
        const bool packed = options.packAll || (i == 0 && options.packMap);
        const Bytes bytes = packed ? packFile(*contents[i], options.blockSize) : *contents[i];
        if (!writeBytes(folder / kTargetNames[i], bytes, error))
            return false;
    }
    return writeBytes(folder / cf::FL_FILE_NAME, fileListBytes(targets), error);
}

} // namespace kyvo::mapforge
