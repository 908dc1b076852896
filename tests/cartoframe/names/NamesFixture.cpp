#include "NamesFixture.h"

#include "Big5Text.h"
#include "ColorTable.h"
#include "Forge.h"
#include "MapFonts.h"
#include "OsmReader.h"

#include <algorithm>
#include <cmath>

namespace cartoframe::test {

using namespace drawview;
namespace forge = kyvo::mapforge;

int units(double degrees) { return static_cast<int>(std::lround(degrees * DV_MAP_UNITS_PER_DEGREE)); }

void NamesFixture::TearDown() {
    dv_FreeDraw();
    for (TText& font : dc_.fonts)
        g_DestroyText(&font);
    g_DestroyCanvas(&dc_.canvas);
    lg_Destroy(&dc_.labels);
    MapTestFixture::TearDown();
}

void NamesFixture::forge(const std::string& osm) {
    forge::OsmData data;
    std::string error;
    ASSERT_TRUE(forge::readOsmText(osm, data, error)) << error;
    const forge::ForgeResult result = forge::forgeDataSet(data, folder_.path(), forge::WriteOptions{});
    ASSERT_TRUE(result.ok) << result.error;
    copyFonts();
    ASSERT_EQ(load(), 0);
    g_ResetColorTable();
}

void NamesFixture::copyFonts() {
    const forge::FontCopyResult fonts = forge::copyMapFonts(KYVO_MAPFONTS_DIR, folder_.path());
    ASSERT_TRUE(fonts.ok() && fonts.missing.empty()) << fonts.error;
}

void NamesFixture::openContext(int width, int height) {
    ASSERT_EQ(g_CreateCanvas(&dc_.canvas, width, height), 0);
    const char* const faces[DV_FONT_COUNT] = {DV_FONT_SMALL, DV_FONT_MEDIUM, DV_FONT_LARGE};
    for (int i = 0; i < DV_FONT_COUNT; ++i)
        ASSERT_EQ(g_CreateText(&dc_.fonts[i], faces[i], 0), 0);
    ASSERT_GT(dc_.fonts[DV_FONT_15].DBCS.glyphCount, 0);
    ASSERT_EQ(lg_Create(&dc_.labels, width, height), 0);
}

void NamesFixture::setView(TMapPoint centre, int step) {
    dc_.request.step = step;
    dc_.request.centre = centre;
    dc_.scaleValue = DV_SCALE_TABLE[step];
    dc_.projection = TProjection::make(dc_.canvas.width, dc_.canvas.height, centre, dc_.scaleValue);
    dc_.view = dc_.projection.viewRect();
    const int grids =
        mp_SelectVisibleGrids({dc_.view, centre, dc_.scaleValue, dc_.canvas.width, dc_.canvas.height});
    dc_.roadPool.clear();
    dc_.gridRoads.assign(static_cast<std::size_t>(grids), TGridRoads{});
    for (int i = 0; i < grids; ++i) {
        const int grid = mp_GetVisibleGrid(i)->grid;
        const int first = static_cast<int>(dc_.roadPool.size());
        for (int road = 0; road < mp_GetRoadCount(grid); ++road) {
            const int roadClass = mp_GetRoadClass(grid, road);
            TMapRect box;
            if (dv_TableWidth(step, roadClass) > 0 && mp_GetRoadBox(grid, road, &box) &&
                dv_BoxMeetsView(box, dc_.view))
                dc_.roadPool.push_back({static_cast<std::uint16_t>(roadClass), static_cast<std::uint16_t>(i), grid,
                                        road});
        }
        const auto sortClass = [](const TRoadEntry& e) { return e.roadClass == 0 ? DV_ALLEY_SORT_CLASS : e.roadClass; };
        std::stable_sort(dc_.roadPool.begin() + first, dc_.roadPool.end(),
                         [&](const TRoadEntry& a, const TRoadEntry& b) { return sortClass(a) > sortClass(b); });
        dc_.gridRoads[static_cast<std::size_t>(i)] = {first, static_cast<int>(dc_.roadPool.size()) - first};
    }
}

void NamesFixture::drawNames() {
    g_FillRect(&dc_.canvas, 0, 0, dc_.canvas.width - 1, dc_.canvas.height - 1, kBackground);
    lg_Clear(&dc_.labels);
    mp_ClearNameBits(0);
    for (int i = 0; i < static_cast<int>(dc_.gridRoads.size()); ++i)
        drawRoadNames(dc_, i);
}

int NamesFixture::strayInk(const TCanvas& canvas, const TLabelGrid& labels, int* ink) {
    int stray = 0;
    int total = 0;
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) {
            const std::uint8_t* p = canvas.pData + y * canvas.stride + x * 3;
            if ((p[2] | p[1] << 8 | static_cast<TColor>(p[0]) << 16) != g_RoadNameColor())
                continue;
            ++total;
            stray += lg_Cell(labels, x / DV_LABEL_CELL, y / DV_LABEL_CELL) == DV_CELL_FREE;
        }
    if (ink)
        *ink = total;
    return stray;
}

int NamesFixture::cellsWith(std::uint8_t value) const {
    return static_cast<int>(std::count(dc_.labels.cells.begin(), dc_.labels.cells.end(), value));
}

int NamesFixture::nameOffset(const std::string& name) {
    forge::Big5Converter toBig5;
    const std::string big5 = toBig5.convert(name);
    const TMapBounds bounds = mp_GetBounds();
    const int grids = bounds.columns * (bounds.highRow - bounds.lowRow + 1);
    for (int grid = 0; grid < grids; ++grid)
        for (int road = 0; road < mp_GetRoadCount(grid); ++road)
            if (const char* text = mp_GetRoadName(grid, road); text && big5 == text)
                return mp_GetRoadNameOffset(grid, road);
    return -1;
}

} // namespace cartoframe::test
