#pragma once
// The state shared by the passes of one picture (not part of the library's
// interface). Module-wide and single-threaded, like the rest of drawing.

#include "Canvas.h"
#include "DrawTables.h"
#include "DrawView.h"
#include "LabelGrid.h"
#include "Text.h"
#include "ViewProjection.h"
#include "VisibleGrids.h"

#include <cstdint>
#include <vector>

namespace cartoframe::drawview {

// One road of the picture's road pool.
struct TRoadEntry {
    std::uint16_t roadClass = 0; // 0..7
    std::uint16_t visibleIndex = 0; // entry of the visible-grid list
    int grid = -1;
    int object = -1;
};

// A run of pooled roads on the screen, drawn as one polyline: consecutive
// roads of the grid's sorted pool that share their class and width and meet
// end to start, their points in roadPoints (thinned to what the picture can
// show), their width and the width of their border.
struct TRoadShape {
    int first = 0;
    int count = 0;
    int width = 0;
    int border = 0;
    int roadClass = 0;
};

// The roads of one visible grid in the pool: entries [first, first + count),
// sorted by class, highest first (alleys counting as class 8).
struct TGridRoads {
    int first = 0;
    int count = 0;
};

enum TFontIndex { DV_FONT_12 = 0, DV_FONT_14 = 1, DV_FONT_15 = 2, DV_FONT_COUNT = 3 };

struct TDrawContext {
    bool ready = false;
    TCanvas canvas;
    TText fonts[DV_FONT_COUNT];
    TImage* logo = nullptr; // null: no logo
    TLabelGrid labels;

    // The picture being drawn.
    TDrawRequest request;
    TProjection projection;
    TMapRect view;
    // The view widened by what a drawn line can reach beyond its points (a
    // road's border, the track), for the box tests of roads and the track.
    TMapRect reachView;
    int scaleValue = 0;
    // The road pool grows to the largest number of roads a picture has
    // needed, so no road is ever dropped; gridRoads has one entry per
    // visible grid.
    std::vector<TRoadEntry> roadPool;
    std::vector<TGridRoads> gridRoads;
    // Per-grid scratch marks of the roads a partial grid's sub-cells list (a
    // road listed in several sub-cells enters the pool once).
    std::vector<std::uint8_t> roadSeen;
    // Scratch of the class sort (the pool's entries of one grid).
    std::vector<TRoadEntry> sortScratch;
    // The roads of one grid on the screen, taken there once for both the
    // border and the fill pass.
    std::vector<TPoint> roadPoints;
    std::vector<TRoadShape> roadShapes;
    // The track on the screen.
    std::vector<TPoint> trackPoints;

    // One object's points: map units, then screen pixels. Sized at
    // initialisation for the largest shape drawn, so areas, line features
    // and roads are drawn without allocating.
    std::vector<TMapPoint> mapPoints;
    std::vector<TPoint> screenPoints;

    // Where the arrow was drawn at the last follow-mode picture.
    TMapPoint arrowPosition;
    TDrawTimes times;
};

TDrawContext& context();

// The width in pixels of a road at the picture's step (at least 1), or 0 when
// its class is not drawn at this step.
int roadWidth(const TDrawContext& dc, int grid, int object, int roadClass);

// The passes, in drawing order (DrawView.cpp runs them).
void drawAreas(TDrawContext& dc, const TVisibleGrid& grid);
void drawLineFeatures(TDrawContext& dc, const TVisibleGrid& grid);
// Collects the grid's roads into the pool (entry visibleIndex of gridRoads)
// and sorts them; drawRoads then draws their borders, then their fills.
void collectRoads(TDrawContext& dc, int visibleIndex, const TVisibleGrid& grid);
void drawRoads(TDrawContext& dc, int visibleIndex);
void drawTrack(TDrawContext& dc);
// Clears the track and gives its storage back (drawing freed).
void dv_TrackRelease();
void drawRoadNames(TDrawContext& dc, int visibleIndex);
void drawOverlays(TDrawContext& dc);

} // namespace cartoframe::drawview
