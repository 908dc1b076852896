// The names pass of one visible grid.
//
// At the coarse steps (above DV_ALONG_NAMES_LAST_STEP) every named road of
// the grid gets one centred label in MingTi15. At the finer steps:
//   1. the grid's roads are walked from the last pool entry to the first
//      (the names of the widest roads first);
//   2. alleys and roads marked for a centred label get one in MingTi12;
//   3. every other road adds its on-screen segments to its name's entry of
//      the name pool;
//   4. each pooled name is then laid along its segments in MingTi15, or, for
//      a route number, drawn at one point in MingTi14.
// Every label and character takes its cells on the label grid first, so no
// two overlap; a name is drawn once per picture.
#include "ColorTable.h"
#include "Diagnostics.h"
#include "RoadNameLayout.h"

#include <algorithm>

namespace cartoframe::drawview {
namespace {

// The name pool of the grid being drawn.
TNamePoolEntry g_namePool[ROAD_POOL_NUM];
int g_nameTail = 0;
// A full pool is reported once per picture. Within a picture the grids come
// in increasing visible-list order, so an index that does not increase
// begins the next picture.
int g_lastVisibleIndex = -1;
bool g_poolFullReported = false;
// The characters of the name being laid (grows to the longest run drawn).
std::vector<TNameCharacter> g_laid;

struct TNamedRoad {
    int grid = -1;
    int object = -1;
    int offset = -1;
    const char* name = nullptr;
};

TWindowRect windowOf(const TDrawContext& dc) {
    return {dc.projection.left, dc.projection.top, dc.projection.right, dc.projection.bottom};
}

// Whether the road's name may be drawn now: it has one, its class shows
// names, it is not drawn yet in this picture and the road meets the view.
bool nameToDraw(const TDrawContext& dc, const TRoadEntry& entry, TNamedRoad* road) {
    if (entry.roadClass >= DV_ROAD_CLASSES || !DV_ROAD_NAME_SWITCH[entry.roadClass])
        return false;
    const char* name = mp_GetRoadName(entry.grid, entry.object);
    if (!name || !*name)
        return false;
    const int offset = mp_GetRoadNameOffset(entry.grid, entry.object);
    if (mp_TestNameBit(0, offset))
        return false;
    TMapRect box;
    if (!mp_GetRoadBox(entry.grid, entry.object, &box) || !dv_BoxMeetsView(box, dc.view))
        return false;
    *road = {entry.grid, entry.object, offset, name};
    return true;
}

bool screenPoint(const TDrawContext& dc, const TNamedRoad& road, int k, TPoint* point) {
    TMapPoint m;
    if (!mp_GetRoadPoint(road.grid, road.object, k, &m))
        return false;
    *point = dc.projection.toScreen(m);
    return true;
}

// The road's middle on the screen: point count / 2 - 1, averaged with the
// next one when the count is even.
bool anchorOf(const TDrawContext& dc, const TNamedRoad& road, TPoint* anchor) {
    const int count = mp_GetRoadPointCount(road.grid, road.object);
    if (count < 1)
        return false;
    const int k = std::max(count / 2 - 1, 0);
    if (!screenPoint(dc, road, k, anchor))
        return false;
    TPoint next;
    if (count % 2 == 0 && screenPoint(dc, road, count / 2, &next)) {
        anchor->x = static_cast<int>((static_cast<long long>(anchor->x) + next.x) / 2);
        anchor->y = static_cast<int>((static_cast<long long>(anchor->y) + next.y) / 2);
    }
    return true;
}

void drawCentred(TDrawContext& dc, const TNamedRoad& road, TFontIndex font, int rings) {
    TPoint anchor;
    if (anchorOf(dc, road, &anchor) &&
        placeCentredLabel(&dc.canvas, &dc.fonts[font], &dc.labels, windowOf(dc), road.name, anchor, rings))
        mp_SetNameBit(0, road.offset);
}

// The pool entry of a name, new when the name is new; null when the pool is
// full (the name is then left out of this grid, once reported per picture).
TNamePoolEntry* poolEntry(const TNamedRoad& road) {
    for (int i = 0; i < g_nameTail; ++i)
        if (g_namePool[i].offset == road.offset)
            return &g_namePool[i];
    if (g_nameTail >= ROAD_POOL_NUM) {
        if (!g_poolFullReported)
            dbg_Print("drawRoadNames: more than %d names in one grid, the others are left out\n", ROAD_POOL_NUM);
        g_poolFullReported = true;
        return nullptr;
    }
    TNamePoolEntry& entry = g_namePool[g_nameTail++];
    entry.offset = road.offset;
    entry.name = road.name;
    entry.count = 0;
    return &entry;
}

void collectSegments(const TDrawContext& dc, const TNamedRoad& road, TNamePoolEntry* entry) {
    const int count = mp_GetRoadPointCount(road.grid, road.object);
    TPoint a;
    if (count < 2 || !screenPoint(dc, road, 0, &a))
        return;
    const TWindowRect window = windowOf(dc);
    for (int k = 1; k < count && entry->count < DV_NAME_POINTS_MAX; ++k) {
        TPoint b;
        if (!screenPoint(dc, road, k, &b))
            return;
        addNameSegment(entry, window, a, b);
        a = b;
    }
}

void drawPooledName(TDrawContext& dc, const TNamePoolEntry& entry) {
    if (entry.count < 2 || mp_TestNameBit(0, entry.offset))
        return;
    bool drawn = false;
    if (static_cast<unsigned char>(entry.name[0]) > '9') {
        drawn = layoutAlongRoad(&dc.labels, entry.name, entry.points, entry.count, &g_laid);
        if (drawn)
            drawLaidName(&dc.canvas, &dc.fonts[DV_FONT_15], g_laid);
    } else {
        const TPoint at = entry.points[entry.count / DV_ROUTE_POINT_DIVISOR];
        drawn = placeCentredLabel(&dc.canvas, &dc.fonts[DV_FONT_14], &dc.labels, windowOf(dc), entry.name, at,
                                  DV_ROUTE_RINGS);
    }
    // A name that found no place here stays free for the next grid, where
    // more of its road may be in view.
    if (drawn)
        mp_SetNameBit(0, entry.offset);
}

// Names are drawn in the road-name colour, plain or bold.
void setNameStyle(TText* font, int flags) {
    g_SetTextStyle(font, flags, g_RoadNameColor(), G_TEXT_DEFAULT_BACKGROUND, g_RoadFrameColor());
}

void drawCoarseNames(TDrawContext& dc, const TRoadEntry* roads, int count) {
    setNameStyle(&dc.fonts[DV_FONT_15], 0);
    for (int i = 0; i < count; ++i) {
        TNamedRoad road;
        if (nameToDraw(dc, roads[i], &road))
            drawCentred(dc, road, DV_FONT_15, DV_CENTRED_RINGS);
    }
}

void drawFineNames(TDrawContext& dc, const TRoadEntry* roads, int count) {
    g_nameTail = 0;
    setNameStyle(&dc.fonts[DV_FONT_14], G_TEXT_BOLD);
    setNameStyle(&dc.fonts[DV_FONT_15], G_TEXT_BOLD);
    setNameStyle(&dc.fonts[DV_FONT_12], 0);
    for (int i = count - 1; i >= 0; --i) {
        TNamedRoad road;
        if (!nameToDraw(dc, roads[i], &road))
            continue;
        if (roads[i].roadClass == 0 || mp_GetRoadLabelMode(road.grid, road.object) >= DV_LABEL_MODE_CENTRED) {
            drawCentred(dc, road, DV_FONT_12, DV_ALLEY_RINGS);
            continue;
        }
        if (TNamePoolEntry* entry = poolEntry(road))
            collectSegments(dc, road, entry);
    }
    for (int i = 0; i < g_nameTail; ++i)
        drawPooledName(dc, g_namePool[i]);
}

} // namespace

bool placeCentredLabel(TCanvas* canvas, TText* font, TLabelGrid* labels, const TWindowRect& window, const char* name,
                       TPoint anchor, int rings) {
    const int width = g_TextWidth(font, name);
    const int height = g_TextHeight(font);
    if (width <= 0 || height <= 0)
        return false;
    int x0 = anchor.x - width / 2;
    int y0 = anchor.y - height / 2;
    int x1 = x0 + width - 1;
    int y1 = y0 + height - 1;
    if (x0 < window.left || y0 < window.top || x1 > window.right || y1 > window.bottom)
        return false;
    if (!lg_PlaceBox(labels, &x0, &y0, &x1, &y1, rings))
        return false;
    g_DrawText(canvas, font, x0, y0, name);
    return true;
}

void drawRoadNames(TDrawContext& dc, int visibleIndex) {
    if (visibleIndex <= g_lastVisibleIndex)
        g_poolFullReported = false;
    g_lastVisibleIndex = visibleIndex;
    if (visibleIndex < 0 || static_cast<std::size_t>(visibleIndex) >= dc.gridRoads.size())
        return;
    const TGridRoads& grid = dc.gridRoads[static_cast<std::size_t>(visibleIndex)];
    const long long poolSize = static_cast<long long>(dc.roadPool.size());
    if (grid.first < 0 || grid.count <= 0 || grid.first >= poolSize)
        return;
    const int count = static_cast<int>(std::min<long long>(grid.count, poolSize - grid.first));
    const TRoadEntry* roads = dc.roadPool.data() + grid.first;
    if (dc.request.step > DV_ALONG_NAMES_LAST_STEP)
        drawCoarseNames(dc, roads, count);
    else
        drawFineNames(dc, roads, count);
}

} // namespace cartoframe::drawview
