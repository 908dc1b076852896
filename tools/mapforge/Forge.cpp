#include "Forge.h"

#include "Big5Text.h"
#include "DataSetBuilder.h"
#include "Features.h"

#include <sstream>

namespace kyvo::mapforge {

ForgeResult forgeDataSet(const OsmData& data, const std::filesystem::path& folder, const WriteOptions& options) {
    ForgeResult result;
    Big5Converter big5;
    DataSetFiles files;
    result.ok = buildDataSet(extractFeatures(data), big5, result.model, result.error) &&
                encodeDataSet(result.model, files, result.error) &&
                saveDataSet(files, folder, options, result.error);
    return result;
}

std::string describeDataSet(const DataSetModel& model) {
    std::size_t water = 0, lines = 0, landUse = 0, roads = 0, nodes = 0;
    std::size_t classes[8] = {};
    for (const auto& [number, grid] : model.grids) {
        water += grid.water.size();
        lines += grid.lines.size();
        landUse += grid.landUse.size();
        roads += grid.roads.size();
        nodes += grid.nodes.size();
        for (const RoadObject& road : grid.roads)
            ++classes[road.roadClass & 7];
    }
    std::ostringstream out;
    out << "grids: " << model.grids.size() << " in columns " << model.lowColumn << ".." << model.highColumn
        << ", rows " << model.lowRow << ".." << model.highRow << "\n"
        << "water areas: " << water << ", land-use areas: " << landUse << ", line features: " << lines << "\n"
        << "roads: " << roads << ", nodes: " << nodes << ", road names: " << model.roadNames.size() << " bytes\n"
        << "roads by class:";
    for (int c = 0; c < 8; ++c)
        out << " " << c << ":" << classes[c];
    out << "\n";
    return out.str();
}

} // namespace kyvo::mapforge
