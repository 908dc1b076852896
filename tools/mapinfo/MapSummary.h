#pragma once
// What a loaded map data set holds, gathered through the map library's
// accessors only, so that it shows what drawing would see: the grids with
// their corners, objects per layer, road classes, nodes, the sub-cell road
// index and a sample of road names.

#include <array>
#include <string>
#include <vector>

namespace kyvo::mapinfo {

// Layers counted per grid, in this order.
inline constexpr int kCountedLayers[] = {0, 1, 7, 13};
inline constexpr int kCountedLayerCount = 4;
inline constexpr int kRoadClassCount = 8;

struct GridSummary {
    int number = 0;
    int cornerX = 0; // lower-left corner in map units
    int cornerY = 0;
    std::array<int, kCountedLayerCount> objects{};
    int nodes = 0;
    int indexedRoads = 0; // entries of the sub-cell road index (a road may be in several sub-cells)
};

struct RoadNameSample {
    int offset = 0;
    std::string big5; // as stored
};

struct MapSummary {
    int lowColumn = 0, lowRow = 0, highColumn = 0, highRow = 0;
    std::vector<GridSummary> grids; // present grids, by number
    std::array<long long, kCountedLayerCount> objects{};
    std::array<long long, kRoadClassCount> roadsByClass{};
    long long unnamedRoads = 0;
    long long nodes = 0;
    long long indexedRoads = 0;
    int roadNameBytes = 0;
    int distinctRoadNames = 0;        // distinct name offsets used by roads
    std::vector<RoadNameSample> names; // the first ones by offset, at most the sample size
};

// Gathers the summary of the data set the library holds now (empty when it
// holds none). At most nameSample names are kept.
MapSummary collectMapSummary(int nameSample);

struct FormatOptions {
    bool perGrid = false; // a line for every grid
};

// The summary as text, road names converted to UTF-8.
std::string formatMapSummary(const MapSummary& summary, const FormatOptions& options);

} // namespace kyvo::mapinfo
