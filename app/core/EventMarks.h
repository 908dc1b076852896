#pragma once
// Event marks of an event recording: the recorder stores one 256-byte text
// record per event, "yyyy/mm/dd hh:mm:ss ...", in an "EVTI" box behind the
// movie. The progress bar shows a mark where each event happened, measured
// from the start time in the file name (evt_yyyymmdd_hhmmss.mov).
//
// Finding the box:
//   1. Walk the top-level boxes from the start of the file (32-bit big-endian
//      size, header included, then the four-character type; size 1: a 64-bit
//      size follows the type; size 0: the box runs to the end of the file).
//      The first "EVTI" box met is the one. A box smaller than its header or
//      reaching past the end of the file breaks the walk.
//   2. When the walk finds none (it broke, e.g. at a scrambled first box, or
//      a box running to the end of the file swallowed the event box), scan
//      the file from its start in 4-byte steps for the type "EVTI" whose
//      preceding word is a plausible box size: at least the 8-byte header and
//      the whole box inside the file. The first such match counts.
// Video data may hold "EVTI" anywhere; the walk never looks inside a box, and
// the scan skips matches whose size word does not fit the file.
//
// The records are the whole 256-byte records of the box's payload, at most
// kMaxEventRecords of them. Memory never grows with the size of the file
// beyond that: files are read in chunks through positioned reads.

#include "AppLayout.h"

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
// A recording holds a handful of events; a box claiming more than this many
// records is damaged, and only this many are read.
inline constexpr std::size_t kMaxEventRecords = 4096;
// The event text after the first "/" is kept to this many bytes.
inline constexpr std::size_t kEventTextLimit = 128;
// Files are scanned this many bytes at a time.
inline constexpr std::size_t kEventScanChunk = std::size_t{1} << 20;

struct EventRecord {
    std::array<char, kEventRecordSize> bytes{};
};

// The records of the event box in `file`; none without a box.
std::vector<EventRecord> readEventMarks(std::span<const std::uint8_t> file);
// The same for a file on disk: box headers and records are read where they
// lie, and the fallback scan goes through the file in chunks of `chunkBytes`
// (rounded down to a multiple of 4, at least 4), so the whole recording is
// never held. None when the file cannot be read.
std::vector<EventRecord> readEventMarksFromFile(const std::filesystem::path& path,
                                                std::size_t chunkBytes = kEventScanChunk);

// hhmmss of the recording's start, read from the file name (the text after
// the last "/" or "\" of the path): the six characters ten after the name's
// first "_", i.e. after "evt_yyyymmdd_". Folders above the file may hold "_"
// freely. -1 when the characters are missing or not all digits.
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
