#include "TelemetryFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace kyvo::app {

namespace {
// Enough for the widest fixed-point double (309 integer digits) with a few decimals.
constexpr std::size_t kFixedBufferSize = 352;
constexpr int kMaxPrecision = 17;
constexpr std::size_t kIntBufferSize = 24;
} // namespace

int truncToInt(double value) {
    constexpr double kMax = std::numeric_limits<int>::max();
    constexpr double kMin = std::numeric_limits<int>::min();
    if (std::isnan(value))
        return 0;
    if (value >= kMax)
        return std::numeric_limits<int>::max();
    if (value <= kMin)
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

std::string fixedText(double value, int precision) {
    if (precision < 0)
        precision = 0;
    if (precision > kMaxPrecision)
        precision = kMaxPrecision;
    char buffer[kFixedBufferSize];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    if (result.ec != std::errc{})
        return {};
    return std::string(buffer, result.ptr);
}

std::string paddedInt(int value, int width) {
    char buffer[kIntBufferSize];
    const int length = std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    if (length < 0)
        return {};
    return std::string(buffer, static_cast<std::size_t>(length) < sizeof buffer ? static_cast<std::size_t>(length)
                                                                                  : sizeof buffer - 1);
}

} // namespace kyvo::app
