#include "DecimalField.h"

#include <limits>

namespace kyvo::app {

namespace {
bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
constexpr std::int64_t kDecimalBase = 10;
} // namespace

std::int32_t parseDecimalField(std::string_view field) {
    std::size_t at = 0;
    while (at < field.size() && isSpace(field[at]))
        ++at;
    bool negative = false;
    if (at < field.size() && (field[at] == '+' || field[at] == '-')) {
        negative = field[at] == '-';
        ++at;
    }
    // Accumulate the magnitude, stopping once it is past the int32 range.
    constexpr std::int64_t kMagnitudeLimit =
        static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t magnitude = 0;
    for (; at < field.size() && field[at] >= '0' && field[at] <= '9'; ++at) {
        magnitude = magnitude * kDecimalBase + (field[at] - '0');
        if (magnitude > kMagnitudeLimit)
            magnitude = kMagnitudeLimit;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

} // namespace kyvo::app
