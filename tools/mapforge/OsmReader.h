#pragma once
// Reads OpenStreetMap XML (.osm) with expat.

#include "OsmData.h"

#include <filesystem>
#include <string>

namespace kyvo::mapforge {

// Parses the XML; on failure answers false with a message naming the line.
bool readOsmText(std::string_view xml, OsmData& data, std::string& error);
bool readOsmFile(const std::filesystem::path& path, OsmData& data, std::string& error);

} // namespace kyvo::mapforge
