#pragma once
// Calendar date and time of day as the recorder's clock shows it (no time
// zone attached), with conversion to a running second count for arithmetic.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kyvo::recgen {

struct CivilTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const CivilTime&) const = default;
};

// Seconds since 1970-01-01 00:00:00 of the same clock.
std::int64_t toSeconds(const CivilTime& time);
CivilTime fromSeconds(std::int64_t seconds);
CivilTime addSeconds(const CivilTime& time, std::int64_t seconds);

// "YYYY-MM-DD hh:mm:ss" (a 'T' may stand for the space); nothing when a field
// is out of range or the text has another form.
std::optional<CivilTime> parseCivilTime(std::string_view text);

// "yyyy/mm/dd hh:mm:ss", as event records and the burnt-in clock show it.
std::string formatSlashed(const CivilTime& time);

}  // namespace kyvo::recgen
