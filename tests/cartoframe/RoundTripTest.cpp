// The whole chain on OpenStreetMap XML: mapforge writes the test town, the
// library loads it through the file store, and every object mapforge wrote
// reads back identical, whether "Map" is packed, plain, or every file is
// packed in small blocks.
#include "Forge.h"
#include "MapTestFixture.h"
#include "OsmReader.h"
#include "TestTown.h"
#include "VisibleGrids.h"

#include <set>
#include <string>

namespace cartoframe {
namespace {

namespace forge = kyvo::mapforge;

void expectPointsEqual(int grid, int layer, int object, const forge::Polyline& expected) {
    ASSERT_EQ(mp_GetPointCount(grid, layer, object), static_cast<int>(expected.size()));
    for (std::size_t k = 0; k < expected.size(); ++k) {
        TMapPoint point;
        ASSERT_TRUE(mp_GetPoint(grid, layer, object, static_cast<int>(k), &point));
        EXPECT_EQ(point.x, expected[k].x) << "point " << k;
        EXPECT_EQ(point.y, expected[k].y) << "point " << k;
    }
}

// A shape's box holds all its points and is no more than one lattice step
// wider than they are on any side.
void expectBoxAround(int grid, int layer, int object, const forge::Polyline& points) {
    TMapRect box;
    ASSERT_TRUE(mp_GetObjectBox(grid, layer, object, &box));
    int minX = points[0].x, maxX = points[0].x, minY = points[0].y, maxY = points[0].y;
    for (const forge::Point& p : points) {
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    }
    EXPECT_LE(box.left, minX);
    EXPECT_GE(box.top, maxY);
    EXPECT_GE(box.right, maxX);
    EXPECT_LE(box.bottom, minY);
    EXPECT_LT(minX - box.left, MAP_CORNER_LATTICE);
    EXPECT_LT(box.top - maxY, MAP_CORNER_LATTICE);
    EXPECT_LT(box.right - maxX, MAP_CORNER_LATTICE);
    EXPECT_LT(minY - box.bottom, MAP_CORNER_LATTICE);
}

void expectShapes(int grid, int layer, const std::vector<forge::ShapeObject>& shapes) {
    ASSERT_EQ(mp_GetObjectCount(grid, layer), static_cast<int>(shapes.size())) << "layer " << layer;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        SCOPED_TRACE("layer " + std::to_string(layer) + " object " + std::to_string(i));
        expectPointsEqual(grid, layer, static_cast<int>(i), shapes[i].points);
        expectBoxAround(grid, layer, static_cast<int>(i), shapes[i].points);
    }
}

void expectRoads(const forge::DataSetModel& model, const forge::GridModel& grid) {
    const int g = grid.number;
    ASSERT_EQ(mp_GetRoadCount(g), static_cast<int>(grid.roads.size()));
    for (std::size_t i = 0; i < grid.roads.size(); ++i) {
        SCOPED_TRACE("road " + std::to_string(i));
        const forge::RoadObject& road = grid.roads[i];
        const int r = static_cast<int>(i);
        if (road.nameOffset == forge::kNoNameOffset)
            EXPECT_EQ(mp_GetRoadName(g, r), nullptr);
        else
            EXPECT_STREQ(mp_GetRoadName(g, r), model.roadNames.c_str() + road.nameOffset);
        EXPECT_EQ(mp_GetRoadClass(g, r), road.roadClass);
        EXPECT_EQ(mp_GetRoadAttribute(g, r), road.attribute);
        EXPECT_EQ(mp_GetRoadLabelMode(g, r), road.labelMode);
        int a = 0, b = 0, start = 0, end = 0;
        ASSERT_TRUE(mp_GetRoadWidthFactors(g, r, &a, &b));
        EXPECT_EQ(a, road.factorA);
        EXPECT_EQ(b, road.factorB);
        ASSERT_TRUE(mp_GetRoadNodes(g, r, &start, &end));
        EXPECT_EQ(start, road.startNode);
        EXPECT_EQ(end, road.endNode);
        forge::Polyline points{grid.nodes[static_cast<std::size_t>(road.startNode)]};
        points.insert(points.end(), road.inner.begin(), road.inner.end());
        points.push_back(grid.nodes[static_cast<std::size_t>(road.endNode)]);
        expectPointsEqual(g, LAYER_ROAD, r, points);
    }
}

void expectModel(const forge::DataSetModel& model) {
    ASSERT_TRUE(mp_IsLoaded());
    const TMapBounds bounds = mp_GetBounds();
    EXPECT_EQ(bounds.lowColumn, model.lowColumn);
    EXPECT_EQ(bounds.lowRow, model.lowRow);
    EXPECT_EQ(bounds.highColumn, model.highColumn);
    EXPECT_EQ(bounds.highRow, model.highRow);
    EXPECT_EQ(mp_GetRoadNameSize(), static_cast<int>(model.roadNames.size()));
    for (int g = 0; g < MAP_GRID_MAX; ++g) {
        const auto found = model.grids.find(g);
        ASSERT_EQ(mp_IsGridPresent(g), found != model.grids.end()) << "grid " << g;
        if (found == model.grids.end())
            continue;
        SCOPED_TRACE("grid " + std::to_string(g));
        const forge::GridModel& grid = found->second;
        TMapPoint corner;
        ASSERT_TRUE(mp_GetGridCorner(g, &corner));
        EXPECT_EQ(corner.x, grid.corner.x);
        EXPECT_EQ(corner.y, grid.corner.y);
        for (int pair = 0; pair < forge::kPairCount; ++pair) {
            int first = 0, second = 0;
            ASSERT_TRUE(mp_GetGridPair(g, pair, &first, &second));
            EXPECT_EQ(first, grid.pairs[pair][0]);
            EXPECT_EQ(second, grid.pairs[pair][1]);
        }
        expectShapes(g, LAYER_WATER, grid.water);
        expectShapes(g, LAYER_LINE, grid.lines);
        expectShapes(g, LAYER_LANDUSE, grid.landUse);
        expectRoads(model, grid);
        ASSERT_EQ(mp_GetNodeCount(g), static_cast<int>(grid.nodes.size()));
        for (std::size_t n = 0; n < grid.nodes.size(); ++n) {
            TMapPoint node;
            ASSERT_TRUE(mp_GetNode(g, static_cast<int>(n), &node));
            EXPECT_EQ(node.x, grid.nodes[n].x);
            EXPECT_EQ(node.y, grid.nodes[n].y);
        }
        for (int c = 0; c < MAP_SUBCELL_COUNT; ++c) {
            const auto& cell = grid.subCells[static_cast<std::size_t>(c)];
            ASSERT_EQ(mp_GetSubCellRoadCount(g, c), static_cast<int>(cell.size())) << "sub-cell " << c;
            for (std::size_t k = 0; k < cell.size(); ++k)
                EXPECT_EQ(mp_GetSubCellRoad(g, c, static_cast<int>(k)), cell[k]);
        }
    }
}

class RoundTripTest : public test::MapTestFixture {
protected:
    forge::DataSetModel forgeTown(const forge::WriteOptions& options) {
        forge::OsmData data;
        std::string error;
        EXPECT_TRUE(forge::readOsmText(test::testTownOsm(), data, error)) << error;
        forge::ForgeResult result = forge::forgeDataSet(data, folder_.path(), options);
        EXPECT_TRUE(result.ok) << result.error;
        return result.model;
    }
};

TEST_F(RoundTripTest, TheTownHasEveryKindOfObject) {
    const forge::DataSetModel model = forgeTown({});
    std::size_t water = 0, lines = 0, landUse = 0, roads = 0;
    std::set<int> classes;
    for (const auto& [number, grid] : model.grids) {
        water += grid.water.size();
        lines += grid.lines.size();
        landUse += grid.landUse.size();
        roads += grid.roads.size();
        for (const auto& road : grid.roads)
            classes.insert(road.roadClass);
    }
    EXPECT_EQ(model.grids.size(), 4u) << "the town lies on the corner of four grids";
    EXPECT_EQ(water, 5u) << "the river's strip and its bank, each cut in two, and the lake";
    EXPECT_EQ(landUse, 4u) << "the park, cut in four";
    EXPECT_EQ(lines, 2u) << "the railway above ground, cut in two";
    EXPECT_EQ(roads, 85u) << "69 road pieces between junctions, cut at grid boundaries";
    EXPECT_EQ(classes, (std::set<int>{0, 1, 2, 4, 5, 6, 7}));
}

TEST_F(RoundTripTest, EveryObjectReadsBackThroughAPackedMap) {
    const forge::DataSetModel model = forgeTown({});
    ASSERT_EQ(load(), 0);
    expectModel(model);
    EXPECT_GT(fp_BlocksUnpacked(), 0);
}

TEST_F(RoundTripTest, EveryObjectReadsBackThroughAPlainMap) {
    forge::WriteOptions options;
    options.packMap = false;
    const forge::DataSetModel model = forgeTown(options);
    ASSERT_EQ(load(), 0);
    expectModel(model);
    EXPECT_EQ(fp_BlocksUnpacked(), 0);
}

TEST_F(RoundTripTest, EveryObjectReadsBackWithEveryFilePackedInSmallBlocks) {
    forge::WriteOptions options;
    options.packAll = true;
    options.blockSize = 700;
    const forge::DataSetModel model = forgeTown(options);
    ASSERT_EQ(load(), 0);
    expectModel(model);

    // The packed map reads back as the bytes of the plain one.
    forge::DataSetFiles files;
    std::string error;
    ASSERT_TRUE(forge::encodeDataSet(model, files, error)) << error;
    std::FILE* packed = fp_Open(forge::kTargetNames[0], "rb");
    ASSERT_NE(packed, nullptr);
    ASSERT_EQ(fp_Size(packed), static_cast<int>(files.map.size()));
    test::Bytes content(files.map.size());
    ASSERT_EQ(fp_Read(content.data(), static_cast<int>(content.size()), packed), static_cast<int>(content.size()));
    EXPECT_EQ(content, files.map);
}

TEST_F(RoundTripTest, EveryRoadInAViewIsReachedThroughTheVisibleGrids) {
    const forge::DataSetModel model = forgeTown({});
    ASSERT_EQ(load(), 0);
    // A view of 1200 by 900 units around the grid corner in the town's middle.
    const TMapRect view{12149400, 2500450, 12150600, 2499550};
    ASSERT_EQ(mp_SelectVisibleGrids({view, {12150000, 2500000}, 100, 800, 600}), 4);
    std::set<std::pair<int, int>> reached;
    for (int i = 0; i < mp_GetVisibleGridCount(); ++i) {
        const TVisibleGrid& entry = *mp_GetVisibleGrid(i);
        ASSERT_FALSE(entry.whole);
        for (int c = 0; c < entry.subCellCount; ++c)
            for (int k = 0; k < mp_GetSubCellRoadCount(entry.grid, entry.subCells[c]); ++k)
                reached.insert({entry.grid, mp_GetSubCellRoad(entry.grid, entry.subCells[c], k)});
    }
    int inside = 0;
    for (const auto& [g, grid] : model.grids) {
        for (int r = 0; r < mp_GetRoadCount(g); ++r) {
            for (int k = 0; k < mp_GetRoadPointCount(g, r); ++k) {
                TMapPoint p;
                ASSERT_TRUE(mp_GetRoadPoint(g, r, k, &p));
                if (p.x >= view.left && p.x < view.right && p.y >= view.bottom && p.y < view.top) {
                    ++inside;
                    EXPECT_TRUE(reached.count({g, r})) << "grid " << g << " road " << r;
                    break;
                }
            }
        }
    }
    EXPECT_GE(inside, 8);
}

} // namespace
} // namespace cartoframe
