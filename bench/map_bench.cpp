// Map panel benchmark: building the position call pushed into the map page
// (once per timer tick) and the track call of a one-hour recording (once per
// opened recording). Prints the median and the 99th percentile of each; the
// numbers are for reading, nothing is asserted.
//
//   map_bench

#include "MapCall.h"
#include "TrackData.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kCallRuns = 100'000;
constexpr int kCallsPerRun = 16; // one clock reading covers this many calls
constexpr int kTrackRuns = 201;
constexpr int kTrackFixes = 3600; // one hour at one fix per second
constexpr double kStartLatitude = 25.0583;
constexpr double kStartLongitude = 121.5640;
constexpr double kDegreesPerStep = 0.00012; // about 13 m per second
constexpr double kCallStep = 1e-6;          // a new position every call, all of them in range
constexpr double kWindPeriodS = 60;     // the road swings east and west once a minute or so
constexpr double kWindDegrees = 0.01;
constexpr double kFullCircle = 360;
constexpr double kPercentile = 0.99;

struct Timing {
    double median = 0;
    double p99 = 0;
};

Timing summarise(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2],
            samples[std::min(samples.size() - 1, static_cast<std::size_t>(samples.size() * kPercentile))]};
}

// A drive that winds north-east, so every number has a different text.
std::vector<kyvo::map::TrackPoint> syntheticTrack() {
    std::vector<kyvo::map::TrackPoint> track;
    track.reserve(kTrackFixes);
    for (int i = 0; i < kTrackFixes; ++i) {
        const double t = i;
        track.push_back({kStartLatitude + t * kDegreesPerStep, kStartLongitude + std::sin(t / kWindPeriodS) * kWindDegrees,
                         std::fmod(t, kFullCircle)});
    }
    return track;
}

} // namespace

int main() {
    // Position calls, grouped so the clock's own cost stays small.
    std::vector<double> callNs;
    callNs.reserve(kCallRuns);
    std::size_t sink = 0;
    for (int run = 0; run < kCallRuns; ++run) {
        const auto start = Clock::now();
        for (int i = 0; i < kCallsPerRun; ++i) {
            const double step = (run * kCallsPerRun + i) * kCallStep;
            const std::optional<std::string> text = kyvo::map::updateMapCall(kStartLatitude + step, -kStartLongitude - step);
            if (text)
                sink += text->size() + static_cast<unsigned char>((*text)[text->size() / 2]);
        }
        callNs.push_back(std::chrono::duration<double, std::nano>(Clock::now() - start).count() / kCallsPerRun);
    }
    const Timing call = summarise(callNs);
    std::printf("updateMap call: median %.0f ns, p99 %.0f ns (%d runs of %d calls)\n", call.median, call.p99,
                kCallRuns, kCallsPerRun);

    const std::vector<kyvo::map::TrackPoint> track = syntheticTrack();
    std::vector<double> trackUs;
    std::size_t textSize = 0;
    for (int run = 0; run < kTrackRuns; ++run) {
        const auto start = Clock::now();
        const std::string text = kyvo::map::trackCallText(track);
        trackUs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        textSize = text.size();
        sink += text.size();
    }
    const Timing text = summarise(trackUs);
    std::printf("setTrack text, %d fixes (%zu bytes): median %.1f us, p99 %.1f us (%d runs)\n", kTrackFixes, textSize,
                text.median, text.p99, kTrackRuns);
    return sink == 0 ? 1 : 0;
}
