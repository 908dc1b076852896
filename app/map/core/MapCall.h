#pragma once
// The script calls the viewer makes into its map page, and which positions may
// be pushed at all.
//
// The page's functions take their numbers as text, and the text reaches a
// script engine: only digits, a sign and a '.' ever go into it, with six
// decimals and a '.' decimal point whatever the C or C++ locale says.

#include "TelemetryFix.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace kyvo::map {

inline constexpr double kLatitudeLimit = 90.0;   // degrees either side of the equator
inline constexpr double kLongitudeLimit = 180.0; // degrees either side of the prime meridian
inline constexpr int kCoordinateDecimals = 6;

inline constexpr std::string_view kUpdateMapFunction = "updateMap";
inline constexpr std::string_view kRmcValidStatus = "A";

// True when both numbers are finite and inside the ranges above (the limits
// themselves included).
bool coordinatesInRange(double latitude, double longitude);

// Appends `degrees` as fixed-point text with six decimals ("-33.868800");
// `degrees` must be finite.
void appendDegrees(std::string& out, double degrees);

// "updateMap('<lat>', '<lon>')", or nothing when a number is not finite or out
// of range.
std::optional<std::string> updateMapCall(double latitude, double longitude);

// The position a fix lets the viewer push: only a valid fix (status exactly
// "A", hence not void), with both coordinates non-zero (zero is what the fix
// reads before the receiver has found anything) and inside their ranges.
// Latitude is signed degrees north, longitude signed degrees east.
std::optional<std::pair<double, double>> pushablePosition(const app::RmcFix& fix);

} // namespace kyvo::map
