#pragma once
// The whole chain from OpenStreetMap data to a map data set in a folder:
// features, grids, bytes, files.

#include "DataSetModel.h"
#include "DataSetWriter.h"
#include "OsmData.h"

#include <filesystem>
#include <string>

namespace kyvo::mapforge {

struct ForgeResult {
    bool ok = false;
    std::string error;
    DataSetModel model; // what was written
};

ForgeResult forgeDataSet(const OsmData& data, const std::filesystem::path& folder, const WriteOptions& options);

// A few lines on what a model holds: grids, objects per layer, roads per class.
std::string describeDataSet(const DataSetModel& model);

} // namespace kyvo::mapforge
