#pragma once
// Map drawing (dv_ functions): one picture of the loaded map data set around
// a centre at a scale step, on the drawing canvas, with the driven track, the
// road names, the vehicle arrow and the on-screen controls; and screenshots
// of that picture.
//
// A picture is drawn from scratch, in this order:
//   1. the map background colour over the whole window;
//   2. the label grid, the drawn-names bits and the road pool cleared;
//   3. "areas", grid by grid: water, then land use (steps 0 to 5);
//   4. "lines", grid by grid: dashed line features, then the grid's roads
//      (collected into the road pool, sorted so higher classes come last,
//      borders first, then fills; consecutive pieces of a street are drawn
//      as one polyline, thinned to the points the pixels can show);
//   5. "track": the driven track (thinned the same way) and the start pin,
//      once per picture, also when no grid is visible;
//   6. "names", grid by grid: centred labels, names laid along roads and
//      route numbers, never overlapping;
//   7. overlays: the vehicle arrow, the pan control, the zoom buttons, the logo.
//
// Everything is module-wide (one map window per process) and single-threaded:
// it runs on the thread that owns the map window.

#include "Canvas.h"
#include "GisPosition.h"
#include "MapProcess.h"

#include <cstdint>

namespace cartoframe {

inline constexpr int DV_MAP_UNITS_PER_DEGREE = 100000;

// A position's longitude and latitude as map units (truncated toward zero).
TMapPoint dv_ToMapUnits(const TGisPosition& position);
// Whether a position may be used: finite values, longitude within +-180 and
// latitude within +-90 degrees.
bool dv_IsValidPosition(const TGisPosition& position);
// The whole-degree heading in 0..359 (non-finite headings give 0).
int dv_HeadingDegrees(float heading);

// What one picture shows.
struct TDrawRequest {
    TMapPoint centre;      // map units at the window's centre
    int step = 3;          // scale step 0..9
    bool follow = true;    // follow mode: the arrow sits on the current position
    TMapPoint vehicle;     // the current position in map units
    int heading = 0;       // whole degrees 0..359
};

// The time of each pass of the last picture, in microseconds (for benchmarks).
struct TDrawTimes {
    double background = 0;
    double areas = 0;
    double lines = 0; // line features and roads
    double track = 0;
    double names = 0;
    double overlays = 0;
};

// Initialises drawing for a window of width x height pixels: default special
// colours and "COLOR.INI", the label grid, the drawing canvas, the fonts
// "MingTi12", "MingTi14" and "MingTi15", the logo, an empty track. Answers 0,
// or -1 (what was made is freed) when the canvas cannot be made or the
// single-byte font of a face is missing. Frees an earlier initialisation first.
int dv_InitDraw(int width, int height);
// Frees the fonts, the label grid, the canvases, the logo and the track. Safe
// to repeat.
void dv_FreeDraw();
bool dv_IsDrawReady();

// Draws one picture (the visible grids are chosen here). Answers 0, or -1 when
// drawing is not initialised or the step is outside 0..9.
int dv_DrawPicture(const TDrawRequest& request);
// The drawing canvas (null before initialisation).
const TCanvas* dv_Canvas();
const TDrawTimes& dv_LastDrawTimes();

// The scale value of a step (map units per 37 pixels), or 0 outside 0..9.
int dv_ScaleValue(int step);

// The driven track: a ring of DV_TRACK_MAX positions in map units that drops
// its oldest position when full.
void dv_TrackAdd(TMapPoint point);
void dv_TrackClear();
int dv_TrackCount();
// Position i, oldest first (0 <= i < dv_TrackCount()).
TMapPoint dv_TrackAt(int i);

// Writes the canvas as a 24-bit bitmap file "Screenshot/<date><hh><mm><ss>.BMP"
// in the map folder (creating the folder). A name already taken gets a
// suffix "_2", "_3" ... so no screenshot is overwritten. Answers the file's
// size, or 0 (the partial file removed) when it cannot be written whole. The
// name written is copied to writtenName (when not null, up to nameSize bytes).
int dv_WriteScreenshot(const TGisPosition& last, char* writtenName = nullptr, int nameSize = 0);

} // namespace cartoframe
