#include "TelemetryFix.h"

#include "FieldSplitter.h"
#include "TelemetryFormat.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

namespace kyvo::app {

namespace {

constexpr char kFieldSeparator = ',';
constexpr std::string_view kSouth = "S";
constexpr std::string_view kWest = "W";
constexpr std::string_view kVoidStatus = "V";
constexpr std::string_view kBlanks = " \t\n\v\f\r";
constexpr double kMinutesPerDegree = 60.0;
constexpr double kDegreeDigitsScale = 100.0; // ddmm: degrees are the hundreds
constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kNeedleAngleOffset = 90.0; // course 0 is up, angle 0 is right

template <std::size_t N>
void takeText(FieldSplitter& fields, char (&buffer)[N]) {
    std::string field;
    fields.next(field, N - 1);
    std::memcpy(buffer, field.data(), field.size());
    buffer[field.size()] = '\0';
}

std::string takeField(FieldSplitter& fields) {
    std::string field;
    fields.next(field, kRmcNumberLength);
    return field;
}

double takeNumber(FieldSplitter& fields) {
    return readNmeaNumber(takeField(fields));
}

} // namespace

double readNmeaNumber(std::string_view text) {
    std::size_t pos = text.find_first_not_of(kBlanks);
    if (pos == std::string_view::npos)
        return 0;
    bool negative = false;
    if (text[pos] == '+' || text[pos] == '-') {
        negative = text[pos] == '-';
        ++pos;
    }
    // from_chars takes a "-" of its own; atof does not read a second sign.
    if (pos >= text.size() || text[pos] == '-' || text[pos] == '+')
        return 0;
    double value = 0;
    const auto result = std::from_chars(text.data() + pos, text.data() + text.size(), value);
    if (result.ec != std::errc{} || !std::isfinite(value))
        return 0;
    return negative ? -value : value;
}

bool decodeRmc(std::string_view sentence, RmcFix& fix) {
    if (!sentence.starts_with(kRmcPrefix))
        return false;
    fix = RmcFix{};
    FieldSplitter fields(sentence, kFieldSeparator);
    fields.skip();
    takeText(fields, fix.time);
    takeText(fields, fix.status);
    fix.latitude = nmeaToDegrees(takeNumber(fields));
    if (takeField(fields) == kSouth)
        fix.latitude = -fix.latitude;
    fix.longitude = nmeaToDegrees(takeNumber(fields));
    if (takeField(fields) == kWest)
        fix.longitude = -fix.longitude;
    fix.speedKnots = takeNumber(fields);
    fix.course = takeNumber(fields);
    takeText(fields, fix.date);
    return true;
}

double nmeaToDegrees(double ddmm) {
    double whole = 0;
    const double fraction = std::modf(ddmm / kDegreeDigitsScale, &whole);
    return fraction * kDegreeDigitsScale / kMinutesPerDegree + whole;
}

bool positionDrawable(const RmcFix& fix) {
    return fix.latitude != 0 && fix.longitude != 0;
}

bool fixVoid(const RmcFix& fix) {
    return std::string_view(fix.status, strnlen(fix.status, sizeof fix.status)) == kVoidStatus;
}

std::pair<int, int> headingVector(double course) {
    const double theta = (course - kNeedleAngleOffset) * kRadiansPerDegree;
    return {truncToInt(std::cos(theta) * kHeadingNeedleLength), truncToInt(std::sin(theta) * kHeadingNeedleLength)};
}

} // namespace kyvo::app
