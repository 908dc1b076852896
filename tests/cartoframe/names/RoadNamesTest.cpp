// The names pass over forged maps, with the real map fonts: names along
// roads and centred labels never overlap and never draw outside their cells,
// each name is drawn once per picture, route numbers are drawn plainly, and
// a grid with more names than the name pool holds does not stop the map.
#include "ColorTable.h"
#include "Diagnostics.h"
#include "NamesFixture.h"
#include "RoadNameLayout.h"
#include "TestTown.h"

#include <cstdio>
#include <set>
#include <sstream>

namespace cartoframe::test {
namespace {

using namespace drawview;

// The middle of the test town.
const TMapPoint kTownCentre = {units(121.49925), units(24.99925)};

class RoadNamesTest : public NamesFixture {
protected:
    // The characters of the names laid along roads in this picture: every
    // drawn name of a road that is neither an alley, nor centred, nor a
    // route number.
    int charactersOfLaidNames() const {
        std::set<int> seen;
        int characters = 0;
        for (const TRoadEntry& e : dc_.roadPool) {
            const char* name = mp_GetRoadName(e.grid, e.object);
            const int offset = mp_GetRoadNameOffset(e.grid, e.object);
            if (!name || !mp_TestNameBit(0, offset) || e.roadClass == 0 ||
                mp_GetRoadLabelMode(e.grid, e.object) >= DV_LABEL_MODE_CENTRED ||
                static_cast<unsigned char>(name[0]) <= '9' || !seen.insert(offset).second)
                continue;
            std::vector<TNameCharacter> split;
            splitCharacters(name, &split);
            characters += static_cast<int>(split.size());
        }
        return characters;
    }
};

TEST_F(RoadNamesTest, TownNamesStayInTheirCellsAndAreDrawnOnce) {
    forge(testTownOsm());
    openContext();
    setView(kTownCentre, 3);
    ASSERT_GT(dc_.gridRoads.size(), 1u) << "the town lies on the corner of four grids";
    drawNames();

    EXPECT_EQ(strayInk(dc_.canvas, dc_.labels), 0);
    const int squares = cellsWith(DV_CELL_CHARACTER) / (DV_CHARACTER_CELLS * DV_CHARACTER_CELLS);
    EXPECT_GT(squares, 20);
    // One square per character of every name laid, so no name was laid twice
    // (the town's roads run through several grids).
    EXPECT_EQ(squares, charactersOfLaidNames());
    // The roads of rows 1 to 4 and every street cross the view; the alley
    // gets a centred label; the trunk's class shows no names.
    for (const char* name : {"民生東路", "和平東路二段", "信義路三段", "成功街", "敦化街", "中山路12巷"})
        EXPECT_TRUE(mp_TestNameBit(0, nameOffset(name))) << name;
    EXPECT_GT(cellsWith(DV_CELL_LABEL), 0);
    EXPECT_FALSE(mp_TestNameBit(0, nameOffset("64")));

    // The pass again over the same picture adds nothing.
    const std::vector<std::uint8_t> cells = dc_.labels.cells;
    for (int i = 0; i < static_cast<int>(dc_.gridRoads.size()); ++i)
        drawRoadNames(dc_, i);
    EXPECT_EQ(dc_.labels.cells, cells);

    // Coarse steps centre one label per name.
    setView(kTownCentre, 7);
    drawNames();
    EXPECT_EQ(strayInk(dc_.canvas, dc_.labels), 0);
    EXPECT_EQ(cellsWith(DV_CELL_CHARACTER), 0);
    EXPECT_GT(cellsWith(DV_CELL_LABEL), 6 * 2 * 3);
}

// A secondary road known by its route number only: its number is drawn as
// one plain label at the point a quarter of the way through its segments,
// not laid character by character.
TEST_F(RoadNamesTest, RouteNumbersAreDrawnPlainly) {
    std::ostringstream osm;
    osm << "<osm version=\"0.6\">\n";
    const double lons[] = {121.520, 121.526, 121.534, 121.540};
    for (int i = 0; i < 4; ++i)
        osm << "<node id=\"" << i + 1 << "\" lat=\"25.03\" lon=\"" << lons[i] << "\"/>\n";
    osm << "<way id=\"10\"><nd ref=\"1\"/><nd ref=\"2\"/><nd ref=\"3\"/><nd ref=\"4\"/>"
           "<tag k=\"highway\" v=\"secondary\"/><tag k=\"ref\" v=\"38\"/></way>\n</osm>\n";
    forge(osm.str());
    openContext();
    setView({units(121.53), units(25.03)}, 3);
    drawNames();

    ASSERT_TRUE(mp_TestNameBit(0, nameOffset("38")));
    EXPECT_EQ(cellsWith(DV_CELL_CHARACTER), 0);
    EXPECT_EQ(strayInk(dc_.canvas, dc_.labels), 0);
    EXPECT_EQ(dc_.fonts[DV_FONT_14].ASCII.style, G_TEXT_BOLD);
    // Six collected points (three segments): the quarter point is point 1,
    // the road's second node, and the box is centred on it.
    const TPoint second = dc_.projection.toScreen({units(lons[1]), units(25.03)});
    EXPECT_EQ(lg_Cell(dc_.labels, second.x / DV_LABEL_CELL, second.y / DV_LABEL_CELL), DV_CELL_LABEL);
    EXPECT_LE(cellsWith(DV_CELL_LABEL), 3 * 3);
}

// A whole picture of the town, every pass drawn: the name colour (made
// unique through COLOR.INI) appears only in cells the names took.
TEST_F(RoadNamesTest, WholePictureKeepsNameInkInTakenCells) {
    forge(testTownOsm());
    writeFile(folder_ / CT_FILE_NAME, Bytes{'R', 'd', 'N', 'a', 'm', 'e', '=', '1', ',', '2', ',', '3', '\r', '\n'});
    ASSERT_EQ(dv_InitDraw(kWidth, kHeight), 0);
    ASSERT_EQ(g_RoadNameColor(), 0x030201u);
    for (int step : {1, 3, 5, 7}) {
        TDrawRequest request;
        request.centre = kTownCentre;
        request.step = step;
        ASSERT_EQ(dv_DrawPicture(request), 0);
        int ink = 0;
        EXPECT_EQ(strayInk(*dv_Canvas(), context().labels, &ink), 0) << "step " << step;
        EXPECT_GT(ink, 100) << "step " << step;
    }
}

// Short roads of one grid, each with its own two-character name.
std::string manyNamesOsm(int count) {
    static const char* const characters[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十",
                                             "甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
    constexpr int perRow = 20;
    std::ostringstream osm;
    osm << "<osm version=\"0.6\">\n";
    char text[160];
    for (int i = 0; i < count; ++i) {
        const double lon = 121.52 + (i % perRow) * 0.002;
        const double lat = 25.02 + (i / perRow) * 0.002;
        std::snprintf(text, sizeof text, "<node id=\"%d\" lat=\"%.5f\" lon=\"%.5f\"/>\n", 2 * i + 1, lat, lon);
        osm << text;
        std::snprintf(text, sizeof text, "<node id=\"%d\" lat=\"%.5f\" lon=\"%.5f\"/>\n", 2 * i + 2, lat, lon + 0.0018);
        osm << text;
        osm << "<way id=\"" << 100000 + i << "\"><nd ref=\"" << 2 * i + 1 << "\"/><nd ref=\"" << 2 * i + 2
            << "\"/><tag k=\"highway\" v=\"residential\"/><tag k=\"name\" v=\"" << characters[i % perRow]
            << characters[i / perRow] << "\"/></way>\n";
    }
    osm << "</osm>\n";
    return osm.str();
}

// More names in one grid than the name pool holds: the extra ones are left
// out of the picture with one line, and the map goes on.
TEST_F(RoadNamesTest, FullNamePoolDropsTheRestOnce) {
    constexpr int kNames = ROAD_POOL_NUM + 20;
    forge(manyNamesOsm(kNames));
    openContext();
    setView({units(121.539), units(25.035)}, 5);
    ASSERT_EQ(dc_.gridRoads.size(), 1u);
    ASSERT_EQ(dc_.gridRoads[0].count, kNames);
    diag_.clear();

    drawNames();
    EXPECT_FALSE(dbg_IsMapStopped());
    const auto poolLines = [&] {
        int n = 0;
        for (const std::string& line : diag_.lines())
            n += line.find("names in one grid") != std::string::npos;
        return n;
    };
    EXPECT_EQ(poolLines(), 1);
    int drawn = 0;
    std::set<int> offsets;
    for (const TRoadEntry& e : dc_.roadPool) {
        const int offset = mp_GetRoadNameOffset(e.grid, e.object);
        offsets.insert(offset);
        drawn += mp_TestNameBit(0, offset);
    }
    ASSERT_EQ(offsets.size(), static_cast<std::size_t>(kNames));
    EXPECT_GT(drawn, ROAD_POOL_NUM / 2);
    EXPECT_LE(drawn, ROAD_POOL_NUM);
    EXPECT_EQ(strayInk(dc_.canvas, dc_.labels), 0);

    // The next picture reports it once again.
    drawNames();
    EXPECT_EQ(poolLines(), 2);
    EXPECT_FALSE(dbg_IsMapStopped());
}

} // namespace
} // namespace cartoframe::test
