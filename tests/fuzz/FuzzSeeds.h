#pragma once
// Seeds of the fuzz targets, one folder per target under a seed folder:
// short recordings made by recgen (normal, event, manual event with clock
// tags, scrambled event), the sentences of their telemetry, and hand-made
// inputs that reach the corners (boxes with 64-bit sizes or running to the
// end of the file, event types inside video data, odd sentences and
// configuration texts).

#include "FuzzTargets.h"

#include <filesystem>
#include <string>

namespace kyvo::fuzz {

struct FuzzTarget {
    const char* folder;
    int (*run)(const std::uint8_t* data, std::size_t size);
};

inline constexpr const char* kTelemetryBoxSeeds = "telemetry-box";
inline constexpr const char* kEventMarksSeeds = "event-marks";
inline constexpr const char* kRmcSeeds = "rmc";
inline constexpr const char* kViewerConfigSeeds = "viewer-config";

inline constexpr FuzzTarget kFuzzTargets[] = {
    {kTelemetryBoxSeeds, telemetryBoxTarget},
    {kEventMarksSeeds, eventMarksTarget},
    {kRmcSeeds, rmcTarget},
    {kViewerConfigSeeds, viewerConfigTarget},
};

// Replaces `folder` with one subfolder of seeds per target. Recordings are
// made by the recgen program at `recgen`. Answers an error text, empty on
// success.
std::string writeFuzzSeeds(const std::filesystem::path& recgen, const std::filesystem::path& folder);

// The seeds in one target's folder, in name order.
std::vector<Bytes> readFuzzSeeds(const std::filesystem::path& folder);

} // namespace kyvo::fuzz
