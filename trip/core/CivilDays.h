#pragma once
// Days from 1970-01-01 to a civil date of the proleptic Gregorian calendar.

namespace kyvo::trip {

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
