#pragma once
// Layout of the map data set: the "Map" file, "RoadNode" and "RSpeedIdx".
// All integers are 32-bit little-endian unless a field says otherwise.
//
// Map units are 1/100000 degree; x grows east, y north. The map is cut into
// square grids of 10000 units (0.1 degree), each cut into 100 sub-cells of
// 1000 units, numbered column + row * 10 within the grid.
//
// "Map":
//        0     4  highest grid column (x / 10000)
//        4     4  highest grid row (y / 10000)
//        8     4  lowest grid column
//       12     4  lowest grid row
//       16    32  (not read)
//       48    36  record size of each layer and part: byte 48 + layer * 2 + part
//       84  4256  grid offset table: 1064 file offsets, -1 for an empty grid
//     4340  4256  road node count of each grid
//
// Grid block (at the grid's offset):
//        0    24  three int pairs (kept, not drawn)
//       24   432  TMapDataIdx[2][18]: for part 0, then part 1, for every layer:
//                 data offset from the grid's offset (negative: none),
//                 object count, compressed size
//
// A present layer part is one LZO1X stream unpacking to object count *
// record size bytes. Part 0 holds the object records, part 1 the packed
// points (low 16 bits signed x, high 16 bits signed y, from the grid's
// lower-left corner) that the records index.
//
// "RoadNode": 1064 ints, each grid's node list position in 4-byte units from
// byte 4256 (-1 none); a list holds node-count-table[grid] packed points.
//
// "RSpeedIdx" (may be empty): 1064 ints, each grid's block offset in bytes
// from byte 4256 (-1 none). A block runs to the next non-negative offset (the
// last one to the end of the file): 100 16-bit road counts, one per sub-cell,
// then for each sub-cell with a nonzero count that many 16-bit road numbers.

#include <cstddef>
#include <cstdint>

namespace cartoframe {

inline constexpr int MapLayerQty = 18;
inline constexpr int MAP_PART_COUNT = 2;
inline constexpr int PART_OBJECTS = 0;
inline constexpr int PART_POINTS = 1;
inline constexpr int MAP_GRID_MAX = 1064;

inline constexpr int MAP_GRID_SIZE = 10000;
inline constexpr int MAP_SUBCELL_SIZE = 1000;
inline constexpr int MAP_SUBCELLS_PER_SIDE = MAP_GRID_SIZE / MAP_SUBCELL_SIZE;
inline constexpr int MAP_SUBCELL_COUNT = MAP_SUBCELLS_PER_SIDE * MAP_SUBCELLS_PER_SIDE;
inline constexpr int MAP_CORNER_LATTICE = 40; // units per step of a corner code

// Whole-earth limits of grid columns and rows (180 and 90 degrees).
inline constexpr int MAP_GRID_COLUMN_LIMIT = 1800;
inline constexpr int MAP_GRID_ROW_LIMIT = 900;

// "Map" header.
inline constexpr std::size_t MAP_HIGH_COLUMN_AT = 0;
inline constexpr std::size_t MAP_HIGH_ROW_AT = 4;
inline constexpr std::size_t MAP_LOW_COLUMN_AT = 8;
inline constexpr std::size_t MAP_LOW_ROW_AT = 12;
inline constexpr std::size_t MAP_INFO_AT = 16; // 32 bytes the library does not read
inline constexpr std::size_t MAP_INFO_SIZE = 32;
inline constexpr std::size_t MAP_RECORD_SIZES_AT = 48;
inline constexpr std::size_t MAP_HEADER_SIZE = 84;
inline constexpr std::size_t MAP_TABLE_BYTES = MAP_GRID_MAX * 4;
inline constexpr std::size_t MAP_GRID_OFFSETS_AT = MAP_HEADER_SIZE;
inline constexpr std::size_t MAP_NODE_COUNTS_AT = MAP_GRID_OFFSETS_AT + MAP_TABLE_BYTES;
inline constexpr std::size_t MAP_TABLES_END = MAP_NODE_COUNTS_AT + MAP_TABLE_BYTES;
static_assert(MAP_RECORD_SIZES_AT + MapLayerQty * MAP_PART_COUNT == MAP_HEADER_SIZE);
static_assert(MAP_NODE_COUNTS_AT == 4340);

// Grid block.
inline constexpr int GRID_PAIR_COUNT = 3;
inline constexpr std::size_t GRID_PAIR_SIZE = 8;
inline constexpr std::size_t MAP_DATA_IDX_SIZE = 12; // offset, count, compressed size
inline constexpr std::size_t GRID_INDEX_AT = GRID_PAIR_COUNT * GRID_PAIR_SIZE;
inline constexpr std::size_t GRID_INDEX_SIZE = MAP_DATA_IDX_SIZE * MAP_PART_COUNT * MapLayerQty;
inline constexpr std::size_t GRID_HEAD_SIZE = GRID_INDEX_AT + GRID_INDEX_SIZE;
static_assert(GRID_INDEX_SIZE == 432);

// Layers the library loads.
inline constexpr int LAYER_WATER = 0;     // water areas
inline constexpr int LAYER_ROAD = 1;      // road geometry
inline constexpr int LAYER_LINE = 7;      // line features
inline constexpr int LAYER_LANDUSE = 13;  // land-use areas
inline constexpr int LAYER_ROAD_ATTR = 16; // road attributes, parallel to LAYER_ROAD
inline constexpr int MAP_LOADED_LAYERS[] = {LAYER_WATER, LAYER_ROAD, LAYER_LINE, LAYER_LANDUSE, LAYER_ROAD_ATTR};

inline constexpr std::size_t POINT_RECORD_SIZE = 4;

// Smallest object record that holds every field the library reads, by layer
// (0 for layers it does not load).
inline constexpr std::size_t MAP_MIN_RECORD_SIZE[MapLayerQty] = {8, 8, 0, 0, 0, 0, 0, 12, 0,
                                                                 0, 0, 0, 0, 12, 0, 0, 16, 0};

// A bit field inside a 32-bit record word.
struct TBitField {
    int shift;
    int width;
    constexpr std::uint32_t mask() const { return (std::uint32_t{1} << width) - 1; }
    constexpr int get(std::uint32_t word) const { return static_cast<int>((word >> shift) & mask()); }
    constexpr std::uint32_t put(std::uint32_t value) const { return (value & mask()) << shift; }
};

// Records of areas (water, land use) and line features.
inline constexpr std::size_t AREA_UPPER_LEFT_AT = 0;  // corner code: least x, greatest y
inline constexpr std::size_t AREA_LOWER_RIGHT_AT = 2; // corner code: greatest x, least y
inline constexpr std::size_t WATER_POINT_COUNT_AT = 4;  // 16-bit
inline constexpr std::size_t WATER_FIRST_POINT_AT = 6;  // 16-bit
inline constexpr std::size_t LINE_POINT_COUNT_AT = 4;   // 32-bit
inline constexpr std::size_t LINE_FIRST_POINT_AT = 8;   // 32-bit
inline constexpr std::size_t LANDUSE_POINT_COUNT_AT = 4; // 16-bit
inline constexpr std::size_t LANDUSE_FIRST_POINT_AT = 8; // 32-bit
inline constexpr TBitField CORNER_COLUMN{0, 8};
inline constexpr TBitField CORNER_ROW{8, 8};

// Road geometry records (layer 1).
inline constexpr std::size_t ROAD_NAME_AT = 0;
inline constexpr TBitField ROAD_NAME_OFFSET{0, 18};
inline constexpr std::size_t ROAD_SHAPE_AT = 4;
inline constexpr TBitField ROAD_FIRST_INNER{0, 16};
inline constexpr TBitField ROAD_POINT_COUNT{16, 10}; // both end nodes included

// Road attribute records (layer 16).
inline constexpr std::size_t ROAD_START_NODE_AT = 0; // 16-bit index into the grid's nodes
inline constexpr std::size_t ROAD_END_NODE_AT = 2;
inline constexpr std::size_t ROAD_CLASS_AT = 4;
inline constexpr TBitField ROAD_CLASS{23, 3};
inline constexpr std::size_t ROAD_LABEL_AT = 8;
inline constexpr TBitField ROAD_ATTRIBUTE{27, 2};
inline constexpr TBitField ROAD_LABEL_MODE{29, 3};
inline constexpr std::size_t ROAD_WIDTH_AT = 12;
inline constexpr TBitField ROAD_WIDTH_A{21, 3};
inline constexpr TBitField ROAD_WIDTH_B{24, 4};
inline constexpr int ROAD_CLASS_COUNT = 8;

// "RoadNode" and "RSpeedIdx".
inline constexpr std::size_t NODE_TABLE_BYTES = MAP_TABLE_BYTES;
inline constexpr std::size_t NODE_UNIT = 4;
inline constexpr std::size_t SPEED_TABLE_BYTES = MAP_TABLE_BYTES;
inline constexpr std::size_t SPEED_COUNTS_SIZE = MAP_SUBCELL_COUNT * 2;

} // namespace cartoframe
