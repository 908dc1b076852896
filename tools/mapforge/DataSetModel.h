#pragma once
// What mapforge writes, grid by grid, before it becomes bytes: every object
// with its points in map units (absolute, inside its grid's square) and the
// fields of its records. Tests compare what the map library reads back with
// this model.

#include "MapGeometry.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kyvo::mapforge {

inline constexpr std::uint32_t kNoNameOffset = 0x3FFFF; // beyond every road-name file mapforge writes
inline constexpr int kSubCellCount = 100;
inline constexpr int kPairCount = 3;

// A water area, land-use area or line feature.
struct ShapeObject {
    Polyline points;
    std::uint16_t upperLeft = 0;  // corner code of the bounding box
    std::uint16_t lowerRight = 0;
};

struct RoadObject {
    std::uint32_t nameOffset = kNoNameOffset;
    int roadClass = 0;
    int attribute = 0;
    int labelMode = 0;
    int factorA = 0;
    int factorB = 0;
    int startNode = 0; // index into the grid's nodes
    int endNode = 0;
    Polyline inner;
};

struct GridModel {
    int number = 0;
    GridCell cell;
    Point corner;
    // Kept in every grid block: the corner, the road and node counts, the area
    // and line counts.
    int pairs[kPairCount][2] = {};
    std::vector<ShapeObject> water;
    std::vector<ShapeObject> lines;
    std::vector<ShapeObject> landUse;
    std::vector<RoadObject> roads;
    std::vector<Point> nodes;
    std::array<std::vector<std::uint16_t>, kSubCellCount> subCells;
};

struct DataSetModel {
    int lowColumn = 0;
    int lowRow = 0;
    int highColumn = 0;
    int highRow = 0;
    std::map<int, GridModel> grids; // by grid number; grids without objects are left out
    std::string roadNames;          // Big5 names, each closed by a NUL
};

} // namespace kyvo::mapforge
