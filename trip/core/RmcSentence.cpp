#include "RmcSentence.h"

#include "CivilDays.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>

namespace kyvo::trip {

namespace {

constexpr std::string_view kPrefixes[] = {"$GPRMC", "$GNRMC"};
constexpr std::size_t kChecksumDigits = 2;
constexpr int kFieldsNeeded = 10; // the talker and type, then nine fields up to the date

std::optional<double> decimal(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// ddmm.mmmm (two degree digits) or dddmm.mmmm (three) to degrees, or nothing.
std::optional<double> coordinate(std::string_view text, std::size_t degreeDigits, double limit) {
    const std::size_t dot = text.find('.');
    if (text.size() < degreeDigits + 2 || (dot != std::string_view::npos && dot != degreeDigits + 2))
        return std::nullopt;
    const int degrees = digitsValue(text.substr(0, degreeDigits));
    const auto minutes = decimal(text.substr(degreeDigits));
    if (degrees < 0 || !minutes || *minutes < 0 || *minutes >= 60)
        return std::nullopt;
    const double value = degrees + *minutes / 60.0;
    return value <= limit ? std::optional(value) : std::nullopt;
}

} // namespace

RmcReading readRmcSentence(std::string_view sentence) {
    RmcReading reading;
    bool known = false;
    for (const std::string_view prefix : kPrefixes)
        known = known || sentence.starts_with(prefix);
    if (!known)
        return reading;

    const std::size_t star = sentence.find('*');
    if (star == std::string_view::npos || star + 1 + kChecksumDigits > sentence.size()) {
        reading.status = SentenceStatus::BadChecksum;
        return reading;
    }
    std::uint8_t sum = 0;
    for (std::size_t i = 1; i < star; ++i)
        sum ^= static_cast<std::uint8_t>(sentence[i]);
    unsigned given = 0;
    const auto hex = sentence.substr(star + 1, kChecksumDigits);
    const auto parsed = std::from_chars(hex.data(), hex.data() + hex.size(), given, 16);
    if (parsed.ec != std::errc() || parsed.ptr != hex.data() + hex.size() || given != sum) {
        reading.status = SentenceStatus::BadChecksum;
        return reading;
    }

    std::array<std::string_view, kFieldsNeeded> fields{};
    std::string_view rest = sentence.substr(0, star);
    int count = 0;
    while (count < kFieldsNeeded) {
        const std::size_t comma = rest.find(',');
        fields[static_cast<std::size_t>(count++)] = rest.substr(0, comma);
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    reading.status = SentenceStatus::Malformed;
    if (count < kFieldsNeeded)
        return reading;
    const std::string_view time = fields[1];
    const std::string_view date = fields[9];
    if (time.size() < 6 || date.size() != 6)
        return reading;
    const int hours = digitsValue(time.substr(0, 2));
    const int minutes = digitsValue(time.substr(2, 2));
    const auto seconds = decimal(time.substr(4));
    const int day = digitsValue(date.substr(0, 2));
    const int month = digitsValue(date.substr(2, 2));
    const int year = digitsValue(date.substr(4, 2));
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || !seconds || *seconds < 0 || *seconds >= 61 ||
        day < 1 || day > 31 || month < 1 || month > 12 || year < 0)
        return reading;
    if (fields[2] != "A" && fields[2] != "V")
        return reading;
    const auto latitude = coordinate(fields[3], 2, 90);
    const auto longitude = coordinate(fields[5], 3, 180);
    const bool north = fields[4] == "N";
    const bool east = fields[6] == "E";
    if (!latitude || !longitude || (!north && fields[4] != "S") || (!east && fields[6] != "W"))
        return reading;
    const auto knots = fields[7].empty() ? std::optional(0.0) : decimal(fields[7]);
    const auto course = fields[8].empty() ? std::optional(0.0) : decimal(fields[8]);
    if (!knots || !course || *knots < 0 || *course < 0 || *course >= 360)
        return reading;

    // Two-digit years: 80..99 are 1980..1999, the rest 2000..2079.
    const int fullYear = year >= 80 ? 1900 + year : 2000 + year;
    reading.status = SentenceStatus::Fix;
    reading.valid = fields[2] == "A";
    reading.utcSeconds = static_cast<double>(daysFromCivil(fullYear, month, day)) * kSecondsPerDay + hours * 3600.0 +
                         minutes * 60.0 + *seconds;
    reading.latitude = north ? *latitude : -*latitude;
    reading.longitude = east ? *longitude : -*longitude;
    reading.speedKmh = *knots * kKmhPerKnot;
    reading.course = *course;
    return reading;
}

} // namespace kyvo::trip
