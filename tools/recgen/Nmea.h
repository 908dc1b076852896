#pragma once
// The NMEA "$GPRMC" sentence stored in every telemetry entry:
//
//   $GPRMC,081530.000,A,2503.5000,N,12133.8400,E,022.4,084.4,120624,,,A*hh
//
// time hhmmss.sss (UTC), status A (valid) or V (void), latitude ddmm.mmmm with
// N/S, longitude dddmm.mmmm with E/W, speed over ground in knots and course in
// degrees (both %05.1f), date ddmmyy, empty magnetic variation, mode indicator
// (A autonomous, N no fix) and the XOR checksum of the characters between '$'
// and '*' as two upper-case hex digits.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kyvo::recgen {

struct RmcFix {
    std::uint32_t millisOfDay = 0;  // UTC
    bool valid = true;
    double latitudeDeg = 0;   // north positive
    double longitudeDeg = 0;  // east positive
    double speedKnots = 0;
    double courseDeg = 0;     // 0 <= course < 360
    int day = 1;
    int month = 1;
    int year = 2000;          // 2000..2099
};

std::uint8_t nmeaChecksum(std::string_view body);

// Rounds as the sentence's fixed fields do; a course that rounds to 360.0
// is written as 000.0.
std::string formatRmc(const RmcFix& fix);

// Accepts a sentence in the form above; answers nothing when the prefix,
// a field or the checksum is wrong.
std::optional<RmcFix> parseRmc(std::string_view sentence);

}  // namespace kyvo::recgen
