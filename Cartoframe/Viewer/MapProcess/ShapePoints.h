#pragma once
// Bulk access for drawing: all points of an object or a road copied into a
// caller's buffer in one call, and the roads' bounding boxes, which are
// computed once when the data set is loaded instead of from the points at
// every picture.
//
// Single-threaded, like the rest of the data set.

#include "MapProcess.h"

namespace cartoframe {

// Copies the points of object `object` of layer 0, 7 or 13 (areas and line
// features) into out. Answers the object's point count when every point was
// copied; -1 when the object does not exist, has more points than capacity,
// or a point lies outside its layer's points.
int mp_CopyShapePoints(int grid, int layer, int object, TMapPoint* out, int capacity);

// The same for a road: start node, inner points, end node.
int mp_CopyRoadPoints(int grid, int road, TMapPoint* out, int capacity);

// The grid's table of road boxes, computed at load time: entry r holds the
// box of road r (an entry whose left lies beyond its right marks a road
// whose points cannot all be read). Null, with roadCount 0, when the grid
// has no roads or no table; the box of a single road is mp_GetRoadBox.
const TMapRect* mp_GetRoadBoxTable(int grid, int* roadCount);

} // namespace cartoframe
