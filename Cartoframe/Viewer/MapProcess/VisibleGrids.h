#pragma once
// The grids that a view needs, and for a grid that the view only partly
// covers, the sub-cells whose roads it needs (through the sub-cell index).
//
// The walk covers the view with a margin of one grid plus the distance a
// label or a wide road can reach (three times the scale value upwards and
// downwards, as much times the window's aspect sideways); each grid of the
// map's extent that it meets is intersected with the view rounded outward to
// whole sub-cells.

#include "MapProcess.h"

namespace cartoframe {

inline constexpr int VISIBLE_GRID_MAX = 1024;

struct TViewRequest {
    TMapRect view;     // the window's corners taken to the map
    TMapPoint centre;  // the map point at the window's centre
    int scaleValue = 0; // map units per 37 pixels
    int windowWidth = 0;
    int windowHeight = 0;
};

struct TVisibleGrid {
    int grid = -1;
    bool whole = false;   // the rounded view holds the whole grid
    int subCellCount = 0; // partial grids: the sub-cells of the intersection
    unsigned char subCells[MAP_SUBCELL_COUNT] = {};
};

// Chooses the grids of a view, at most VISIBLE_GRID_MAX in walk order (x
// outer, y inner), and keeps them as the visible-grid list. Answers their
// count; 0 while nothing is loaded or the window has no height.
int mp_SelectVisibleGrids(const TViewRequest& request);
int mp_GetVisibleGridCount();
// Entry i of the list, or null.
const TVisibleGrid* mp_GetVisibleGrid(int i);

} // namespace cartoframe
