// Event box target: the box is looked for in memory and in a file read in
// chunks of a size taken from the input; both must find the same records.
// The marks are then placed for a few recording lengths, and the start time
// is read from a path made of the input.
#include "EventMarks.h"
#include "FuzzTargets.h"
#include "FuzzTempFile.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

namespace kyvo::fuzz {

namespace {

using app::EventRecord;

// The file is read in chunks of 4 to 1020 bytes, or the reader's own size.
constexpr std::size_t kChunkWords = 255;
constexpr std::uint8_t kOwnChunkEvery = 8;
constexpr int kLengths[] = {1, 30, 180, 3600, INT_MAX};
constexpr std::u16string_view kCardPath = u"/media/u/NO_NAME/evt_20240612_081500.mov";
constexpr std::size_t kPathLimit = 300;   // input bytes turned into a path

bool sameRecords(const std::vector<EventRecord>& a, const std::vector<EventRecord>& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const auto& x, const auto& y) {
               return x.bytes == y.bytes;
           });
}

} // namespace

int eventMarksTarget(const std::uint8_t* data, std::size_t size) {
    const std::vector<EventRecord> records = app::readEventMarks({data, size});
    require(records.size() <= app::kMaxEventRecords, "the records are limited");
    require(records.size() <= size / app::kEventRecordSize, "the records are never more than the file holds");

    const std::string& path = writeScratchFile("evt_20240612_081500.mov", data, size);
    const std::uint8_t last = size == 0 ? 0 : data[size - 1];
    const std::size_t chunk =
        last % kOwnChunkEvery == 0 ? app::kEventScanChunk : app::kEventScanStep * (1 + last % kChunkWords);
    require(sameRecords(app::readEventMarksFromFile(path, chunk), records), "the file reader agrees");

    const int start = app::startTimeOf(kCardPath);
    require(start == 81500, "the start time comes from the file name");
    for (const EventRecord& record : records) {
        const int t = app::eventTimeOf(record);
        require(t >= -1 && t <= 999999, "an event time is six digits or none");
    }
    for (const int length : kLengths) {
        const std::vector<int> xs = app::markPositions(records, start, length);
        require(xs.size() <= records.size(), "at most one mark per record");
        for (const int x : xs)
            require(x >= app::kEventMarkLeft, "marks lie right of the bar's start");
    }

    // The input as a path: any text gives a time of six digits or none.
    std::u16string text;
    for (std::size_t i = 0; i < std::min(size, kPathLimit); ++i)
        text.push_back(static_cast<char16_t>(data[i]));
    const int fromText = app::startTimeOf(text);
    require(fromText >= -1 && fromText <= 999999, "a start time is six digits or none");
    return 0;
}

} // namespace kyvo::fuzz
