#pragma once
// Reading dates and times: the value of a field of digits, and the days from
// 1970-01-01 to a civil date of the proleptic Gregorian calendar.

#include <string_view>

namespace kyvo::trip {

// The value of a field of decimal digits only, or -1 (also for an empty field).
constexpr int digitsValue(std::string_view text) {
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return text.empty() ? -1 : value;
}
static_assert(digitsValue("0615") == 615 && digitsValue("") == -1 && digitsValue("1a") == -1);

inline constexpr double kSecondsPerDay = 86400.0;

constexpr long long daysFromCivil(int year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<long long>(era) * 146097 + dayOfEra - 719468;
}
static_assert(daysFromCivil(1970, 1, 1) == 0);
static_assert(daysFromCivil(2024, 6, 12) == 19886);

} // namespace kyvo::trip
