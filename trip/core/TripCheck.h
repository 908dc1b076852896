#pragma once
// The GPS quality of recordings and trips, for "kyvo-trip check": what a user
// needs to know before trusting a track.
//   fixes           entries whose sentence read as a fix (valid or void)
//   void fixes      status "V"
//   bad checksums   and malformed sentences or entries (RecordingFixes)
//   time gaps       steps between consecutive fixes longer than a limit
//   jumps           steps whose distance implies a speed no car reaches
//   no telemetry    the share of entries without a fix

#include "RecordingFixes.h"
#include "TripModel.h"

#include <string>
#include <vector>

namespace kyvo::trip {

struct CheckLimits {
    double gapSeconds = 2.0;     // a step longer than this is a gap (entries come 3 a second)
    double fastestKmh = 300.0;   // a step faster than this is a jump
};

struct Quality {
    int entries = 0;
    int fixes = 0;
    int voidFixes = 0;
    int badChecksums = 0;
    int malformed = 0;
    int notRmc = 0;
    int gaps = 0;
    int jumps = 0;
    double noTelemetryShare = 0; // entries without a fix, of all entries (0..1)

    bool clean() const { return voidFixes == 0 && badChecksums == 0 && malformed == 0 && notRmc == 0 && gaps == 0 && jumps == 0; }
};

// Great-circle distance in metres (haversine, mean Earth radius).
double distanceMetres(double lat1, double lon1, double lat2, double lon2);

Quality checkRecording(const RecordingFixes& recording, const CheckLimits& limits = {});
// The steps of a trip, across its recordings (the counts of sentences are the recordings').
Quality checkSteps(const std::vector<Fix>& fixes, const CheckLimits& limits = {});

// "fixes 180, void 0, bad checksums 0, malformed 0, gaps 0, jumps 0, no telemetry 0.0 %"
std::string qualityLine(const Quality& quality);

} // namespace kyvo::trip
