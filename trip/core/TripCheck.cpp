#include "TripCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace kyvo::trip {

namespace {
constexpr double kEarthRadiusMetres = 6371008.8;
constexpr double kMetresPerSecondPerKmh = 1000.0 / 3600.0;
} // namespace

double distanceMetres(double lat1, double lon1, double lat2, double lon2) {
    const double toRadians = std::numbers::pi / 180.0;
    const double dLat = (lat2 - lat1) * toRadians;
    const double dLon = (lon2 - lon1) * toRadians;
    const double a = std::sin(dLat / 2) * std::sin(dLat / 2) +
                     std::cos(lat1 * toRadians) * std::cos(lat2 * toRadians) * std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * kEarthRadiusMetres * std::asin(std::min(1.0, std::sqrt(a)));
}

Quality checkSteps(const std::vector<Fix>& fixes, const CheckLimits& limits) {
    Quality quality;
    const Fix* previous = nullptr;
    for (const Fix& fix : fixes) {
        ++quality.fixes;
        if (!fix.valid) {
            ++quality.voidFixes;
            continue;
        }
        if (previous) {
            const double seconds = fix.utcSeconds - previous->utcSeconds;
            if (seconds > limits.gapSeconds)
                ++quality.gaps;
            const double metres = distanceMetres(previous->latitude, previous->longitude, fix.latitude, fix.longitude);
            // Two fixes at the same moment in different places, or a step faster than any car.
            if ((seconds <= 0 && metres > 1.0) ||
                (seconds > 0 && metres / seconds > limits.fastestKmh * kMetresPerSecondPerKmh))
                ++quality.jumps;
        }
        previous = &fix;
    }
    return quality;
}

Quality checkRecording(const RecordingFixes& recording, const CheckLimits& limits) {
    Quality quality = checkSteps(recording.fixes, limits);
    quality.entries = recording.entries;
    quality.badChecksums = recording.badChecksums;
    quality.malformed = recording.malformed;
    quality.notRmc = recording.notRmc;
    quality.noTelemetryShare =
        recording.entries > 0 ? 1.0 - static_cast<double>(quality.fixes) / recording.entries : 1.0;
    return quality;
}

std::string qualityLine(const Quality& q) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "fixes %d, void %d, bad checksums %d, malformed %d, other sentences %d, gaps %d, jumps %d, "
                  "no telemetry %.1f %%",
                  q.fixes, q.voidFixes, q.badChecksums, q.malformed, q.notRmc, q.gaps, q.jumps,
                  q.noTelemetryShare * 100.0);
    return text;
}

} // namespace kyvo::trip
