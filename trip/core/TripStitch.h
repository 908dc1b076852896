#pragma once
// Recordings joined into trips. The recorder cuts a drive into pieces of a
// minute or so; a trip is the run of pieces that follow each other with gaps
// of at most a limit between the end of one and the start of the next.
//
// Recordings are ordered by the start time in their names ("drf_", "evt_" or
// "muevt_", then yyyymmdd_hhmmss). A recording's end is its start plus the
// span of its fixes and one spacing between them. Event and manual-event
// recordings are cut from the same drive as the normal ones: of their fixes,
// those whose time a normal recording already covers are left out, so no
// moment counts twice; what remains joins the trips like any recording.

#include "TripModel.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kyvo::trip {

enum class RecordingKind { Normal, Event, ManualEvent };

struct RecordingInput {
    std::string path;
    RecordingKind kind = RecordingKind::Normal;
    double start = 0;       // seconds since 1970 of the name's date and time (the recorder's clock)
    std::vector<Fix> fixes; // in order; their recording index is ignored
};

inline constexpr double kDefaultGapLimitSeconds = 5.0;

// The kind and start of a recording from its file name; nothing when the
// name does not hold them.
struct NamedStart {
    RecordingKind kind;
    double start;
};
std::optional<NamedStart> namedStart(std::string_view path);

std::vector<Trip> stitchTrips(std::vector<RecordingInput> recordings, double gapLimitSeconds = kDefaultGapLimitSeconds);

// One trip per recording, in the order given (no stitching).
std::vector<Trip> tripPerRecording(const std::vector<RecordingInput>& recordings);

} // namespace kyvo::trip
