#pragma once
// The track of a recording: every position its telemetry box holds, read once
// when the recording is opened, for the map page to draw as a line.
//
// Entries are read the way playback reads them (MVOXUDAT, frames 11, 21, 31,
// ...), so the track holds exactly the positions the map's marker visits while
// the recording plays: entry 0, which playback never shows, is not part of it.
// An entry counts when playback would take its GPS record and that record
// decodes to a position the viewer would push (pushablePosition): void fixes,
// damaged entries and other sentences are skipped. Consecutive equal points
// are kept, one point per entry, so a stop shows as repeated points.

#include "TelemetryBox.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kyvo::map {

struct TrackPoint {
    double latitude = 0;  // signed degrees, north positive
    double longitude = 0; // signed degrees, east positive
    double course = 0;    // degrees clockwise from north

    bool operator==(const TrackPoint&) const = default;
};

inline constexpr std::string_view kSetTrackFunction = "setTrack";

// The track of a whole recording held in memory. A recording without a
// telemetry box, or one that is damaged or foreign, gives what could be read:
// possibly nothing. `mode` and `key` are those of playback (scrambled
// recordings are read in the encrypted view mode with their key).
std::vector<TrackPoint> readTrack(std::span<const std::uint8_t> recording,
                                  player::ViewMode mode = player::ViewMode::General, std::uint32_t key = 0);

// The same for a recording on disk; only the telemetry box is read from it.
// A file that cannot be opened gives an empty track.
std::vector<TrackPoint> readTrackFile(const std::filesystem::path& recording,
                                      player::ViewMode mode = player::ViewMode::General, std::uint32_t key = 0);

// "setTrack([[lat,lon],[lat,lon],...])", six decimals, '.' as the decimal
// point; points that are not finite or out of range are left out.
std::string trackCallText(const std::vector<TrackPoint>& track);

} // namespace kyvo::map
