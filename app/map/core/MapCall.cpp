#include "MapCall.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

namespace kyvo::map {

namespace {

// Room for the sign, the 3 integer digits of a longitude, the point and the
// decimals, with plenty to spare.
constexpr std::size_t kDegreesTextCapacity = 32;
constexpr std::string_view kCallOpen = "('";
constexpr std::string_view kCallSeparator = "', '";
constexpr std::string_view kCallClose = "')";

} // namespace

bool coordinatesInRange(double latitude, double longitude) {
    return std::isfinite(latitude) && std::isfinite(longitude) && std::fabs(latitude) <= kLatitudeLimit &&
           std::fabs(longitude) <= kLongitudeLimit;
}

void appendDegrees(std::string& out, double degrees) {
    char text[kDegreesTextCapacity];
    const auto result = std::to_chars(text, text + sizeof text, degrees, std::chars_format::fixed, kCoordinateDecimals);
    // Finite degrees always fit; a number that does not is left out rather than cut.
    if (result.ec == std::errc{})
        out.append(text, result.ptr);
}

std::optional<std::string> updateMapCall(double latitude, double longitude) {
    if (!coordinatesInRange(latitude, longitude))
        return std::nullopt;
    std::string call(kUpdateMapFunction);
    call += kCallOpen;
    appendDegrees(call, latitude);
    call += kCallSeparator;
    appendDegrees(call, longitude);
    call += kCallClose;
    return call;
}

std::optional<std::pair<double, double>> pushablePosition(const app::RmcFix& fix) {
    const std::string_view status(fix.status, strnlen(fix.status, sizeof fix.status));
    if (status != kRmcValidStatus || app::fixVoid(fix) || !app::positionDrawable(fix))
        return std::nullopt;
    if (!coordinatesInRange(fix.latitude, fix.longitude))
        return std::nullopt;
    return std::pair{fix.latitude, fix.longitude};
}

} // namespace kyvo::map
