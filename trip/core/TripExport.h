#pragma once
// What the viewer's Ctrl+E and kyvo-trip share beyond the formats: the trip a
// recording belongs to, and files written whole.

#include "RecordingFixes.h"
#include "TripStitch.h"

#include <optional>
#include <string>

namespace kyvo::trip {

// The trip that holds `recording`: the ".mov" recordings of its folder read
// and stitched; the recording alone when the folder cannot be listed. Nothing
// when the recording itself holds no fixes.
std::optional<Trip> tripOf(const std::string& recording, player::ViewMode mode = player::ViewMode::General,
                           std::uint32_t key = 0, double gapLimitSeconds = kDefaultGapLimitSeconds);

// "trip_<the recording's name without extension>.gpx".
std::string tripFileName(const std::string& recording);

// Writes `text` to `path` through a temporary file beside it that is renamed
// once whole; on failure nothing is left behind and `error` says why.
bool writeFileWhole(const std::string& path, const std::string& text, std::string& error);

} // namespace kyvo::trip
