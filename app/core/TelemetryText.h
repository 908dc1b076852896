#pragma once
// Texts made from the fix and the G-sensor values: the position lines of the
// GPS box, the G-sensor value texts, and the lines of the print-out. Labels
// come from the string table and are passed in as UTF-8.

#include "TelemetryFix.h"

#include <string>
#include <string_view>

namespace kyvo::app {

// Signed degrees as "ddd° mm' s.ss\"": degrees, minutes and seconds each keep
// the sign of the value, so 48.1173 reads 048° 07' 2.28" and -48.1173
// reads -48° -7' -2.28".
std::string degreesText(double degrees);

// The GPS box lines: the degrees text and " N" when the latitude is above 0,
// else " S"; " E" when the longitude is above 0, else " W".
std::string latitudeLine(double latitude);
std::string longitudeLine(double longitude);

// "X : 0.125" (three decimals) for the axis letter 'X', 'Y' or 'Z'.
std::string gsensorValueText(char axis, double value);

// Print-out: "<label>: yyyy/mm/dd  hh:mm:ss", the fix's UTC date and time
// turned into local time. A date or time that is missing or not a real
// moment shows zeros: "<label>: 0000/00/00  00:00:00".
std::string dateTimeText(const RmcFix& fix, std::string_view dateLabel);

// Print-out: "<position> <latitude>: <degrees>   <longitude>: <degrees>",
// the degrees texts without hemisphere letters.
std::string positionPrintText(const RmcFix& fix, std::string_view positionLabel, std::string_view latitudeLabel,
                              std::string_view longitudeLabel);

// Print-out: "GSensor X: 0.125     Y: -1.000     Z: 0.980"; empty when a
// value lies outside -8..8 g.
std::string gsensorPrintText(double x, double y, double z);

} // namespace kyvo::app
