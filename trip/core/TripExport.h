#pragma once
// What the viewer's Ctrl+E and kyvo-trip share beyond the formats: the trip a
// recording belongs to, and files written whole.

#include "RecordingFixes.h"
#include "TripStitch.h"

#include <optional>
#include <string>
#include <vector>

namespace kyvo::trip {

// The ".mov" recordings of `folder` (not its subfolders) in name order; none
// when it cannot be listed.
std::vector<std::string> recordingsIn(const std::string& folder);

// A recording's fixes as stitching takes them: kind and start from its name,
// else a normal recording starting at its first fix.
RecordingInput stitchInput(const std::string& path, std::vector<Fix> fixes);

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
