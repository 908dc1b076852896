#include "CivilTime.h"

#include <array>
#include <cstdio>

namespace kyvo::recgen {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kSecondsPerHour = 3600;
constexpr std::int64_t kSecondsPerMinute = 60;
constexpr int kMinYear = 1970;
constexpr int kMaxYear = 2099;

// Day counts from the proleptic Gregorian calendar (H. Hinnant's algorithms).
std::int64_t daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int daysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

std::optional<int> digits(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::int64_t toSeconds(const CivilTime& t) {
    return daysFromCivil(t.year, t.month, t.day) * kSecondsPerDay + t.hour * kSecondsPerHour +
           t.minute * kSecondsPerMinute + t.second;
}

CivilTime fromSeconds(std::int64_t seconds) {
    std::int64_t days = seconds / kSecondsPerDay;
    std::int64_t rest = seconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t doe = days - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    CivilTime t;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2 ? 1 : 0));
    t.hour = static_cast<int>(rest / kSecondsPerHour);
    t.minute = static_cast<int>(rest % kSecondsPerHour / kSecondsPerMinute);
    t.second = static_cast<int>(rest % kSecondsPerMinute);
    return t;
}

CivilTime addSeconds(const CivilTime& time, std::int64_t seconds) { return fromSeconds(toSeconds(time) + seconds); }

std::optional<CivilTime> parseCivilTime(std::string_view text) {
    // YYYY-MM-DD hh:mm:ss
    constexpr std::size_t kLength = 19;
    if (text.size() != kLength || text[4] != '-' || text[7] != '-' || (text[10] != ' ' && text[10] != 'T') ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const auto year = digits(text, 0, 4);
    const auto month = digits(text, 5, 2);
    const auto day = digits(text, 8, 2);
    const auto hour = digits(text, 11, 2);
    const auto minute = digits(text, 14, 2);
    const auto second = digits(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second)
        return std::nullopt;
    if (*year < kMinYear || *year > kMaxYear || *month < 1 || *month > 12 || *day < 1 ||
        *day > daysInMonth(*year, *month) || *hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;
    return CivilTime{*year, *month, *day, *hour, *minute, *second};
}

std::string formatSlashed(const CivilTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

}  // namespace kyvo::recgen
