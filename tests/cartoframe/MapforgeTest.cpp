// mapforge on its own: road styles from tags, Big5 names, cutting shapes at
// grid boundaries, roads split at junctions and missing nodes, rings joined
// from several ways, the 1064-grid limit, XML errors, and the command line.
#include "Big5Text.h"
#include "CartoTestSupport.h"
#include "DataSetBuilder.h"
#include "DrawTables.h"
#include "Features.h"
#include "OsmReader.h"
#include "TestTown.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <numeric>

namespace kyvo::mapforge {
namespace {

Tags tags(std::initializer_list<std::pair<std::string, std::string>> items) { return Tags{items}; }

TEST(RoadStyleTest, ClassDirectionLabelAndWidthFromTags) {
    const struct {
        Tags tags;
        int roadClass, attribute, labelMode, factorA;
        std::string name;
    } cases[] = {
        {tags({{"highway", "motorway"}, {"ref", "1;3"}}), 1, kOneWay, kLabelRouteNumber, 4, "1"},
        {tags({{"highway", "motorway"}, {"oneway", "no"}}), 1, kTwoWay, kLabelAlong, 4, ""},
        {tags({{"highway", "trunk"}, {"name", "64"}, {"oneway", "-1"}}), 2, kOneWayReversed, kLabelRouteNumber, 3,
         "64"},
        {tags({{"highway", "residential"}, {"name", "中山路12巷"}}), kAlleyClass, kTwoWay, kLabelAlong, 1,
         "中山路12巷"},
        {tags({{"highway", "service"}, {"service", "alley"}}), kAlleyClass, kTwoWay, kLabelAlong, 1, ""},
        {tags({{"highway", "tertiary"}, {"lanes", "9"}, {"name", "敦化街"}}), 4, kTwoWay, kLabelAlong, 7, "敦化街"},
        {tags({{"highway", "living_street"}, {"junction", "roundabout"}}), 5, kRoundabout, kLabelCentred, 1, ""},
        {tags({{"highway", "track"}, {"oneway", "yes"}}), 7, kOneWay, kLabelAlong, 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.tags.get("highway")) + " " + c.name);
        const auto style = roadStyle(c.tags);
        ASSERT_TRUE(style.has_value());
        EXPECT_EQ(style->roadClass, c.roadClass);
        EXPECT_EQ(style->attribute, c.attribute);
        EXPECT_EQ(style->labelMode, c.labelMode);
        EXPECT_EQ(style->factorA, c.factorA);
        EXPECT_EQ(style->name, c.name);
    }
    EXPECT_FALSE(roadStyle(tags({{"highway", "footway"}})));
    EXPECT_FALSE(roadStyle(tags({{"highway", "pedestrian"}, {"area", "yes"}})));
    EXPECT_FALSE(isRailway(tags({{"railway", "subway"}})));
    EXPECT_FALSE(isRailway(tags({{"railway", "rail"}, {"tunnel", "yes"}})));
    EXPECT_EQ(waterLineWidth(tags({{"waterway", "river"}, {"width", "85"}})), 85);
    EXPECT_EQ(waterLineWidth(tags({{"waterway", "stream"}})), 0);
}

// The drawn width of a road at a step: the factor formula at the finest scale
// values, the width table beyond.
int drawnWidth(int step, int roadClass, const WidthFactors& f) {
    const int scale = cartoframe::DV_SCALE_TABLE[step];
    if (cartoframe::dv_TableWidth(step, roadClass) == 0)
        return 0;
    if (scale <= cartoframe::DV_FACTOR_SCALE_MAX)
        return std::max(1, f.factorA * f.factorB * cartoframe::DV_FACTOR_WIDTH_NUMERATOR / scale);
    return cartoframe::dv_TableWidth(step, roadClass);
}

TEST(RoadStyleTest, WidthsNeverGrowWhenZoomingOutAndMeetTheTable) {
    for (int roadClass = 0; roadClass < cartoframe::DV_ROAD_CLASSES; ++roadClass) {
        for (int lanes = 1; lanes <= 12; ++lanes) {
            SCOPED_TRACE("class " + std::to_string(roadClass) + " lanes " + std::to_string(lanes));
            const WidthFactors f = widthFactors(roadClass, lanes);
            EXPECT_GE(f.factorA, 1);
            EXPECT_LE(f.factorA, kMaxWidthFactorA);
            EXPECT_GE(f.factorB, 1);
            EXPECT_LE(f.factorB, kMaxWidthFactorB);
            for (int step = 0; step + 1 < cartoframe::DV_SCALE_STEPS; ++step)
                EXPECT_GE(drawnWidth(step, roadClass, f), drawnWidth(step + 1, roadClass, f)) << "step " << step;
        }
    }
    // With the lanes a class usually has, the formula gives the table's own
    // width at the last step that uses it, or one pixel more where the lanes
    // do not divide the width evenly.
    const struct {
        const char* highway;
        int roadClass;
    } usual[] = {{"motorway", 1}, {"trunk", 2}, {"primary", 3}, {"residential", 4}, {"road", 5}, {"service", 6}};
    for (const auto& u : usual) {
        const auto style = roadStyle(tags({{"highway", u.highway}}));
        ASSERT_TRUE(style.has_value());
        const int drawn = drawnWidth(3, u.roadClass, {style->factorA, style->factorB});
        EXPECT_GE(drawn, cartoframe::dv_TableWidth(3, u.roadClass)) << u.highway;
        EXPECT_LE(drawn, cartoframe::dv_TableWidth(3, u.roadClass) + 1) << u.highway;
    }
}

TEST(Big5Test, NamesConvertCharacterByCharacter) {
    Big5Converter big5;
    ASSERT_TRUE(big5.ready());
    EXPECT_EQ(big5.convert("中山路"), "\xA4\xA4\xA4\x73\xB8\xF4");
    EXPECT_EQ(big5.convert("台1線"), "\xA5\x78"
                                     "1"
                                     "\xBD\x75");
    EXPECT_EQ(big5.convert("😀路"), "?\xB8\xF4") << "a character Big5 lacks costs only itself";
    EXPECT_EQ(big5.convert("\xE4\xB8"), "?") << "a cut sequence";

    Big5Converter toUtf8(Big5Direction::ToUtf8);
    ASSERT_TRUE(toUtf8.ready());
    EXPECT_EQ(toUtf8.convert(big5.convert("台1線 中山路")), "台1線 中山路");
    EXPECT_EQ(toUtf8.convert("\xA4\xA4\xFF"), "中?") << "a lead byte without its second byte";
}

TEST(GridGeometryTest, LinesAreCutWhereTheyCrossGridBoundaries) {
    const auto pieces = splitAtGridBoundaries({{9000, 5000}, {21000, 5000}});
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].cell, (GridCell{0, 0}));
    EXPECT_EQ(pieces[0].points, (Polyline{{9000, 5000}, {10000, 5000}}));
    EXPECT_EQ(pieces[1].points, (Polyline{{10000, 5000}, {20000, 5000}}));
    EXPECT_EQ(pieces[2].cell, (GridCell{2, 0}));

    // Through a grid corner: two pieces meeting at the corner.
    const auto diagonal = splitAtGridBoundaries({{5000, 5000}, {15000, 15000}, {15000, 12000}});
    ASSERT_EQ(diagonal.size(), 2u);
    EXPECT_EQ(diagonal[0].points, (Polyline{{5000, 5000}, {10000, 10000}}));
    EXPECT_EQ(diagonal[1].cell, (GridCell{1, 1}));
    EXPECT_EQ(diagonal[1].points, (Polyline{{10000, 10000}, {15000, 15000}, {15000, 12000}}));

    // West and south of zero the cells count down.
    EXPECT_EQ(splitAtGridBoundaries({{-5, -5}, {-10, -10}})[0].cell, (GridCell{-1, -1}));
}

double area(const Polyline& polygon) {
    double twice = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point& a = polygon[i];
        const Point& b = polygon[(i + 1) % polygon.size()];
        twice += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
    }
    return std::abs(twice) / 2;
}

TEST(GridGeometryTest, PolygonsAreClippedToEachGridAndThinned) {
    const Polyline square{{5000, 5000}, {15000, 5000}, {15000, 15000}, {5000, 15000}};
    double total = 0;
    for (const GridCell cell : {GridCell{0, 0}, GridCell{1, 0}, GridCell{0, 1}, GridCell{1, 1}}) {
        const Polyline part = clipToGrid(square, cell);
        ASSERT_EQ(part.size(), 4u);
        for (const Point& p : part) {
            EXPECT_GE(p.x, cell.column * kGridSize);
            EXPECT_LE(p.x, (cell.column + 1) * kGridSize);
        }
        total += area(part);
    }
    EXPECT_EQ(total, area(square));
    EXPECT_TRUE(clipToGrid(square, {2, 2}).empty());

    Polyline circle;
    for (int i = 0; i < 5000; ++i)
        circle.push_back({static_cast<int>(5000 + 4000 * std::cos(i * 2 * M_PI / 5000)),
                          static_cast<int>(5000 + 4000 * std::sin(i * 2 * M_PI / 5000))});
    const Polyline thin = thinBelow(circle, kMaxShapePoints);
    EXPECT_LT(thin.size(), kMaxShapePoints);
    EXPECT_GT(thin.size(), 100u);
    EXPECT_NEAR(area(thin), area(circle), area(circle) * 0.001);
}

TEST(FeaturesTest, RoadsSplitAtJunctionsAndMissingNodesAndRingsJoin) {
    OsmData data;
    std::string error;
    ASSERT_TRUE(readOsmText(R"(<osm>
      <node id="1" lat="25.0" lon="121.50"/> <node id="2" lat="25.0" lon="121.51"/>
      <node id="3" lat="25.0" lon="121.52"/> <node id="4" lat="25.01" lon="121.51"/>
      <node id="6" lat="25.02" lon="121.51"/>
      <way id="10"><nd ref="1"/><nd ref="2"/><nd ref="3"/><tag k="highway" v="primary"/></way>
      <way id="11"><nd ref="2"/><nd ref="4"/><nd ref="5"/><nd ref="6"/><nd ref="4"/><tag k="highway" v="service"/></way>
      <way id="20"><nd ref="1"/><nd ref="2"/><nd ref="4"/></way>
      <way id="21"><nd ref="1"/><nd ref="3"/><nd ref="4"/></way>
      <relation id="30"><member type="way" ref="20" role="outer"/><member type="way" ref="21" role="outer"/>
        <tag k="type" v="multipolygon"/><tag k="leisure" v="park"/></relation>
    </osm>)",
                            data, error))
        << error;
    const Features features = extractFeatures(data);
    // Way 10 splits at node 2 (shared); way 11 at the missing node 5, leaving
    // 2-4 and 6-4 (node 4 also closes the loop, but ends a piece there anyway).
    ASSERT_EQ(features.roads.size(), 4u);
    EXPECT_EQ(features.roads[0].points, (Polyline{toMapUnits(121.50, 25.0), toMapUnits(121.51, 25.0)}));
    EXPECT_EQ(features.roads[1].points, (Polyline{toMapUnits(121.51, 25.0), toMapUnits(121.52, 25.0)}));
    EXPECT_EQ(features.roads[3].points, (Polyline{toMapUnits(121.51, 25.02), toMapUnits(121.51, 25.01)}));
    ASSERT_EQ(features.areas.size(), 1u);
    EXPECT_EQ(features.areas[0].kind, AreaKind::LandUse);
    EXPECT_EQ(features.areas[0].ring.size(), 4u) << "two ways joined, the second reversed";

    EXPECT_EQ(assembleRings({{1, 2}, {3, 4}}).size(), 0u) << "open chains close no ring";
}

Features roadsAt(std::initializer_list<Polyline> lines) {
    Features features;
    for (const Polyline& line : lines)
        features.roads.push_back({line, RoadStyle{}});
    return features;
}

TEST(DataSetBuilderTest, LongRoadsSplitIntoChunksThatShareTheirNodes) {
    Polyline longRoad;
    for (int i = 0; i < 2500; ++i)
        longRoad.push_back({12150000 + i * 3, 2500100 + (i % 2) * 5});
    Big5Converter big5;
    DataSetModel model;
    std::string error;
    ASSERT_TRUE(buildDataSet(roadsAt({longRoad}), big5, model, error)) << error;
    ASSERT_EQ(model.grids.size(), 1u);
    const GridModel& grid = model.grids.begin()->second;
    ASSERT_EQ(grid.roads.size(), 3u);
    std::size_t points = 0;
    for (std::size_t i = 0; i < grid.roads.size(); ++i) {
        EXPECT_LE(grid.roads[i].inner.size() + 2, kMaxRoadPoints);
        if (i > 0) {
            EXPECT_EQ(grid.roads[i].startNode, grid.roads[i - 1].endNode);
        }
        points += grid.roads[i].inner.size() + 1;
    }
    EXPECT_EQ(points + 1, longRoad.size());
    EXPECT_EQ(grid.nodes.size(), 4u);
}

TEST(DataSetBuilderTest, AnAreaOfMoreThan1064GridsIsRefused) {
    Big5Converter big5;
    DataSetModel model;
    std::string error;
    // Corner to corner: 38 columns by 28 rows is exactly 1064 grids.
    const Polyline fits{{12000000, 2200000}, {12379999, 2479999}};
    EXPECT_TRUE(buildDataSet(roadsAt({fits}), big5, model, error)) << error;
    EXPECT_EQ(model.highColumn - model.lowColumn + 1, 38);

    const Polyline tooWide{{12000000, 2200000}, {12339999, 2529999}};
    EXPECT_FALSE(buildDataSet(roadsAt({tooWide}), big5, model, error));
    EXPECT_EQ(error, "the area spans 34 x 33 = 1122 grids of 0.1 degree; a map data set holds at most 1064");

    EXPECT_FALSE(buildDataSet(Features{}, big5, model, error));
    EXPECT_EQ(error, "the extract holds no water, land use, railway or road");
}

TEST(OsmReaderTest, BrokenXmlNamesItsLine) {
    OsmData data;
    std::string error;
    EXPECT_FALSE(readOsmText("<osm>\n<node id=\"1\" lat=\"25\" lon=\"121\">\n</osm>", data, error));
    EXPECT_EQ(error.rfind("OpenStreetMap XML, line 3: ", 0), 0u) << error;
    EXPECT_FALSE(readOsmFile("/nonexistent/town.osm", data, error));
}

int run(const std::string& command) {
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(MapforgeCommandTest, WritesTheSetFromAnOsmFile) {
    cartoframe::test::TempFolder folder;
    const auto osm = folder.path() / "town.osm";
    std::ofstream(osm) << cartoframe::test::testTownOsm();
    const std::string tool = KYVO_MAPFORGE_PATH;
    const auto out = folder.path() / "Map";
    ASSERT_EQ(run(tool + " --quiet " + osm.string() + " " + out.string()), 0);
    for (const char* name : {"MAP.DAT", "ROADNAME.DAT", "ROADNODE.DAT", "RSPEED.IDX", "FileList.cfg"})
        EXPECT_TRUE(std::filesystem::exists(out / name)) << name;
    const auto packed = cartoframe::test::readFile(out / "MAP.DAT");
    EXPECT_EQ(std::string(packed.begin(), packed.begin() + 4), "Vadu");

    EXPECT_EQ(run(tool + " --plain-map " + osm.string() + " " + (folder.path() / "Plain").string()), 0);
    EXPECT_NE(cartoframe::test::readFile(folder.path() / "Plain" / "MAP.DAT")[0], 'V');
    EXPECT_EQ(run(tool + " " + (folder.path() / "missing.osm").string() + " " + out.string()), 1);
    EXPECT_EQ(run(tool + " --block-size 70000 " + osm.string() + " " + out.string()), 1);
    EXPECT_EQ(run(tool + " --bogus " + osm.string() + " " + out.string()), 2);
    EXPECT_EQ(run(tool + " " + osm.string()), 2);
}

} // namespace
} // namespace kyvo::mapforge
