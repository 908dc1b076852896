#include "DrawFixture.h"

#include "Diagnostics.h"
#include "FileList.h"
#include "FileProcess.h"
#include "Forge.h"
#include "MapFonts.h"
#include "MapProcess.h"
#include "OsmReader.h"
#include "TestTown.h"

#include <algorithm>
#include <cstdlib>
#include <regex>

namespace cartoframe::test {

namespace forge = kyvo::mapforge;

TMapPoint mapUnits(double longitude, double latitude) {
    return {static_cast<int>(longitude * DV_MAP_UNITS_PER_DEGREE),
            static_cast<int>(latitude * DV_MAP_UNITS_PER_DEGREE)};
}

std::string withoutNames(const std::string& osm) {
    static const std::regex names(R"re(\s*<tag k="(name|ref)" v="[^"]*"/>)re");
    return std::regex_replace(osm, names, "");
}

std::string unnamedTownOsm() { return withoutNames(testTownOsm()); }

bool nearColour(TColor a, TColor b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

TColor blendOf(TColor under, TColor over, int weight) {
    TColor result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned old = (under >> shift) & 0xFF;
        const unsigned value = (over >> shift) & 0xFF;
        result |= ((old * (255 - weight) + value * weight) >> 8) << shift;
    }
    return result;
}

void DrawFixture::SetUp() { ASSERT_EQ(fp_Setup(folder_.str().c_str()), 0); }

void DrawFixture::TearDown() {
    dv_FreeDraw();
    mp_FreeAll();
    fp_Teardown();
    dbg_RestartMap();
}

void DrawFixture::copyFonts() {
    const forge::FontCopyResult fonts = forge::copyMapFonts(KYVO_MAPFONTS_DIR, folder_.path());
    ASSERT_TRUE(fonts.ok()) << fonts.error;
    ASSERT_TRUE(fonts.missing.empty()) << "the map fonts are not built in " KYVO_MAPFONTS_DIR;
}

void DrawFixture::openMap(const std::string& osm, int width, int height) {
    forge::OsmData data;
    std::string error;
    ASSERT_TRUE(forge::readOsmText(osm, data, error)) << error;
    const forge::ForgeResult result = forge::forgeDataSet(data, folder_.path(), {});
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(fp_ReadFileList(), 0);
    ASSERT_EQ(mp_LoadMapFiles(), 0);
    openDrawing(width, height);
}

void DrawFixture::openDrawing(int width, int height) {
    copyFonts();
    ASSERT_EQ(dv_InitDraw(width, height), 0);
}

void DrawFixture::draw(TMapPoint centre, int step) {
    TDrawRequest request;
    request.centre = centre;
    request.step = step;
    request.follow = true;
    request.vehicle = FAR_AWAY;
    draw(request);
}

void DrawFixture::draw(const TDrawRequest& request) {
    request_ = request;
    ASSERT_EQ(dv_DrawPicture(request), 0);
}

TPoint DrawFixture::screen(TMapPoint point) const {
    const TCanvas* canvas = dv_Canvas();
    return TProjection::make(canvas->width, canvas->height, request_.centre, dv_ScaleValue(request_.step))
        .toScreen(point);
}

TColor DrawFixture::pixel(int x, int y) const {
    const TCanvas* canvas = dv_Canvas();
    if (!canvas || x < 0 || y < 0 || x >= canvas->width || y >= canvas->height) {
        ADD_FAILURE() << "pixel " << x << ", " << y << " is outside the picture";
        return 0xFFFFFFFF;
    }
    const std::uint8_t* p = canvas->pData + static_cast<std::ptrdiff_t>(y) * canvas->stride + x * 3;
    return static_cast<TColor>(p[0]) << 16 | static_cast<TColor>(p[1]) << 8 | p[2];
}

} // namespace cartoframe::test
