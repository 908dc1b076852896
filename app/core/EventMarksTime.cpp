#include "EventMarks.h"
#include "PlaybackControls.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace kyvo::app {

namespace {

// The file name follows the last "/" (or the last "\" of a Windows path).
constexpr std::u16string_view kPathSeparators = u"/\\";
constexpr std::size_t kStartTimeAfterMark = 10;   // "_yyyymmdd_" before hhmmss
constexpr std::size_t kHhmmssDigits = 6;
// Offsets of h, h, m, m, s, s from the "/" before "dd hh:mm:ss".
constexpr std::array<std::size_t, kHhmmssDigits> kEventTimeOffsets{4, 5, 7, 8, 10, 11};
constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;

template <typename Char>
bool isDigit(Char c) {
    return c >= Char('0') && c <= Char('9');
}

} // namespace

int startTimeOf(std::u16string_view path) {
    const std::size_t lastSeparator = path.find_last_of(kPathSeparators);
    const std::u16string_view name = lastSeparator == std::u16string_view::npos ? path : path.substr(lastSeparator + 1);
    const std::size_t mark = name.find(u'_');
    if (mark == std::u16string_view::npos || name.size() - mark < kStartTimeAfterMark + kHhmmssDigits)
        return -1;
    int t = 0;
    for (const char16_t c : name.substr(mark + kStartTimeAfterMark, kHhmmssDigits)) {
        if (!isDigit(c))
            return -1;
        t = t * 10 + (c - u'0');
    }
    return t;
}

int eventTimeOf(const EventRecord& record) {
    const char* bytes = record.bytes.data();
    const auto textLength = static_cast<std::size_t>(
        std::find(record.bytes.begin(), record.bytes.end(), '\0') - record.bytes.begin());
    const std::string_view text(bytes, textLength);
    const std::size_t first = text.find('/');
    if (first == std::string_view::npos)
        return -1;
    const std::string_view after = text.substr(first + 1, kEventTextLimit);
    const std::size_t second = after.find('/');
    if (second == std::string_view::npos || after.size() - second <= kEventTimeOffsets.back())
        return -1;
    int t = 0;
    for (const std::size_t offset : kEventTimeOffsets) {
        const char c = after[second + offset];
        if (!isDigit(c))
            return -1;
        t = t * 10 + (c - '0');
    }
    return t;
}

int secondsOfDay(int hhmmss) {
    return hhmmss / 10000 * kSecondsPerHour + hhmmss / 100 % 100 * kSecondsPerMinute + hhmmss % 100;
}

std::vector<int> markPositions(const std::vector<EventRecord>& records, int startTime, int length) {
    std::vector<int> xs;
    if (startTime < 0 || length <= 0)
        return xs;
    const int start = secondsOfDay(startTime);
    for (const EventRecord& record : records) {
        const int t = eventTimeOf(record);
        if (t < 0)
            continue;
        const int d = secondsOfDay(t) - start;
        if (d < 0)
            break;
        if (d == 0)
            continue;
        xs.push_back(static_cast<int>(std::int64_t{d} * kProgressMax / length) + kEventMarkLeft);
    }
    return xs;
}

} // namespace kyvo::app
