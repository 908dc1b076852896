#include "MapSummary.h"

#include "Big5Text.h"
#include "MapProcess.h"

#include <cstdio>
#include <map>
#include <sstream>

namespace kyvo::mapinfo {
namespace {

using namespace cartoframe;

const char* const kLayerNames[kCountedLayerCount] = {"water areas", "roads", "line features", "land-use areas"};

void countGrid(GridSummary& grid, MapSummary& summary, std::map<int, const char*>& names) {
    const int g = grid.number;
    for (int i = 0; i < kCountedLayerCount; ++i) {
        grid.objects[i] = mp_GetObjectCount(g, kCountedLayers[i]);
        summary.objects[i] += grid.objects[i];
    }
    for (int road = 0; road < mp_GetRoadCount(g); ++road) {
        const int roadClass = mp_GetRoadClass(g, road);
        if (roadClass >= 0 && roadClass < kRoadClassCount)
            ++summary.roadsByClass[roadClass];
        if (const char* name = mp_GetRoadName(g, road))
            names.emplace(mp_GetRoadNameOffset(g, road), name);
        else
            ++summary.unnamedRoads;
    }
    grid.nodes = mp_GetNodeCount(g);
    summary.nodes += grid.nodes;
    for (int cell = 0; cell < MAP_SUBCELL_COUNT; ++cell)
        grid.indexedRoads += mp_GetSubCellRoadCount(g, cell);
    summary.indexedRoads += grid.indexedRoads;
}

} // namespace

MapSummary collectMapSummary(int nameSample) {
    MapSummary summary;
    if (!mp_IsLoaded())
        return summary;
    const TMapBounds bounds = mp_GetBounds();
    summary.lowColumn = bounds.lowColumn;
    summary.lowRow = bounds.lowRow;
    summary.highColumn = bounds.highColumn;
    summary.highRow = bounds.highRow;
    summary.roadNameBytes = mp_GetRoadNameSize();

    // Name offset -> the library's text, valid while the set stays loaded.
    std::map<int, const char*> names;
    for (int g = 0; g < MAP_GRID_MAX; ++g) {
        if (!mp_IsGridPresent(g))
            continue;
        GridSummary grid;
        grid.number = g;
        TMapPoint corner;
        if (mp_GetGridCorner(g, &corner)) {
            grid.cornerX = corner.x;
            grid.cornerY = corner.y;
        }
        countGrid(grid, summary, names);
        summary.grids.push_back(grid);
    }
    summary.distinctRoadNames = static_cast<int>(names.size());
    for (const auto& [offset, text] : names) {
        if (static_cast<int>(summary.names.size()) >= nameSample)
            break;
        summary.names.push_back({offset, text});
    }
    return summary;
}

std::string formatMapSummary(const MapSummary& summary, const FormatOptions& options) {
    std::ostringstream out;
    if (summary.grids.empty()) {
        out << "no grids\n";
        return out.str();
    }
    out << "grids: " << summary.grids.size() << " in columns " << summary.lowColumn << ".." << summary.highColumn
        << ", rows " << summary.lowRow << ".." << summary.highRow << "\n";
    for (int i = 0; i < kCountedLayerCount; ++i)
        out << "layer " << kCountedLayers[i] << " (" << kLayerNames[i] << "): " << summary.objects[i] << "\n";
    out << "roads by class:";
    for (int c = 0; c < kRoadClassCount; ++c)
        out << " " << c << ":" << summary.roadsByClass[c];
    out << "\n"
        << "unnamed roads: " << summary.unnamedRoads << "\n"
        << "nodes: " << summary.nodes << "\n"
        << "sub-cell road entries: " << summary.indexedRoads << "\n"
        << "road names: " << summary.distinctRoadNames << " distinct, " << summary.roadNameBytes << " bytes\n";

    if (options.perGrid) {
        out << "grid  corner (x, y)          water  roads  lines  land  nodes  index\n";
        for (const GridSummary& grid : summary.grids) {
            char line[128];
            std::snprintf(line, sizeof line, "%4d  (%9d, %9d)  %6d %6d %6d %5d %6d %6d\n", grid.number, grid.cornerX,
                          grid.cornerY, grid.objects[0], grid.objects[1], grid.objects[2], grid.objects[3],
                          grid.nodes, grid.indexedRoads);
            out << line;
        }
    }

    if (!summary.names.empty()) {
        kyvo::mapforge::Big5Converter toUtf8(kyvo::mapforge::Big5Direction::ToUtf8);
        out << "road names (first " << summary.names.size() << " by offset):\n";
        for (const RoadNameSample& name : summary.names)
            out << "  " << name.offset << "  " << (toUtf8.ready() ? toUtf8.convert(name.big5) : name.big5) << "\n";
    }
    return out.str();
}

} // namespace kyvo::mapinfo
