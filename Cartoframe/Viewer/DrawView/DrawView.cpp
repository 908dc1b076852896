// Drawing's life cycle (initialisation and tear-down), the positions and
// headings the window layer hands in, and one picture: the projection, the
// visible grids and the passes in their order, each timed.
#include "Diagnostics.h"
#include "DrawContext.h"
#include "FileProcess.h"
#include "ColorTable.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

namespace cartoframe {

namespace drawview {

TDrawContext& context() {
    static TDrawContext dc;
    return dc;
}

} // namespace drawview

using namespace drawview;

namespace {

// The logo file: 16-bit width, 16-bit height (little-endian), then width x
// height pixels of three bytes.
constexpr int LOGO_HEADER_SIZE = 4;
constexpr int LOGO_BYTES_PER_PIXEL = 3;

// The logo, or null when the file is missing, empty or shorter than its
// header says (no logo is drawn then).
TImage* loadLogo() {
    std::FILE* file = fp_Open(DV_LOGO_FILE, "rb");
    if (!file)
        return nullptr;
    TImage* logo = nullptr;
    std::uint8_t header[LOGO_HEADER_SIZE];
    if (fp_Read(header, LOGO_HEADER_SIZE, file) == LOGO_HEADER_SIZE) {
        const int width = header[0] | header[1] << 8;
        const int height = header[2] | header[3] << 8;
        const long long bytes = static_cast<long long>(width) * height * LOGO_BYTES_PER_PIXEL;
        // The size is checked against the file before anything is allocated,
        // so a broken header cannot ask for gigabytes.
        if (bytes > 0 && fp_Size(file) - LOGO_HEADER_SIZE >= bytes) {
            logo = g_CreateImage(width, height);
            if (logo && fp_Read(g_ImagePixels(logo), static_cast<int>(bytes), file) != bytes) {
                g_DestroyImage(logo);
                logo = nullptr;
            }
        }
    }
    fp_Close(file);
    if (!logo)
        dbg_Print("dv_InitDraw: no logo\n");
    return logo;
}

double microsecondsSince(std::chrono::steady_clock::time_point& mark) {
    const auto now = std::chrono::steady_clock::now();
    const double elapsed = std::chrono::duration<double, std::micro>(now - mark).count();
    mark = now;
    return elapsed;
}

// The view grown by `pixels` on every side, in map units.
TMapRect grownView(const TMapRect& view, int scaleValue, int pixels) {
    const int reach = (pixels * scaleValue + DV_SCALE_PIXELS - 1) / DV_SCALE_PIXELS;
    return {view.left - reach, view.top + reach, view.right + reach, view.bottom - reach};
}

} // namespace

TMapPoint dv_ToMapUnits(const TGisPosition& p) {
    return {static_cast<int>(p.longitude * DV_MAP_UNITS_PER_DEGREE),
            static_cast<int>(p.latitude * DV_MAP_UNITS_PER_DEGREE)};
}

bool dv_IsValidPosition(const TGisPosition& p) {
    return std::isfinite(p.longitude) && std::isfinite(p.latitude) && std::fabs(p.longitude) <= 180 &&
           std::fabs(p.latitude) <= 90;
}

int dv_HeadingDegrees(float heading) {
    if (!std::isfinite(heading))
        return 0;
    const int whole = static_cast<int>(std::fmod(heading, 360.0f));
    return whole < 0 ? whole + 360 : whole;
}

int dv_ScaleValue(int step) { return dv_IsScaleStep(step) ? DV_SCALE_TABLE[step] : 0; }

int dv_InitDraw(int width, int height) {
    dv_FreeDraw();
    TDrawContext& dc = context();
    g_LoadColorTable();
    if (g_CreateCanvas(&dc.canvas, width, height) != 0)
        return -1;
    // A window too small for one label cell gets no labels, but a map.
    lg_Create(&dc.labels, width, height);
    const char* const faces[DV_FONT_COUNT] = {DV_FONT_SMALL, DV_FONT_MEDIUM, DV_FONT_LARGE};
    for (int i = 0; i < DV_FONT_COUNT; ++i) {
        if (g_CreateText(&dc.fonts[i], faces[i], 0) != 0) {
            dv_FreeDraw();
            return -1;
        }
    }
    dc.logo = loadLogo();
    dv_TrackClear();
    dc.arrowPosition = {};
    dc.mapPoints.resize(std::max(DV_SHAPE_POINTS_MAX, DV_ROAD_POINTS_MAX));
    dc.screenPoints.resize(DV_SHAPE_POINTS_MAX);
    dc.gridRoads.reserve(VISIBLE_GRID_MAX);
    dc.ready = true;
    return 0;
}

void dv_FreeDraw() {
    TDrawContext& dc = context();
    for (TText& font : dc.fonts)
        g_DestroyText(&font);
    lg_Destroy(&dc.labels);
    g_DestroyCanvas(&dc.canvas);
    g_DestroyImage(dc.logo);
    dc.logo = nullptr;
    dv_TrackRelease();
    // Give the scratch memory back too; the next initialisation starts afresh.
    dc = TDrawContext{};
}

bool dv_IsDrawReady() { return context().ready; }

int dv_DrawPicture(const TDrawRequest& request) {
    TDrawContext& dc = context();
    if (!dc.ready || !dv_IsScaleStep(request.step))
        return -1;
    auto mark = std::chrono::steady_clock::now();
    const int width = dc.canvas.width;
    const int height = dc.canvas.height;
    dc.request = request;
    dc.scaleValue = DV_SCALE_TABLE[request.step];
    dc.projection = TProjection::make(width, height, request.centre, dc.scaleValue);
    dc.view = dc.projection.viewRect();
    dc.reachView = grownView(dc.view, dc.scaleValue, DV_DRAW_REACH_PIXELS);
    const int grids = mp_SelectVisibleGrids({dc.view, request.centre, dc.scaleValue, width, height});

    // 1. Background; 2. the picture's labels, drawn names and road pool cleared.
    g_ResetClip(&dc.canvas);
    g_FillRect(&dc.canvas, 0, 0, width - 1, height - 1, g_MapBackColor());
    lg_Clear(&dc.labels);
    mp_ClearNameBits(0);
    dc.roadPool.clear();
    dc.gridRoads.assign(static_cast<std::size_t>(grids), TGridRoads{});
    dc.times.background = microsecondsSince(mark);

    // 3. Areas, grid by grid.
    for (int i = 0; i < grids; ++i)
        drawAreas(dc, *mp_GetVisibleGrid(i));
    dc.times.areas = microsecondsSince(mark);

    // 4. Line features, then roads, grid by grid.
    for (int i = 0; i < grids; ++i) {
        const TVisibleGrid& grid = *mp_GetVisibleGrid(i);
        drawLineFeatures(dc, grid);
        collectRoads(dc, i, grid);
        drawRoads(dc, i);
    }
    dc.times.lines = microsecondsSince(mark);

    // 5. The track, once for the picture (also when no grid is visible).
    drawTrack(dc);
    dc.times.track = microsecondsSince(mark);

    // 6. Road names, grid by grid.
    for (int i = 0; i < grids; ++i)
        drawRoadNames(dc, i);
    dc.times.names = microsecondsSince(mark);

    // 7. The arrow, the controls and the logo.
    drawOverlays(dc);
    dc.times.overlays = microsecondsSince(mark);
    return 0;
}

const TCanvas* dv_Canvas() {
    const TDrawContext& dc = context();
    return dc.ready ? &dc.canvas : nullptr;
}

const TDrawTimes& dv_LastDrawTimes() { return context().times; }

} // namespace cartoframe
