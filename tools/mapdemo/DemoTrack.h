#pragma once
// The drive of one or more recordings as positions for the map window: each
// telemetry entry's "$GPRMC" sentence gives longitude, latitude, course, date
// and time; void fixes and fixes at zero coordinates are left out.
// Toolkit-free.

#include "GisPosition.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kyvo::mapdemo {

struct TrackPoint {
    double longitude = 0; // degrees, east positive
    double latitude = 0;  // degrees, north positive
    double course = 0;    // degrees clockwise from north
    int date = 0;         // YYYYMMDD (0 when the sentence has no readable date)
    int hour = 0;
    int minute = 0;
    int second = 0;
    // Seconds since 1970-01-01 of the fix's date and time, fraction included;
    // only differences between fixes matter (they space the replay).
    double clock = 0;
};

// The fix of one sentence; nothing for a text that is no "$GPRMC" sentence, a
// void fix (status "V") or one at zero latitude or longitude.
std::optional<TrackPoint> trackPointFromRmc(std::string_view sentence);

// The fixes of a telemetry box as readTelemetryBox copies it (box header
// first, then 156-byte entries), in entry order. Entries that run past the
// box's declared size or the copy, or that lack their "GPSI" tag, are skipped.
std::vector<TrackPoint> trackFromTelemetry(std::span<const std::uint8_t> box);

struct RecordingTrack {
    std::vector<TrackPoint> points;
    std::string error; // empty when the recording was read
    bool ok() const { return error.empty(); }
};

// Reads the fixes of the recording at `path` (UTF-8). A file that cannot be
// opened, is no recording, is scrambled or has no telemetry answers an error
// text for the user.
RecordingTrack readRecordingTrack(const std::string& path);

// The record the map window takes for a fix (add flag set), and the one that
// clears its track.
cartoframe::TGisPosition toPositionRecord(const TrackPoint& point);
cartoframe::TGisPosition clearTrackRecord();

} // namespace kyvo::mapdemo
