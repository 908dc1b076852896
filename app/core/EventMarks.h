#pragma once
// Event marks of an event recording: the recorder stores one 256-byte text
// record per event, "yyyy/mm/dd hh:mm:ss ...", in an "EVTI" box behind the
// movie. The progress bar shows a mark where each event happened, measured
// from the start time in the file name (drf_yyyymmdd_hhmmss).
//
// Finding the box: the file is scanned from its start in 4-byte steps for the
// type "EVTI" whose preceding word is the box size (big-endian, header
// included). Only the first such box counts. A box that claims more records
// than the file holds gives the whole records that are in the file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace kyvo::app {

inline constexpr std::size_t kEventRecordSize = 256;
inline constexpr std::size_t kEventBoxHeaderSize = 8;   // size + type
inline constexpr std::size_t kEventScanStep = 4;
// The event text after the first "/" is kept to this many bytes.
inline constexpr std::size_t kEventTextLimit = 128;
// Where the marks are drawn: x = seconds x 360 / length + kEventMarkLeft.
inline constexpr int kEventMarkLeft = 44;
inline constexpr int kEventMarkTop = 466;
inline constexpr int kEventMarkSize = 19;
// Files are read this many bytes at a time.
inline constexpr std::size_t kEventScanChunk = std::size_t{1} << 20;

struct EventRecord {
    std::array<char, kEventRecordSize> bytes{};
};

// The records of the first event box in `file`; none without a box.
std::vector<EventRecord> readEventMarks(std::span<const std::uint8_t> file);
// The same for a file on disk, read in chunks of `chunkBytes` (a multiple of
// 4) so the whole recording is never held. None when the file cannot be read.
std::vector<EventRecord> readEventMarksFromFile(const std::filesystem::path& path,
                                                std::size_t chunkBytes = kEventScanChunk);

// hhmmss of the recording's start: the six characters ten after the first "_"
// of the path, or -1 when they are missing or not all digits. The first "_"
// of the whole path counts, so a folder name holding "_" usually gives -1 (no
// marks are drawn) and, if digits happen to stand there, a wrong time.
int startTimeOf(std::u16string_view path);
// hhmmss of an event record, or -1 for a malformed record: the characters 4,
// 5, 7, 8, 10 and 11 after the second "/" of the text "yyyy/mm/dd hh:mm:ss"
// (the first "/" and the kEventTextLimit bytes after it).
int eventTimeOf(const EventRecord& record);
// Seconds since midnight of an hhmmss number.
int secondsOfDay(int hhmmss);

// The x of each mark on the progress bar, in record order. The time of an
// event is its seconds from the start time; an event at the start draws
// nothing, an event before it ends the marks (an event past midnight counts
// as before the start). Malformed records are skipped. No marks without a
// start time or a length.
std::vector<int> markPositions(const std::vector<EventRecord>& records, int startTime, int length);

} // namespace kyvo::app
