#include "DemoTrack.h"

#include "TelemetryBox.h"
#include "TelemetryFix.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace kyvo::mapdemo {

namespace {

using namespace kyvo::player;

constexpr char kGpsTag[] = "GPSI";
constexpr double kSecondsPerMinute = 60;
constexpr double kSecondsPerHour = 3600;
constexpr double kSecondsPerDay = 86400;
// NMEA dates carry two year digits; the receivers in question date from 1980 on.
constexpr int kCenturyPivot = 80;
constexpr int kYear2000 = 2000;
constexpr int kYear1900 = 1900;
constexpr int kDateYearScale = 10000; // YYYYMMDD
constexpr int kDateMonthScale = 100;

bool isDigits(std::string_view text) {
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

int twoDigits(std::string_view text, std::size_t at) {
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

// "hhmmss[.sss]": false (and the fields left zero) when it has another form.
bool readTime(std::string_view text, TrackPoint& point, double& secondsOfDay) {
    if (text.size() < 6 || !isDigits(text.substr(0, 6)))
        return false;
    const int hour = twoDigits(text, 0);
    const int minute = twoDigits(text, 2);
    const int second = twoDigits(text, 4);
    if (hour > 23 || minute > 59 || second > 60) // 60: a leap second
        return false;
    double fraction = 0;
    if (text.size() > 6) {
        const std::string_view rest = text.substr(6);
        if (rest[0] != '.' || !isDigits(rest.substr(1)))
            return false;
        double scale = 0.1;
        for (char c : rest.substr(1)) {
            fraction += (c - '0') * scale;
            scale /= 10;
        }
    }
    point.hour = hour;
    point.minute = minute;
    point.second = second;
    secondsOfDay = hour * kSecondsPerHour + minute * kSecondsPerMinute + second + fraction;
    return true;
}

// "ddmmyy": the day count since 1970 and YYYYMMDD; false for anything else.
bool readDate(std::string_view text, TrackPoint& point, double& days) {
    if (text.size() != 6 || !isDigits(text))
        return false;
    const int yy = twoDigits(text, 4);
    const int year = yy < kCenturyPivot ? kYear2000 + yy : kYear1900 + yy;
    const std::chrono::year_month_day ymd{std::chrono::year(year),
                                          std::chrono::month(static_cast<unsigned>(twoDigits(text, 2))),
                                          std::chrono::day(static_cast<unsigned>(twoDigits(text, 0)))};
    if (!ymd.ok())
        return false;
    point.date = year * kDateYearScale + static_cast<int>(static_cast<unsigned>(ymd.month())) * kDateMonthScale +
                 static_cast<int>(static_cast<unsigned>(ymd.day()));
    days = std::chrono::sys_days(ymd).time_since_epoch().count();
    return true;
}

std::uint32_t readBe32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

std::string describeFailure(int result) {
    switch (result) {
    case kNoFileName:
        return "no file name given";
    case kOpenFailed:
        return "cannot be opened";
    case kReadFailed:
    case kSizeQueryFailed:
        return "cannot be read";
    case kEmptyFile:
        return "is empty";
    case kNoTelemetryBox:
    case kTelemetryBoxTooShort:
        return "holds no GPS telemetry (no udat box)";
    case kFileTooLarge:
        return "is too large";
    case kEncryptedInGeneralMode:
        return "is a scrambled recording; only plain recordings can be replayed";
    default:
        return "is not a recording of the recorder";
    }
}

} // namespace

std::optional<TrackPoint> trackPointFromRmc(std::string_view sentence) {
    app::RmcFix fix;
    if (!app::decodeRmc(sentence, fix) || app::fixVoid(fix) || !app::positionDrawable(fix))
        return std::nullopt;
    TrackPoint point;
    point.longitude = fix.longitude;
    point.latitude = fix.latitude;
    point.course = fix.course;
    double secondsOfDay = 0;
    double days = 0;
    if (!readTime(fix.time, point, secondsOfDay))
        secondsOfDay = 0;
    if (!readDate(fix.date, point, days))
        days = 0;
    point.clock = days * kSecondsPerDay + secondsOfDay;
    return point;
}

std::vector<TrackPoint> trackFromTelemetry(std::span<const std::uint8_t> box) {
    std::vector<TrackPoint> points;
    if (box.size() < udat::kHeaderSize)
        return points;
    const std::size_t declared = readBe32(box.data() + udat::kSizeOffset);
    const std::size_t end = std::min(box.size(), declared);
    for (std::size_t at = udat::kFirstEntryOffset; at + udat::kEntrySize <= end; at += udat::kEntrySize) {
        const std::uint8_t* entry = box.data() + at;
        if (std::memcmp(entry + udat::kGpsTagOffset, kGpsTag, udat::kWordSize) != 0)
            continue;
        const char* text = reinterpret_cast<const char*>(entry + udat::kGpsRecordOffset);
        if (auto point = trackPointFromRmc(std::string_view(text, strnlen(text, udat::kGpsRecordSize))))
            points.push_back(*point);
    }
    return points;
}

RecordingTrack readRecordingTrack(const std::string& path) {
    RecordingTrack track;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        track.error = path + ": no such file";
        return track;
    }
    if (std::filesystem::is_directory(path, error)) {
        track.error = path + ": is a folder, not a recording";
        return track;
    }
    std::vector<std::uint8_t> copy;
    const int result = readTelemetryBox(path, ViewMode::General, 0, copy);
    if (result != kTelemetryCopied) {
        track.error = path + ": " + describeFailure(result);
        return track;
    }
    track.points = trackFromTelemetry(copy);
    return track;
}

cartoframe::TGisPosition toPositionRecord(const TrackPoint& point) {
    cartoframe::TGisPosition record;
    record.longitude = static_cast<float>(point.longitude);
    record.latitude = static_cast<float>(point.latitude);
    record.heading = static_cast<float>(point.course);
    record.date = point.date;
    record.hour = point.hour;
    record.minute = point.minute;
    record.second = point.second;
    record.add = 1;
    return record;
}

cartoframe::TGisPosition clearTrackRecord() {
    return cartoframe::TGisPosition{}; // add flag 0: the map window clears its track
}

} // namespace kyvo::mapdemo
