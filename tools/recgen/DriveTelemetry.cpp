#include "DriveTelemetry.h"

#include "Nmea.h"

#include <algorithm>
#include <cmath>

namespace kyvo::recgen {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kSecondsPerHour = 3600;
constexpr double kMillisPerSecond = 1000;
constexpr std::uint64_t kShockStream = 0x3C6EF372FE94F82BULL;
constexpr std::string_view kShockDescription = " G-sensor event";
constexpr std::string_view kManualDescription = " manual event";

RmcFix toRmc(const DriveSample& sample, const CivilTime& start, double offsetS, double utcOffsetHours) {
    // Milliseconds since the epoch of the recorder's clock, shifted to UTC.
    const auto millis = static_cast<std::int64_t>(std::llround(
        (static_cast<double>(toSeconds(start)) + offsetS - utcOffsetHours * kSecondsPerHour) * kMillisPerSecond));
    const std::int64_t millisPerDay = kSecondsPerDay * static_cast<std::int64_t>(kMillisPerSecond);
    const std::int64_t day = millis >= 0 ? millis / millisPerDay : (millis - millisPerDay + 1) / millisPerDay;
    const CivilTime date = fromSeconds(day * kSecondsPerDay);

    RmcFix fix;
    fix.millisOfDay = static_cast<std::uint32_t>(millis - day * millisPerDay);
    fix.valid = sample.gpsValid;
    fix.latitudeDeg = sample.reported.latitudeDeg;
    fix.longitudeDeg = sample.reported.longitudeDeg;
    fix.speedKnots = sample.reported.speedMps / drive::kMetresPerSecondPerKnot;
    fix.courseDeg = sample.reported.courseDeg;
    fix.day = date.day;
    fix.month = date.month;
    fix.year = date.year;
    return fix;
}

}  // namespace

int entryCountFor(int frameCount) { return frameCount / entry::kFramesPerEntry + 1; }

TelemetryTrack buildTelemetry(const TelemetryPlan& plan) {
    DriveSimulator simulator(plan.drive);
    Random shockRng(plan.drive.seed ^ kShockStream);
    TelemetryTrack track;
    const int count = entryCountFor(plan.frameCount);
    const double interval = static_cast<double>(entry::kFramesPerEntry) / plan.frameRate;
    for (int k = 0; k < count; ++k) {
        const double offsetS = k * interval;
        const DriveSample sample = simulator.sampleAt(plan.routeOffsetS + offsetS);
        const RmcFix fix = toRmc(sample, plan.start, offsetS, plan.utcOffsetHours);
        TelemetryEntry item;
        item.timeTag = plan.timeTag;
        item.seconds = static_cast<std::uint32_t>(offsetS);
        item.sentence = formatRmc(fix);
        std::array<double, 3> g = sample.g;
        // The entry nearest a G-sensor event carries the jolt.
        const bool jolted = std::any_of(plan.shockTimesS.begin(), plan.shockTimesS.end(),
                                        [&](double t) { return std::fabs(t - offsetS) < interval / 2; });
        if (jolted) {
            g[0] += shockRng.sign() * shockRng.uniform(shock::kForwardMinG, shock::kForwardMaxG);
            g[1] += shockRng.sign() * shockRng.uniform(shock::kSideMinG, shock::kSideMaxG);
            g[2] += shockRng.sign() * shockRng.uniform(shock::kVerticalMinG, shock::kVerticalMaxG);
        }
        for (std::size_t axis = 0; axis < g.size(); ++axis)
            item.g[axis] = static_cast<float>(g[axis]);
        track.entries.push_back(std::move(item));
        track.reportedSpeedKmh.push_back(sample.reported.speedMps * drive::kKmhPerMetrePerSecond);
        track.entryTimesS.push_back(offsetS);
    }
    return track;
}

std::vector<EventMoment> planEvents(RecordingKind kind, const CivilTime& start, int lengthS, int count) {
    std::vector<EventMoment> events;
    const std::string_view description = kind == RecordingKind::Manual ? kManualDescription : kShockDescription;
    for (int i = 0; i < count; ++i) {
        EventMoment moment;
        moment.offsetS = lengthS * (i + 1) / (count + 1);
        moment.text = formatSlashed(addSeconds(start, moment.offsetS)) + std::string(description);
        events.push_back(std::move(moment));
    }
    return events;
}

}  // namespace kyvo::recgen
