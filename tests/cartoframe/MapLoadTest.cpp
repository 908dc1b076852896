// Loading a hand-made data set: every accessor on every layer, points west
// and south of their grid's corner, a road of two points, an empty grid, the
// optional road index, files that do not open, and every fatal data error,
// after which the map stays stopped until it is loaded afresh.
#include "DataSetWriter.h"
#include "MapTestFixture.h"

#include <cstring>
#include <functional>

namespace cartoframe {
namespace {

namespace forge = kyvo::mapforge;
using test::Bytes;

constexpr int kCornerX = 12100000; // grid column 1210
constexpr int kCornerY = 2500000;  // grid row 250
const std::string kNames("\xA4\xA4\xA4\x73\xB8\xF4\0" "1\0", 9); // Big5 "中山路", then "1"
constexpr std::uint32_t kNoName = forge::kNoNameOffset;

forge::Point at(int dx, int dy) { return {kCornerX + dx, kCornerY + dy}; }

std::uint16_t cornerCode(int column, int row) { return static_cast<std::uint16_t>(column | (row << 8)); }

forge::GridModel& addGrid(forge::DataSetModel& set, int number, int column, int row) {
    forge::GridModel& grid = set.grids[number];
    grid.number = number;
    grid.cell = {column, row};
    grid.corner = {column * MAP_GRID_SIZE, row * MAP_GRID_SIZE};
    return grid;
}

// Two columns by two rows; grid 0 holds one object of every layer, grid 1
// is empty, grid 2 holds one line. Points may lie west or south of their
// grid's corner.
forge::DataSetModel townSet() {
    forge::DataSetModel set;
    set.lowColumn = 1210;
    set.lowRow = 250;
    set.highColumn = 1211;
    set.highRow = 251;
    set.roadNames = kNames;
    forge::GridModel& grid = addGrid(set, 0, 1210, 250);
    grid.pairs[0][0] = 1;
    grid.pairs[2][0] = 5;
    grid.pairs[2][1] = 6;
    grid.water.push_back({{at(100, 200), at(900, 200), at(900, 1000), at(100, 1000)}, cornerCode(2, 25),
                          cornerCode(23, 5)});
    grid.lines.push_back({{at(10, 10), at(20, 30), at(40, 50)}, cornerCode(0, 2), cornerCode(1, 0)});
    grid.landUse.push_back({{at(5, 5), at(120, 5), at(60, 40)}, cornerCode(0, 1), cornerCode(3, 0)});
    grid.nodes = {at(0, 0), at(1000, 1000), at(9999, 9999)};
    // name, class, attribute, label mode, width factors, start and end node, inner points
    grid.roads = {{0, 4, 1, 0, 2, 3, 0, 1, {}},
                  {kNoName, 1, 0, 2, 7, 15, 1, 2, {at(-5, 300), at(500, -20)}},
                  {7, 0, 3, 7, 0, 0, 2, 0, {at(700, 700)}}};
    grid.subCells[0] = {0, 1};
    grid.subCells[55] = {2, 0, 1};
    grid.subCells[99] = {1};
    forge::GridModel& north = addGrid(set, 2, 1210, 251);
    north.lines.push_back({{{kCornerX, kCornerY + 10000}, {kCornerX + 40, kCornerY + 10040}}, 0, cornerCode(1, 1)});
    return set;
}

forge::DataSetFiles townFiles() {
    forge::DataSetFiles files;
    std::string error;
    if (!forge::encodeDataSet(townSet(), files, error))
        ADD_FAILURE() << error;
    return files;
}

TMapPoint mapAt(int dx, int dy) { return {kCornerX + dx, kCornerY + dy}; }

bool same(const TMapPoint& a, const TMapPoint& b) { return a.x == b.x && a.y == b.y; }

std::vector<TMapPoint> points(int grid, int layer, int object) {
    std::vector<TMapPoint> out;
    const int count = mp_GetPointCount(grid, layer, object);
    for (int k = 0; k < count; ++k) {
        TMapPoint point;
        EXPECT_TRUE(mp_GetPoint(grid, layer, object, k, &point)) << "point " << k;
        out.push_back(point);
    }
    TMapPoint beyond;
    EXPECT_FALSE(mp_GetPoint(grid, layer, object, count, &beyond));
    return out;
}

void expectPoints(const std::vector<TMapPoint>& actual, const std::vector<TMapPoint>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_TRUE(same(actual[i], expected[i])) << "point " << i << ": " << actual[i].x << "," << actual[i].y;
}

void expectBox(const TMapRect& box, const TMapRect& expected) {
    EXPECT_EQ(box.left, expected.left);
    EXPECT_EQ(box.top, expected.top);
    EXPECT_EQ(box.right, expected.right);
    EXPECT_EQ(box.bottom, expected.bottom);
}

// Everything the accessors tell about the town set.
void expectTown() {
    ASSERT_TRUE(mp_IsLoaded());
    const TMapBounds bounds = mp_GetBounds();
    EXPECT_EQ(bounds.columns, 2);
    EXPECT_EQ(bounds.highRow, 251);
    TMapRect box;

    EXPECT_EQ(mp_GetObjectCount(0, LAYER_WATER), 1);
    ASSERT_TRUE(mp_GetObjectBox(0, LAYER_WATER, 0, &box));
    expectBox(box, {kCornerX + 80, kCornerY + 1000, kCornerX + 920, kCornerY + 200});
    expectPoints(points(0, LAYER_WATER, 0), {mapAt(100, 200), mapAt(900, 200), mapAt(900, 1000), mapAt(100, 1000)});

    ASSERT_TRUE(mp_GetObjectBox(0, LAYER_LINE, 0, &box));
    expectBox(box, {kCornerX, kCornerY + 80, kCornerX + 40, kCornerY});
    expectPoints(points(0, LAYER_LINE, 0), {mapAt(10, 10), mapAt(20, 30), mapAt(40, 50)});
    expectPoints(points(0, LAYER_LANDUSE, 0), {mapAt(5, 5), mapAt(120, 5), mapAt(60, 40)});
    TMapDataIdx entry;
    ASSERT_TRUE(mp_GetLayerIndex(0, LAYER_ROAD, PART_POINTS, &entry));
    EXPECT_EQ(entry.count, 3);

    ASSERT_EQ(mp_GetRoadCount(0), 3);
    // A road of two points is its two nodes.
    expectPoints(points(0, LAYER_ROAD, 0), {mapAt(0, 0), mapAt(1000, 1000)});
    // Inner points may lie west or south of the grid's corner.
    expectPoints(points(0, LAYER_ROAD, 1), {mapAt(1000, 1000), mapAt(-5, 300), mapAt(500, -20), mapAt(9999, 9999)});
    expectPoints(points(0, LAYER_ROAD, 2), {mapAt(9999, 9999), mapAt(700, 700), mapAt(0, 0)});
    ASSERT_TRUE(mp_GetRoadBox(0, 1, &box));
    expectBox(box, {kCornerX - 5, kCornerY + 9999, kCornerX + 9999, kCornerY - 20});

    EXPECT_STREQ(mp_GetRoadName(0, 0), "\xA4\xA4\xA4\x73\xB8\xF4");
    EXPECT_EQ(mp_GetRoadName(0, 1), nullptr);
    EXPECT_EQ(mp_GetRoadNameOffset(0, 1), static_cast<int>(kNoName));
    EXPECT_STREQ(mp_GetRoadName(0, 2), "1");
    const int classes[] = {mp_GetRoadClass(0, 0), mp_GetRoadClass(0, 1), mp_GetRoadClass(0, 2)};
    EXPECT_EQ(classes[0], 4);
    EXPECT_EQ(classes[1], 1);
    EXPECT_EQ(classes[2], 0);
    EXPECT_EQ(mp_GetRoadLabelMode(0, 1), 2);
    EXPECT_EQ(mp_GetRoadLabelMode(0, 2), 7);
    EXPECT_EQ(mp_GetRoadAttribute(0, 0), 1);
    EXPECT_EQ(mp_GetRoadAttribute(0, 2), 3);
    int a = 0;
    int b = 0;
    ASSERT_TRUE(mp_GetRoadWidthFactors(0, 1, &a, &b));
    EXPECT_EQ(a * 100 + b, 715);

    EXPECT_EQ(mp_GetNodeCount(0), 3);
    EXPECT_EQ(mp_GetSubCellRoadCount(0, 55), 3);
    EXPECT_EQ(mp_GetSubCellRoad(0, 55, 0), 2);
    EXPECT_EQ(mp_GetSubCellRoad(0, 55, 2), 1);
    EXPECT_EQ(mp_GetSubCellRoad(0, 55, 3), -1);
    EXPECT_EQ(mp_GetSubCellRoad(0, 99, 0), 1);
    EXPECT_EQ(mp_GetSubCellRoadCount(0, 1), 0);
    EXPECT_EQ(mp_GetSubCellRoadCount(0, 100), 0);
    EXPECT_EQ(mp_GetSubCellRoadCount(MAP_GRID_MAX, 0), 0);

    int first = 0;
    int second = 0;
    ASSERT_TRUE(mp_GetGridPair(0, 2, &first, &second));
    EXPECT_EQ(first * 10 + second, 56);
    expectPoints(points(2, LAYER_LINE, 0), {{kCornerX, kCornerY + 10000}, {kCornerX + 40, kCornerY + 10040}});
}

class MapLoadTest : public test::MapTestFixture {
protected:
    void writeTown(const forge::DataSetFiles& files = townFiles(), const forge::WriteOptions& options = plain()) {
        std::string error;
        ASSERT_TRUE(forge::saveDataSet(files, folder_.path(), options, error)) << error;
    }
    void rewrite(int file, const Bytes& bytes) { test::writeFile(folder_.path() / forge::kTargetNames[file], bytes); }
    void writeList(const std::array<std::string, 4>& targets) {
        test::writeFile(folder_.path() / FL_FILE_NAME, forge::fileListBytes(targets));
    }
    static forge::WriteOptions plain() {
        forge::WriteOptions options;
        options.packMap = false;
        return options;
    }
};

TEST_F(MapLoadTest, EveryAccessorReadsTheHandMadeSetPlainAndPacked) {
    writeTown();
    ASSERT_EQ(load(), 0);
    expectTown();
    EXPECT_EQ(fp_OpenCount(), 0);
    EXPECT_EQ(fp_BlocksUnpacked(), 0);

    forge::WriteOptions packed;
    packed.packAll = true;
    packed.blockSize = 4;
    writeTown(townFiles(), packed);
    ASSERT_EQ(load(), 0);
    expectTown();
    EXPECT_GT(fp_BlocksUnpacked(), 1000);
    EXPECT_EQ(diag_.assertion(), "");
}

TEST_F(MapLoadTest, GridNumbersCornersAndAnEmptyGrid) {
    writeTown();
    ASSERT_EQ(load(), 0);
    EXPECT_EQ(mp_GetGridNumber(kCornerX, kCornerY), 0);
    EXPECT_EQ(mp_GetGridNumber(kCornerX + 10000, kCornerY + 9999), 1);
    EXPECT_EQ(mp_GetGridNumber(kCornerX + 9999, kCornerY + 10000), 2);
    EXPECT_LT(mp_GetGridNumber(kCornerX - 1, kCornerY), 0) << "west of the map";
    EXPECT_LT(mp_GetGridNumber(kCornerX, kCornerY - 1), 0) << "south of the map";
    EXPECT_LT(mp_GetGridNumber(-5, -5), 0);

    TMapPoint corner;
    ASSERT_TRUE(mp_GetGridCorner(3, &corner));
    EXPECT_TRUE(same(corner, {kCornerX + 10000, kCornerY + 10000}));
    EXPECT_FALSE(mp_GetGridCorner(MAP_GRID_MAX, &corner));

    EXPECT_FALSE(mp_IsGridPresent(1));
    EXPECT_EQ(mp_GetObjectCount(1, LAYER_WATER), 0);
    EXPECT_EQ(mp_GetRoadCount(1), 0);
    EXPECT_EQ(mp_GetNodeCount(1), 0);
    TMapRect box;
    EXPECT_FALSE(mp_GetObjectBox(1, LAYER_WATER, 0, &box));
    EXPECT_EQ(mp_GetRoadClass(1, 0), ROAD_CLASS_NONE);
    EXPECT_FALSE(diag_.contains("GridNum"));
    EXPECT_EQ(mp_GetRoadClass(-1, 0), ROAD_CLASS_NONE);
    EXPECT_EQ(mp_GetRoadClass(0, -1), ROAD_CLASS_NONE);
    EXPECT_EQ(diag_.lines().back(), " GridNum < 0 || ObjNum < 0\n");
    EXPECT_FALSE(dbg_IsMapStopped());
}

TEST_F(MapLoadTest, TheRoadIndexIsOptional) {
    writeTown();
    rewrite(3, {});
    ASSERT_EQ(load(), 0);
    EXPECT_EQ(mp_GetSubCellRoadCount(0, 55), 0);
    EXPECT_EQ(mp_GetSubCellRoad(0, 55, 0), -1);
    EXPECT_EQ(mp_GetRoadCount(0), 3);

    writeList({forge::kTargetNames[0], forge::kTargetNames[1], forge::kTargetNames[2], ""});
    ASSERT_EQ(load(), 0);
    EXPECT_EQ(mp_GetSubCellRoadCount(0, 0), 0);
}

TEST_F(MapLoadTest, ASetFileThatDoesNotOpenFailsTheLoadWithoutStoppingTheMap) {
    writeTown();
    std::filesystem::remove(folder_.path() / forge::kTargetNames[2]);
    EXPECT_EQ(load(), -1);
    EXPECT_TRUE(diag_.contains("fp_Open: open '" + (folder_.path() / "ROADNODE.DAT").string() + "'(rb) failed!\n"));
    EXPECT_FALSE(mp_IsLoaded());
    EXPECT_EQ(mp_GetRoadCount(0), 0);
    EXPECT_EQ(fp_OpenCount(), 0);
    EXPECT_FALSE(dbg_IsMapStopped());

    writeList({forge::kTargetNames[0], "", "", ""});
    EXPECT_EQ(load(), -1);
    EXPECT_TRUE(diag_.contains("mp_LoadMapFiles: the file list names no 'RoadName' file!\n"));
}

// The town set with one file changed.
struct Breakage {
    const char* name;
    int file;
    std::function<void(Bytes&)> change;
    std::string check;
};

constexpr std::size_t kGrid0 = MAP_TABLES_END; // the first grid block follows the tables
std::size_t indexEntry(int part, int layer) {
    return kGrid0 + GRID_INDEX_AT + static_cast<std::size_t>(part * MapLayerQty + layer) * MAP_DATA_IDX_SIZE;
}
constexpr std::size_t kCountAt = 4;
constexpr std::size_t kPackSizeAt = 8;

TEST_F(MapLoadTest, FatalDataErrorsStopTheMapUntilItIsLoadedAfresh) {
    const std::vector<Breakage> breakages = {
        {"map cut inside its tables", 0, [](Bytes& b) { b.resize(5000); }, "ret == static_cast<int>(MAP_TABLE_BYTES)"},
        {"lowest column above the highest", 0,
         [](Bytes& b) { test::putLe32(b, MAP_LOW_COLUMN_AT, 1212); }, "bounds.lowColumn <= bounds.highColumn"},
        {"grid offset beyond the file", 0,
         [](Bytes& b) { test::putLe32(b, MAP_GRID_OFFSETS_AT, static_cast<std::uint32_t>(b.size() + 64)); },
         "ret == sizeof(int)*2"},
        {"grid block cut inside its index", 0, [](Bytes& b) { b.resize(kGrid0 + GRID_INDEX_AT + 100); },
         "ret == sizeof(TMapDataIdx) * 2 * MapLayerQty"},
        {"layer part beyond the store's reach", 0,
         [](Bytes& b) { test::putLe32(b, indexEntry(0, LAYER_WATER), 0x7FFFFFF0u); },
         "position >= 0 && position <= INT_MAX"},
        {"layer part running past the file", 0,
         [](Bytes& b) { test::putLe32(b, indexEntry(0, LAYER_WATER) + kPackSizeAt, 0x8000); }, "ret == ReadSize"},
        {"layer part beyond the work buffer", 0,
         [](Bytes& b) { test::putLe32(b, indexEntry(0, LAYER_WATER) + kPackSizeAt, MP_WORK_BUF_SIZE + 1); },
         "ReadSize > 0 && ReadSize <= MP_WORK_BUF_SIZE"},
        {"more objects than the part unpacks to", 0,
         [](Bytes& b) { test::putLe32(b, indexEntry(0, LAYER_ROAD) + kCountAt, 5); },
         "static_cast<long long>(unpacked) == PartSize"},
        {"fewer objects than the part unpacks to", 0,
         [](Bytes& b) { test::putLe32(b, indexEntry(0, LAYER_ROAD) + kCountAt, 1); }, "result != UNPACK_TOO_LARGE"},
        {"an object count no stream can fill", 0,
         [](Bytes& b) { test::putLe32(b, indexEntry(1, LAYER_ROAD) + kCountAt, 0x7FFFFFFF); },
         "PartSize <= ReadSize * LZO_MAX_EXPANSION + LZO_EXPANSION_SLACK"},
        {"record size below its fields", 0,
         [](Bytes& b) { b[MAP_RECORD_SIZES_AT + LAYER_ROAD_ATTR * 2] = 12; }, "recordSize >= minimumSize"},
        {"node list beyond the file", 0,
         [](Bytes& b) { test::putLe32(b, MAP_NODE_COUNTS_AT, 1000); }, "at + size <= fileSize"},
        {"road index counts beyond their block", 3, [](Bytes& b) { test::putLe32(b, SPEED_TABLE_BYTES, 0x7000); },
         "SPEED_COUNTS_SIZE) + listBytes <= size"},
        {"road index block too small for its counts", 3,
         [](Bytes& b) { test::putLe32(b, 0, static_cast<std::uint32_t>(b.size() - SPEED_TABLE_BYTES - 10)); },
         "size >= static_cast<long long>(SPEED_COUNTS_SIZE)"},
        {"road node table cut", 2, [](Bytes& b) { b.resize(100); }, "ret == static_cast<int>(MAP_TABLE_BYTES)"},
        {"packed map with a corrupt block", 0,
         [](Bytes& b) {
             test::PackedFile packed(b, 4096);
             packed.blocks[1] = Bytes(packed.blocks[1].size(), 0xEE);
             b = packed.bytes();
         },
         "lzo1x_decompress_safe(...) == LZO_E_OK"},
    };
    const forge::DataSetFiles files = townFiles();
    const Bytes good[] = {files.map, files.roadName, files.roadNode, files.speedIndex};
    for (const Breakage& breakage : breakages) {
        SCOPED_TRACE(breakage.name);
        writeTown(files);
        Bytes broken = good[breakage.file];
        breakage.change(broken);
        rewrite(breakage.file, broken);
        diag_.clear();

        EXPECT_EQ(load(), -1);
        EXPECT_EQ(diag_.assertion().rfind("Assertion failed: ", 0), 0u);
        EXPECT_NE(diag_.assertion().find(breakage.check), std::string::npos)
            << diag_.assertion();
        int assertions = 0;
        for (const std::string& line : diag_.lines())
            assertions += line.rfind("Assertion failed", 0) == 0;
        EXPECT_EQ(assertions, 1) << "only the first failure is reported";
        EXPECT_TRUE(dbg_IsMapStopped());
        EXPECT_FALSE(mp_IsLoaded());
        EXPECT_EQ(mp_GetRoadCount(0), 0);
        EXPECT_EQ(mp_GetRoadName(0, 0), nullptr);
        EXPECT_EQ(fp_OpenCount(), 0);

        rewrite(breakage.file, good[breakage.file]);
        ASSERT_EQ(mp_LoadMapFiles(), 0) << "loading afresh lifts the stop";
        EXPECT_EQ(mp_GetRoadCount(0), 3);
    }
}

TEST_F(MapLoadTest, AStopAfterLoadingHidesTheDataUntilTheNextLoad) {
    writeTown();
    ASSERT_EQ(load(), 0);
    CF_CHECK_TEXT(false, "Road_Tail < ROAD_POOL_NUM");
    EXPECT_EQ(diag_.assertion().rfind("Assertion failed: Road_Tail < ROAD_POOL_NUM, file MapLoadTest.cpp, line ", 0),
              0u);
    EXPECT_FALSE(mp_IsLoaded());
    EXPECT_EQ(mp_GetObjectCount(0, LAYER_WATER), 0);
    EXPECT_EQ(mp_GetGridNumber(kCornerX, kCornerY), -1);
    ASSERT_EQ(mp_LoadMapFiles(), 0);
    EXPECT_EQ(mp_GetObjectCount(0, LAYER_WATER), 1);
}

TEST_F(MapLoadTest, NameBitsCoverEveryNameOffsetAndNoMore) {
    writeTown();
    ASSERT_EQ(load(), 0);
    const int size = mp_GetRoadNameSize();
    ASSERT_EQ(size, static_cast<int>(kNames.size()));
    mp_SetNameBit(0, 7);
    mp_SetNameBit(1, 0);
    mp_SetNameBit(0, size / 8 * 8 + 7); // the last bit of the set
    mp_SetNameBit(0, size / 8 * 8 + 8); // beyond it: ignored
    mp_SetNameBit(0, -1);
    EXPECT_TRUE(mp_TestNameBit(0, 7));
    EXPECT_FALSE(mp_TestNameBit(1, 7));
    EXPECT_TRUE(mp_TestNameBit(1, 0));
    EXPECT_TRUE(mp_TestNameBit(0, size / 8 * 8 + 7));
    EXPECT_FALSE(mp_TestNameBit(0, size / 8 * 8 + 8));
    mp_ClearNameBits(0);
    EXPECT_FALSE(mp_TestNameBit(0, 7));
    EXPECT_TRUE(mp_TestNameBit(1, 0));
}

} // namespace
} // namespace cartoframe
