#pragma once
// The pieces of the names pass (not part of the library's interface): the
// name pool of one grid, centred labels and names laid along roads.
//
// A name along a road is laid over the segments collected for it: along x
// when the segments' extent is clearly wider than tall (3 H < 2 W), else
// along y, one character every DV_NAME_CHAR_STEP pixels. Each character sits
// in a square of 2 x 2 label cells centred on the road, rounded to the
// nearest cell; since the squares are 16 pixels wide, each starts at least
// two cells after the previous one along the run, and stays in line with it
// across the run while the road is less than a cell from its centre. A
// character whose place no collected segment reaches (within one cell) ends
// the attempt, so a name is drawn whole or not at all.

#include "Canvas.h"
#include "DrawContext.h"
#include "DrawTables.h"
#include "LabelGrid.h"
#include "Text.h"

#include <vector>

namespace cartoframe::drawview {

// Rings searched around a centred label: names of roads at steps above
// DV_ALONG_NAMES_LAST_STEP, alleys and centred roads below it, route numbers.
inline constexpr int DV_CENTRED_RINGS = 1;
inline constexpr int DV_ALLEY_RINGS = 2;
inline constexpr int DV_ROUTE_RINGS = 1;
// A collected segment is longer than this across, or at least
// DV_SEGMENT_MIN_DOWN down (after clipping to the window).
inline constexpr int DV_SEGMENT_MIN_ACROSS = 2;
inline constexpr int DV_SEGMENT_MIN_DOWN = 3;
// A route number is drawn at the point this far (1 / n) through its points.
inline constexpr int DV_ROUTE_POINT_DIVISOR = 4;
// A character takes a square of this many cells a side.
inline constexpr int DV_CHARACTER_CELLS = 2;
inline constexpr int DV_CHARACTER_SIDE = DV_CHARACTER_CELLS * DV_LABEL_CELL;
// A character's place may lie this far beyond the nearest collected segment.
inline constexpr int DV_NAME_COVER_SLACK = DV_LABEL_CELL;

// The segments collected for one name in one grid: pairs of end points.
struct TNamePoolEntry {
    int offset = -1;              // in the road-name text
    const char* name = nullptr;
    int count = 0;                // points, always even
    TPoint points[DV_NAME_POINTS_MAX];
};

// One character of a laid name: its bytes in the name and the top-left cell
// of its square.
struct TNameCharacter {
    const char* text = nullptr;
    int length = 0; // 1 or 2 bytes
    int column = 0;
    int row = 0;
};

// Splits a name into characters as the text drawing reads them: bytes below
// 32 are skipped, a byte above 126 begins a two-byte character (dropped when
// the name ends after it).
void splitCharacters(const char* name, std::vector<TNameCharacter>* out);

// Lays the name along the collected segments (points[0..count), pairs) on
// the label grid. Answers true with the characters' cells taken (marked
// DV_CELL_CHARACTER) and listed in `out`; false with nothing taken.
bool layoutAlongRoad(TLabelGrid* labels, const char* name, const TPoint* points, int count,
                     std::vector<TNameCharacter>* out);
// Draws laid characters with the font, each centred in its square.
void drawLaidName(TCanvas* canvas, TText* font, const std::vector<TNameCharacter>& characters);

// The window of a picture in pixels (inclusive).
struct TWindowRect {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;
};

// Centres the name's box (measured width x line height) on the anchor; when
// the box lies inside the window and a place is found within `rings` rings,
// draws the name there and answers true.
bool placeCentredLabel(TCanvas* canvas, TText* font, TLabelGrid* labels, const TWindowRect& window, const char* name,
                       TPoint anchor, int rings);

// Adds the segment a-b, clipped to the window, to the entry when it is long
// enough and the entry has room for both end points. Answers whether it did.
bool addNameSegment(TNamePoolEntry* entry, const TWindowRect& window, TPoint a, TPoint b);

} // namespace cartoframe::drawview
