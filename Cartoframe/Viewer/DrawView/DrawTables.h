#pragma once
// The fixed numbers of map drawing: scale steps, road widths and switches,
// pool sizes, fixed colours and the geometry of the on-screen controls.

#include "Canvas.h"

namespace cartoframe {

// --- Scale steps and projection ---

inline constexpr int DV_SCALE_STEPS = 10;
// Map units per DV_SCALE_PIXELS pixels, by scale step.
inline constexpr int DV_SCALE_TABLE[DV_SCALE_STEPS] = {25, 50, 75, 100, 150, 200, 300, 400, 600, 800};
inline constexpr int DV_SCALE_PIXELS = 37;
inline constexpr int DV_START_STEP = 3;

inline constexpr bool dv_IsScaleStep(int step) { return step >= 0 && step < DV_SCALE_STEPS; }

// --- Layers ---

inline constexpr int DV_LAYER_WATER = 0;
inline constexpr int DV_LAYER_ROADS = 1;
inline constexpr int DV_LAYER_LINES = 7;
inline constexpr int DV_LAYER_LAND_USE = 13;

// Land-use areas are drawn up to this step; water, roads, line features and
// road names at every step.
inline constexpr int DV_LAND_USE_LAST_STEP = 5;

// Objects with a point count outside 1..DV_SHAPE_POINTS_MAX - 1 are not drawn
// (areas: such an object ends the layer for its grid).
inline constexpr int DV_SHAPE_POINTS_MAX = 2000;
// Line features are dashed with this pen.
inline constexpr int DV_LINE_PEN_SIZE = 2;

// --- Roads ---

inline constexpr int DV_ROAD_CLASSES = 8;
// Road width in pixels by scale step and class; 0: the class is not drawn.
inline constexpr unsigned char DV_ROAD_WIDTH[DV_SCALE_STEPS][DV_ROAD_CLASSES] = {
    {4, 10, 9, 8, 8, 7, 6, 6}, // 0
    {2, 8, 7, 7, 7, 6, 5, 5},  // 1
    {2, 7, 6, 6, 6, 5, 4, 4},  // 2
    {1, 6, 5, 5, 5, 4, 3, 3},  // 3
    {1, 5, 4, 4, 4, 3, 2, 2},  // 4
    {1, 4, 3, 3, 3, 2, 1, 1},  // 5
    {0, 4, 3, 3, 3, 2, 1, 1},  // 6
    {0, 3, 2, 2, 2, 1, 1, 0},  // 7
    {0, 3, 2, 2, 1, 0, 0, 0},  // 8
    {0, 3, 2, 2, 1, 0, 0, 0},  // 9
};
// At scale values up to this the width is factor A * factor B *
// DV_FACTOR_WIDTH_NUMERATOR / scale value instead of the table's entry.
inline constexpr int DV_FACTOR_SCALE_MAX = 100;
inline constexpr int DV_FACTOR_WIDTH_NUMERATOR = 35;
// The border is the width plus this, freeways plus DV_FREEWAY_BORDER_EXTRA.
inline constexpr int DV_BORDER_EXTRA = 2;
inline constexpr int DV_FREEWAY_BORDER_EXTRA = 4;
inline constexpr int DV_FREEWAY_CLASS = 1;
// Sorting puts class 0 (alleys) where class 8 would be: drawn first.
inline constexpr int DV_ALLEY_SORT_CLASS = 8;
// Roads of more points than this are not drawn; up to DV_ROAD_STATIC_POINTS
// points need no allocation.
inline constexpr int DV_ROAD_POINTS_MAX = 2000;
inline constexpr int DV_ROAD_STATIC_POINTS = 32;
// How far beyond its points a drawn road or the track may colour pixels
// (half the widest border of the width table, its anti-aliasing and some
// room): roads and track segments whose box lies within this many pixels of
// the window are drawn.
inline constexpr int DV_DRAW_REACH_PIXELS = 16;
// Roads and the track are thinned to the points that lie more than this many
// pixels off a straight run before they are drawn.
inline constexpr double DV_THIN_PIXELS = 1.0;

// The road width of a class at a step, from the table (0: not drawn).
inline constexpr int dv_TableWidth(int step, int roadClass) {
    return dv_IsScaleStep(step) && roadClass >= 0 && roadClass < DV_ROAD_CLASSES ? DV_ROAD_WIDTH[step][roadClass] : 0;
}

// Names are shown for these classes at every step.
inline constexpr bool DV_ROAD_NAME_SWITCH[DV_ROAD_CLASSES] = {true, false, false, false, true, false, false, false};

// --- Names and labels ---

// Names in the name pool of one grid, and the points collected per name.
inline constexpr int ROAD_POOL_NUM = 300;
inline constexpr int DV_NAME_POINTS_MAX = 100;
// Centred names at steps above this; names along roads up to it.
inline constexpr int DV_ALONG_NAMES_LAST_STEP = 5;
// A road whose label mode is at least this gets a centred label.
inline constexpr int DV_LABEL_MODE_CENTRED = 2;
// One character of a name along a road every this many pixels.
inline constexpr int DV_NAME_CHAR_STEP = 15;
// The second attempt of a name along a road starts this far into its extent.
inline constexpr int DV_NAME_SECOND_START = 10;

// The label grid: one byte per cell of DV_LABEL_CELL x DV_LABEL_CELL pixels.
inline constexpr int DV_LABEL_CELL = 8;
inline constexpr unsigned char DV_CELL_FREE = 0;
inline constexpr unsigned char DV_CELL_LABEL = 129;
inline constexpr unsigned char DV_CELL_CHARACTER = 130;

inline constexpr char DV_FONT_SMALL[] = "MingTi12";
inline constexpr char DV_FONT_MEDIUM[] = "MingTi14";
inline constexpr char DV_FONT_LARGE[] = "MingTi15";

// --- Track and pin ---

// Positions kept; a longer drive drops its oldest.
inline constexpr int DV_TRACK_MAX = 28800;
inline constexpr int DV_TRACK_WIDTH = 4;
inline constexpr TColor DV_TRACK_COLOUR = 0x0075D1;
inline constexpr TColor DV_PIN_OUTER_COLOUR = 0x000000;
inline constexpr TColor DV_PIN_INNER_COLOUR = 0x666DFF;
inline constexpr int DV_PIN_LIFT = 30;          // disc centre above the position
inline constexpr int DV_PIN_OUTER_RADIUS = 15;
inline constexpr int DV_PIN_OUTER_HALF_BASE = 13;
inline constexpr int DV_PIN_INNER_RADIUS = 13;
inline constexpr int DV_PIN_INNER_HALF_BASE = 10;
inline constexpr int DV_PIN_INNER_BASE_LIFT = 27;
inline constexpr int DV_PIN_INNER_TIP_LIFT = 3;
inline constexpr int DV_PIN_DOT_RADIUS = 4;

// --- Vehicle arrow ---

inline constexpr int DV_ARROW_POINTS = 5;
inline constexpr TPoint DV_ARROW_SHAPE[DV_ARROW_POINTS] = {{0, -8}, {10, 12}, {0, 7}, {-10, 12}, {0, -8}};
inline constexpr double DV_PI = 3.14159;
inline constexpr TColor DV_ARROW_LEFT_COLOUR = 0x7B4700;  // points 2, 3, 0
inline constexpr TColor DV_ARROW_RIGHT_COLOUR = 0xFF9603; // points 0, 1, 2
inline constexpr TColor DV_ARROW_CENTRE_COLOUR = 0xA56000;
inline constexpr TColor DV_ARROW_OUTLINE_COLOUR = 0xFFFFFF;

// --- On-screen controls (client pixels) ---

inline constexpr TColor DV_CONTROL_COLOUR = 0xCE8E63;
inline constexpr TColor DV_CONTROL_DISC_COLOUR = 0xFFFFFF;
inline constexpr int DV_CONTROL_DISC_WEIGHT = 200;
inline constexpr TPoint DV_PAN_CENTRE = {24, 24};
inline constexpr int DV_PAN_DISC_RADIUS = 20;
inline constexpr int DV_PAN_DOT_RADIUS = 4;
inline constexpr TPoint DV_PAN_UP[3] = {{24, 9}, {20, 13}, {28, 13}};
inline constexpr TPoint DV_PAN_DOWN[3] = {{24, 39}, {20, 35}, {28, 35}};
inline constexpr TPoint DV_PAN_LEFT[3] = {{9, 24}, {13, 20}, {13, 28}};
inline constexpr TPoint DV_PAN_RIGHT[3] = {{39, 24}, {35, 20}, {35, 28}};

inline constexpr TColor DV_ZOOM_COLOUR = 0x048FF6;
inline constexpr TColor DV_ZOOM_SIGN_COLOUR = 0xFFFFFF;
struct TPixelRect {
    int left, top, right, bottom; // inclusive
    constexpr bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};
inline constexpr TPixelRect DV_ZOOM_IN_BUTTON = {14, 60, 34, 80};
inline constexpr TPixelRect DV_ZOOM_IN_BAR = {16, 68, 32, 72};
inline constexpr TPixelRect DV_ZOOM_IN_UPRIGHT = {22, 62, 26, 78};
inline constexpr TPixelRect DV_ZOOM_OUT_BUTTON = {14, 82, 34, 102};
inline constexpr TPixelRect DV_ZOOM_OUT_BAR = {16, 90, 32, 94};

// --- Logo ---

inline constexpr char DV_LOGO_FILE[] = "Logo";
inline constexpr int DV_LOGO_LEFT = 10;
inline constexpr int DV_LOGO_BOTTOM_GAP = 5; // pixels below the logo
inline constexpr TColor DV_LOGO_KEY = 0xFFFFFF;
inline constexpr int DV_LOGO_WEIGHT = 96;

} // namespace cartoframe
