#pragma once
// The GPS fix of the main window: the decoded NMEA "$GPRMC" sentence that the
// adapter hands over with every shown frame, and the heading needle drawn from
// its course. Qt-free; the main window keeps one RmcFix and draws from it.
//
// Decoding, field by field (fields are split at ",", a field also ends at "*"
// or NUL, missing fields stay zero, the checksum is not verified and the
// status does not stop the decoding):
//   0 "$GPRMC" (skipped)   1 time hhmmss[.sss]   2 status "A"/"V"
//   3 latitude ddmm.mmmm   4 "S" negates it       5 longitude dddmm.mmmm
//   6 "W" negates it       7 speed in knots       8 course in degrees
//   9 date ddmmyy          the rest (variation, mode) is ignored.
// Each field is cut to its buffer: time and date to 11 characters, status to
// 7, numbers to 19 characters before they are read.

#include <cstddef>
#include <string_view>
#include <utility>

namespace kyvo::app {

struct RmcFix {
    char time[12]{};       // field 1 as text, NUL-terminated
    char date[12]{};       // field 9 as text, ddmmyy
    char status[8]{};      // field 2: "A" valid, "V" void
    double latitude = 0;   // signed degrees, south negative
    double longitude = 0;  // signed degrees, west negative
    double speedKnots = 0; // speed over ground
    double course = 0;     // course over ground, degrees clockwise from north
};
static_assert(sizeof(RmcFix) == 64, "RmcFix keeps its 64-byte layout");

inline constexpr std::string_view kRmcPrefix = "$GPRMC";
inline constexpr std::size_t kRmcNumberLength = 19; // read from a 20-byte buffer

// Decodes a "$GPRMC" sentence into `fix`, zeroing it first, and answers true.
// A text that does not start with "$GPRMC" leaves `fix` untouched: false.
bool decodeRmc(std::string_view sentence, RmcFix& fix);

// NMEA ddmm.mmmm (or dddmm.mmmm) to degrees: 2503.5 gives 25 + 3.5 / 60.
double nmeaToDegrees(double ddmm);

// atof-like reading of a number field: leading blanks, an optional sign and
// as much of a decimal number as there is; no number (or an infinite or NaN
// one) reads 0. The "." is the decimal point whatever the locale.
double readNmeaNumber(std::string_view text);

// The position lines are drawn only when both coordinates are non-zero.
bool positionDrawable(const RmcFix& fix);

// True when the status is exactly "V": the fix is void.
bool fixVoid(const RmcFix& fix);

// Heading needle: from its centre (90, 596), 22 pixels long, 3 pixels wide,
// white. Course 0 points straight up, 90 to the right (screen y grows down).
inline constexpr int kHeadingCentreX = 90;
inline constexpr int kHeadingCentreY = 596;
inline constexpr int kHeadingNeedleLength = 22;
inline constexpr int kHeadingNeedleWidth = 3;

// The needle's end relative to its centre: (dx, dy), each truncated toward 0.
std::pair<int, int> headingVector(double course);

} // namespace kyvo::app
