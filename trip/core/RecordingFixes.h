#pragma once
// The fixes of one recording, read from its telemetry box only (never the
// video), with the counts the GPS check reports.
//
// Entry k of the box is shown on frame 10 k + 1; entry 0, which playback
// never shows, is read too: it is the recording's first fix, at frame 1.

#include "RecordingFile.h"
#include "TelemetryBox.h"
#include "TripModel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kyvo::trip {

struct RecordingFixes {
    int readResult = player::kTelemetryCopied; // readTelemetryBox's answer
    std::vector<Fix> fixes;                    // recording index 0, in entry order
    int entries = 0;
    int voidFixes = 0;
    int badChecksums = 0;
    int malformed = 0;    // sentences whose fields do not read, and entries whose tags are wrong
    int notRmc = 0;       // entries whose GPS record holds no RMC sentence
};

RecordingFixes readRecordingFixes(const player::RecordingSource& file, player::ViewMode mode = player::ViewMode::General,
                                  std::uint32_t key = 0);
RecordingFixes readRecordingFixesFile(const std::string& path, player::ViewMode mode = player::ViewMode::General,
                                      std::uint32_t key = 0);

} // namespace kyvo::trip
