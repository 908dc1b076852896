#pragma once
// Turns the synthetic drive into a recording's telemetry entries and event
// records.
//
// Entry k describes frame 10k+1, i.e. the moment 10k / rate seconds after the
// start; a recording of N frames gets N/10 + 1 entries. The drive is sampled at
// routeOffset + that moment, so recordings made back to back with growing
// offsets continue one route. The sentence's UTC time is the recording's clock
// time minus the UTC offset; the time field holds whole seconds since the start.

#include "BoxLayout.h"
#include "CivilTime.h"
#include "DriveSimulator.h"
#include "RecordingName.h"

#include <string>
#include <vector>

namespace kyvo::recgen {

namespace shock {
// A G-sensor event shakes the car well beyond road bumps, up to about 2 g.
constexpr double kForwardMinG = 0.8, kForwardMaxG = 1.6;
constexpr double kSideMinG = 0.3, kSideMaxG = 0.8;
constexpr double kVerticalMinG = 0.4, kVerticalMaxG = 1.0;
}  // namespace shock

struct TelemetryPlan {
    CivilTime start;
    int frameRate = 30;
    int frameCount = 300;
    double routeOffsetS = 0;
    double utcOffsetHours = 0;
    FourCc timeTag = entry::kTimeTag;
    DriveParams drive;
    std::vector<double> shockTimesS;  // seconds after the start with a G-sensor jolt
};

struct TelemetryTrack {
    std::vector<TelemetryEntry> entries;
    std::vector<double> reportedSpeedKmh;  // per entry, as its sentence states it
    std::vector<double> entryTimesS;       // per entry, seconds after the start
};

int entryCountFor(int frameCount);
TelemetryTrack buildTelemetry(const TelemetryPlan& plan);

struct EventMoment {
    int offsetS = 0;  // whole seconds after the start
    std::string text; // "yyyy/mm/dd hh:mm:ss description"
};

// `count` events spread evenly inside a recording of `lengthS` seconds; normal
// and event recordings describe G-sensor events, manual ones a button press.
std::vector<EventMoment> planEvents(RecordingKind kind, const CivilTime& start, int lengthS, int count);

}  // namespace kyvo::recgen
