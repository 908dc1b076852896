#include "TelemetryText.h"

#include "TelemetryFormat.h"
#include "TelemetryGraph.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace kyvo::app {

namespace {

constexpr double kMinutesPerDegree = 60.0;
constexpr double kSecondsPerMinute = 60.0;
constexpr int kDegreeWidth = 3;
constexpr int kMinuteWidth = 2;
constexpr int kSecondDecimals = 2;
constexpr int kGSensorDecimals = 3;
constexpr std::string_view kDegreeSign = "\u00B0 ";
constexpr std::string_view kMinuteSign = "' ";
constexpr std::string_view kSecondSign = "\"";
constexpr std::string_view kNorth = " N";
constexpr std::string_view kSouth = " S";
constexpr std::string_view kEast = " E";
constexpr std::string_view kWest = " W";
constexpr std::string_view kLabelSeparator = ": ";
constexpr std::string_view kPositionGap = "   ";
constexpr std::string_view kPrintGSensorPrefix = "GSensor ";
constexpr std::string_view kPrintAxisGap = "     ";
constexpr std::string_view kValueSeparator = " : ";

// ddmmyy and hhmmss: three two-digit numbers at the start of the text.
constexpr std::size_t kPairs = 3;
constexpr std::size_t kPairDigits = 2;
constexpr int kCentury = 2000;
constexpr int kTmYearBase = 1900;
constexpr int kMonths = 12;
constexpr int kHours = 24;
constexpr int kMinutes = 60;
constexpr int kSeconds = 60;
constexpr int kTextBufferSize = 96; // room for six full-width ints

struct Moment {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

template <std::size_t N>
std::string_view textOf(const char (&buffer)[N]) {
    return {buffer, strnlen(buffer, N)};
}

// The three two-digit numbers at the start of `text`; false when they are not all digits.
bool readPairs(std::string_view text, int (&pairs)[kPairs]) {
    if (text.size() < kPairs * kPairDigits)
        return false;
    for (std::size_t i = 0; i < kPairs; ++i) {
        const char tens = text[i * kPairDigits];
        const char units = text[i * kPairDigits + 1];
        if (tens < '0' || tens > '9' || units < '0' || units > '9')
            return false;
        pairs[i] = (tens - '0') * 10 + (units - '0');
    }
    return true;
}

// The fix's UTC date and time as a local calendar moment, if it is a real one.
bool localMoment(const RmcFix& fix, Moment& local) {
    int date[kPairs] = {};
    int time[kPairs] = {};
    if (!readPairs(textOf(fix.date), date) || !readPairs(textOf(fix.time), time))
        return false;
    std::tm utc{};
    utc.tm_mday = date[0];
    utc.tm_mon = date[1] - 1;
    utc.tm_year = date[2] + kCentury - kTmYearBase;
    utc.tm_hour = time[0];
    utc.tm_min = time[1];
    utc.tm_sec = time[2];
    if (utc.tm_mon < 0 || utc.tm_mon >= kMonths || utc.tm_mday < 1 || utc.tm_hour >= kHours ||
        utc.tm_min >= kMinutes || utc.tm_sec >= kSeconds)
        return false;
    const std::tm asGiven = utc;
    const std::time_t moment = timegm(&utc);
    // timegm carries 31 February into March: such a date is not a real one.
    if (moment == static_cast<std::time_t>(-1) || utc.tm_mday != asGiven.tm_mday || utc.tm_mon != asGiven.tm_mon)
        return false;
    std::tm shown{};
    if (localtime_r(&moment, &shown) == nullptr)
        return false;
    local = {shown.tm_year + kTmYearBase, shown.tm_mon + 1, shown.tm_mday, shown.tm_hour, shown.tm_min, shown.tm_sec};
    return true;
}

std::string withHemisphere(double degrees, std::string_view positive, std::string_view negative) {
    std::string line = degreesText(degrees);
    line.append(degrees > 0 ? positive : negative);
    return line;
}

} // namespace

std::string degreesText(double degrees) {
    double whole = 0;
    const double fraction = std::modf(degrees, &whole);
    double minutes = 0;
    const double minuteFraction = std::modf(fraction * kMinutesPerDegree, &minutes);
    const double seconds = minuteFraction * kSecondsPerMinute;
    std::string text = paddedInt(truncToInt(whole), kDegreeWidth);
    text.append(kDegreeSign).append(paddedInt(truncToInt(minutes), kMinuteWidth));
    text.append(kMinuteSign).append(fixedText(seconds, kSecondDecimals)).append(kSecondSign);
    return text;
}

std::string latitudeLine(double latitude) {
    return withHemisphere(latitude, kNorth, kSouth);
}

std::string longitudeLine(double longitude) {
    return withHemisphere(longitude, kEast, kWest);
}

std::string gsensorValueText(char axis, double value) {
    std::string text(1, axis);
    text.append(kValueSeparator).append(fixedText(value, kGSensorDecimals));
    return text;
}

std::string dateTimeText(const RmcFix& fix, std::string_view dateLabel) {
    Moment m;
    if (!localMoment(fix, m))
        m = {};
    char buffer[kTextBufferSize];
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d  %02d:%02d:%02d", m.year, m.month, m.day, m.hour, m.minute,
                  m.second);
    std::string text(dateLabel);
    text.append(kLabelSeparator).append(buffer);
    return text;
}

std::string positionPrintText(const RmcFix& fix, std::string_view positionLabel, std::string_view latitudeLabel,
                              std::string_view longitudeLabel) {
    std::string text(positionLabel);
    text.append(" ").append(latitudeLabel).append(kLabelSeparator).append(degreesText(fix.latitude));
    text.append(kPositionGap).append(longitudeLabel).append(kLabelSeparator).append(degreesText(fix.longitude));
    return text;
}

std::string gsensorPrintText(double x, double y, double z) {
    if (!gsensorInRange(x, y, z))
        return {};
    std::string text(kPrintGSensorPrefix);
    text.append("X").append(kLabelSeparator).append(fixedText(x, kGSensorDecimals));
    text.append(kPrintAxisGap).append("Y").append(kLabelSeparator).append(fixedText(y, kGSensorDecimals));
    text.append(kPrintAxisGap).append("Z").append(kLabelSeparator).append(fixedText(z, kGSensorDecimals));
    return text;
}

} // namespace kyvo::app
