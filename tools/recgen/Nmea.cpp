#include "Nmea.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace kyvo::recgen {
namespace {

constexpr std::string_view kPrefix = "$GPRMC";
constexpr char kChecksumMark = '*';
constexpr std::size_t kChecksumDigits = 2;
constexpr std::int64_t kMinuteSteps = 10000;  // ddmm.mmmm: four decimals of a minute
constexpr std::int64_t kDegreeSteps = 60 * kMinuteSteps;
constexpr std::int64_t kTenthsPerTurn = 3600;
constexpr std::uint32_t kMillisPerSecond = 1000;
constexpr std::uint32_t kSecondsPerMinute = 60;
constexpr std::uint32_t kMinutesPerHour = 60;
constexpr int kCentury = 2000;

// Field indexes after splitting the body at commas.
enum Field : std::size_t {
    kFieldTalker, kFieldTime, kFieldStatus, kFieldLat, kFieldNorthSouth, kFieldLon, kFieldEastWest,
    kFieldSpeed, kFieldCourse, kFieldDate, kFieldVariation, kFieldVariationSide, kFieldMode, kFieldCount
};

std::string formatAngle(double degrees, int degreeDigits) {
    const std::int64_t steps = std::llround(std::fabs(degrees) * static_cast<double>(kDegreeSteps));
    const std::int64_t whole = steps / kDegreeSteps;
    const std::int64_t minutes = (steps % kDegreeSteps) / kMinuteSteps;
    const std::int64_t fraction = steps % kMinuteSteps;
    char text[24];
    std::snprintf(text, sizeof text, "%0*lld%02lld.%04lld", degreeDigits, static_cast<long long>(whole),
                  static_cast<long long>(minutes), static_cast<long long>(fraction));
    return text;
}

std::string formatTenths(std::int64_t tenths) {
    char text[24];
    std::snprintf(text, sizeof text, "%03lld.%lld", static_cast<long long>(tenths / 10),
                  static_cast<long long>(tenths % 10));
    return text;
}

std::optional<double> toNumber(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<int> twoDigits(std::string_view text, std::size_t at) {
    if (at + 2 > text.size())
        return std::nullopt;
    const char a = text[at];
    const char b = text[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9')
        return std::nullopt;
    return (a - '0') * 10 + (b - '0');
}

// ddmm.mmmm or dddmm.mmmm followed by a hemisphere letter.
std::optional<double> parseAngle(std::string_view text, std::size_t degreeDigits, std::string_view hemisphere,
                                 char positive, char negative) {
    if (text.size() < degreeDigits + 2 || hemisphere.size() != 1)
        return std::nullopt;
    const auto degrees = toNumber(text.substr(0, degreeDigits));
    const auto minutes = toNumber(text.substr(degreeDigits));
    if (!degrees || !minutes || *minutes >= 60)
        return std::nullopt;
    const double value = *degrees + *minutes / 60.0;
    if (hemisphere[0] == positive)
        return value;
    if (hemisphere[0] == negative)
        return -value;
    return std::nullopt;
}

std::vector<std::string_view> splitFields(std::string_view body) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = body.find(',', start);
        fields.push_back(body.substr(start, comma - start));
        if (comma == std::string_view::npos)
            return fields;
        start = comma + 1;
    }
}

}  // namespace

std::uint8_t nmeaChecksum(std::string_view body) {
    std::uint8_t sum = 0;
    for (char c : body)
        sum ^= static_cast<std::uint8_t>(c);
    return sum;
}

std::string formatRmc(const RmcFix& fix) {
    const std::uint32_t seconds = fix.millisOfDay / kMillisPerSecond;
    char time[16];
    std::snprintf(time, sizeof time, "%02u%02u%02u.%03u", seconds / (kSecondsPerMinute * kMinutesPerHour),
                  seconds / kSecondsPerMinute % kMinutesPerHour, seconds % kSecondsPerMinute,
                  fix.millisOfDay % kMillisPerSecond);
    char date[16];
    std::snprintf(date, sizeof date, "%02d%02d%02d", fix.day, fix.month, fix.year % 100);
    const std::int64_t course = ((std::llround(fix.courseDeg * 10) % kTenthsPerTurn) + kTenthsPerTurn) % kTenthsPerTurn;

    std::string body = std::string(kPrefix.substr(1)) + ',' + time + ',' + (fix.valid ? 'A' : 'V') + ',' +
                       formatAngle(fix.latitudeDeg, 2) + ',' + (fix.latitudeDeg < 0 ? 'S' : 'N') + ',' +
                       formatAngle(fix.longitudeDeg, 3) + ',' + (fix.longitudeDeg < 0 ? 'W' : 'E') + ',' +
                       formatTenths(std::llround(std::fabs(fix.speedKnots) * 10)) + ',' + formatTenths(course) +
                       ',' + date + ",,," + (fix.valid ? 'A' : 'N');
    char checksum[4];
    std::snprintf(checksum, sizeof checksum, "%02X", nmeaChecksum(body));
    return '$' + body + kChecksumMark + checksum;
}

std::optional<RmcFix> parseRmc(std::string_view sentence) {
    const std::size_t mark = sentence.rfind(kChecksumMark);
    if (!sentence.starts_with(kPrefix) || mark == std::string_view::npos ||
        sentence.size() != mark + 1 + kChecksumDigits)
        return std::nullopt;
    const std::string_view body = sentence.substr(1, mark - 1);
    unsigned stated = 0;
    const std::string_view digits = sentence.substr(mark + 1);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), stated, 16);
    if (error != std::errc{} || end != digits.data() + digits.size() || stated != nmeaChecksum(body))
        return std::nullopt;

    const auto fields = splitFields(body);
    if (fields.size() != kFieldCount)
        return std::nullopt;
    RmcFix fix;
    const std::string_view time = fields[kFieldTime];
    const auto hours = twoDigits(time, 0);
    const auto minutes = twoDigits(time, 2);
    const auto seconds = toNumber(time.substr(std::min<std::size_t>(4, time.size())));
    if (!hours || !minutes || !seconds || *hours > 23 || *minutes > 59 || *seconds < 0 || *seconds >= 60)
        return std::nullopt;
    fix.millisOfDay = static_cast<std::uint32_t>(((*hours * 60 + *minutes) * 60) * 1000) +
                      static_cast<std::uint32_t>(std::llround(*seconds * 1000));

    const std::string_view status = fields[kFieldStatus];
    if (status != "A" && status != "V")
        return std::nullopt;
    fix.valid = status == "A";

    const auto lat = parseAngle(fields[kFieldLat], 2, fields[kFieldNorthSouth], 'N', 'S');
    const auto lon = parseAngle(fields[kFieldLon], 3, fields[kFieldEastWest], 'E', 'W');
    const auto speed = toNumber(fields[kFieldSpeed]);
    const auto course = toNumber(fields[kFieldCourse]);
    if (!lat || !lon || !speed || !course || *course < 0 || *course >= 360)
        return std::nullopt;
    fix.latitudeDeg = *lat;
    fix.longitudeDeg = *lon;
    fix.speedKnots = *speed;
    fix.courseDeg = *course;

    const std::string_view date = fields[kFieldDate];
    const auto day = twoDigits(date, 0);
    const auto month = twoDigits(date, 2);
    const auto year = twoDigits(date, 4);
    if (date.size() != 6 || !day || !month || !year || *day < 1 || *day > 31 || *month < 1 || *month > 12)
        return std::nullopt;
    fix.day = *day;
    fix.month = *month;
    fix.year = kCentury + *year;
    return fix;
}

}  // namespace kyvo::recgen
