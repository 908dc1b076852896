#pragma once
// Map folders for the map window's tests: the test town written by mapforge
// in-process, with the map fonts that the build made.

#include <filesystem>
#include <string>

namespace cartoframe::test {

// Writes the test town's data set and the map fonts into folder (created when
// missing). Answers "" or what went wrong.
std::string makeTownMapFolder(const std::filesystem::path& folder);

// The test town lies around this point (degrees), on the corner of four grids.
inline constexpr float TOWN_LONGITUDE = 121.5f;
inline constexpr float TOWN_LATITUDE = 25.0f;

} // namespace cartoframe::test
