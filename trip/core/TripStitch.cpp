#include "TripStitch.h"

#include "CivilDays.h"

#include <algorithm>
#include <cmath>

namespace kyvo::trip {

namespace {

// The usual spacing of a recording's fixes: the median of its steps.
double spacing(const std::vector<Fix>& fixes) {
    std::vector<double> steps;
    for (std::size_t i = 1; i < fixes.size(); ++i)
        steps.push_back(fixes[i].utcSeconds - fixes[i - 1].utcSeconds);
    if (steps.empty())
        return 0;
    std::nth_element(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2), steps.end());
    return std::max(0.0, steps[steps.size() / 2]);
}

struct Span {
    double from;
    double to;
};

} // namespace

std::optional<NamedStart> namedStart(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    struct Marker {
        std::string_view text;
        RecordingKind kind;
    };
    // "muevt_" holds "evt_": it is looked for first.
    constexpr Marker kMarkers[] = {{"muevt_", RecordingKind::ManualEvent},
                                   {"evt_", RecordingKind::Event},
                                   {"drf_", RecordingKind::Normal}};
    for (const Marker& marker : kMarkers) {
        const std::size_t at = name.find(marker.text);
        if (at == std::string_view::npos)
            continue;
        const std::string_view stamp = name.substr(at + marker.text.size());
        // yyyymmdd_hhmmss
        if (stamp.size() < 15 || stamp[8] != '_')
            return std::nullopt;
        const int year = digitsValue(stamp.substr(0, 4));
        const int month = digitsValue(stamp.substr(4, 2));
        const int day = digitsValue(stamp.substr(6, 2));
        const int hours = digitsValue(stamp.substr(9, 2));
        const int minutes = digitsValue(stamp.substr(11, 2));
        const int seconds = digitsValue(stamp.substr(13, 2));
        if (year < 1970 || month < 1 || month > 12 || day < 1 || day > 31 || hours < 0 || hours > 23 ||
            minutes < 0 || minutes > 59 || seconds < 0 || seconds > 60)
            return std::nullopt;
        return NamedStart{marker.kind, static_cast<double>(daysFromCivil(year, month, day)) * kSecondsPerDay +
                                           hours * 3600.0 + minutes * 60.0 + seconds};
    }
    return std::nullopt;
}

std::vector<Trip> tripPerRecording(const std::vector<RecordingInput>& recordings) {
    std::vector<Trip> trips;
    for (const RecordingInput& recording : recordings) {
        Trip trip;
        trip.recordings.push_back(recording.path);
        trip.fixes = recording.fixes;
        for (Fix& fix : trip.fixes)
            fix.recording = 0;
        trips.push_back(std::move(trip));
    }
    return trips;
}

std::vector<Trip> stitchTrips(std::vector<RecordingInput> recordings, double gapLimitSeconds) {
    std::stable_sort(recordings.begin(), recordings.end(),
                     [](const RecordingInput& a, const RecordingInput& b) { return a.start < b.start; });

    // The moments the normal recordings cover, by the fixes' own times.
    std::vector<Span> covered;
    for (const RecordingInput& recording : recordings) {
        if (recording.kind != RecordingKind::Normal || recording.fixes.empty())
            continue;
        covered.push_back({recording.fixes.front().utcSeconds,
                           recording.fixes.back().utcSeconds + spacing(recording.fixes)});
    }
    auto isCovered = [&covered](double t) {
        return std::any_of(covered.begin(), covered.end(), [t](const Span& s) { return t >= s.from && t < s.to; });
    };

    std::vector<Trip> trips;
    double lastEnd = 0;
    for (RecordingInput& recording : recordings) {
        if (recording.kind != RecordingKind::Normal)
            std::erase_if(recording.fixes, [&](const Fix& fix) { return isCovered(fix.utcSeconds); });
        if (recording.fixes.empty())
            continue;
        const double span = recording.fixes.back().utcSeconds - recording.fixes.front().utcSeconds;
        const double end = recording.start + span + spacing(recording.fixes);
        if (trips.empty() || recording.start - lastEnd > gapLimitSeconds)
            trips.emplace_back();
        Trip& trip = trips.back();
        const std::size_t index = trip.recordings.size();
        trip.recordings.push_back(recording.path);
        for (Fix fix : recording.fixes) {
            fix.recording = index;
            trip.fixes.push_back(fix);
        }
        lastEnd = std::max(lastEnd, end);
    }
    return trips;
}

} // namespace kyvo::trip
