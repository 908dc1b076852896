#pragma once
// The telemetry box of a recording and its per-frame entries.
//
// A recording holds, among its top-level boxes (32-bit big-endian size, whole
// box included, then a four-character type), one "udat" box: one 156-byte entry
// per ten frames after its 8-byte header.
//
//     0    4  time tag   "TIME" or "RTCD"
//     4    4  time value (not interpreted here)
//     8    4  "GPSI"
//    12  128  NUL-terminated NMEA sentence
//   140    4  "SENS"
//   144   12  G-sensor x, y, z: three little-endian 32-bit floats
//
// readTelemetryBox finds the box and copies it (and whatever follows it up to
// the end of the file) into a buffer; MVOXUDAT then hands out the entry of each
// shown frame from that copy.

#include "RecordingFile.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kyvo::player {

namespace udat {
inline constexpr std::size_t kHeaderSize = 8; // size word + type
inline constexpr std::size_t kSizeOffset = 0;
inline constexpr std::size_t kTypeOffset = 4;
inline constexpr std::size_t kWordSize = 4;

inline constexpr std::size_t kEntrySize = 156;
inline constexpr std::size_t kFirstEntryOffset = kHeaderSize;
// Frame 1 reads the second entry, as frame 11 does; the first entry is never read.
inline constexpr std::size_t kFrameOneEntryOffset = kFirstEntryOffset + kEntrySize;
inline constexpr std::size_t kTimeTagOffset = 0;
inline constexpr std::size_t kGpsTagOffset = 8;
inline constexpr std::size_t kGpsRecordOffset = 12;
inline constexpr std::size_t kGpsRecordSize = 128;
inline constexpr std::size_t kSensorTagOffset = 140;
inline constexpr std::size_t kSensorRecordOffset = 144;
inline constexpr std::size_t kSensorRecordSize = 12;
static_assert(kSensorRecordOffset + kSensorRecordSize == kEntrySize);

// The telemetry changes every ten frames, on frames 1, 11, 21, ...
inline constexpr std::uint32_t kFramesPerEntry = 10;
inline constexpr std::uint32_t kEntryFrameRemainder = 1;

// Files whose size plus one exceeds this many bytes are refused (the recorder's
// viewer once read whole files into a buffer of this size).
inline constexpr std::uint64_t kFileBufferSize = 620'000'000;
} // namespace udat

enum class ViewMode : int { General = 0, Encrypted = 1 };

enum TelemetryBoxResult : int {
    kTelemetryCopied = 0,
    kNoFileName = 1,
    kOpenFailed = 2,
    kReadFailed = 3,
    kSizeQueryFailed = 4,
    kNoFileBuffer = 5, // kept for the numbering; nothing answers it since no file buffer is allocated
    kEmptyFile = 6,
    kNoTelemetryBox = 7,
    kTelemetryBoxTooShort = 8,
    kFileTooLarge = 9,
    kEncryptedInGeneralMode = 10, // a scrambled recording in the general view mode: message 114, then quit
    kGeneralInEncryptedMode = 11, // a plain recording in the encrypted view mode: message 115, then quit
    kNotARecordingFile = 12,      // neither plain nor scrambled: zero-filled, cut short or foreign (either mode)
    kKeyMismatch = 13,            // a scrambled recording in the encrypted view mode that the key does not restore
};

// Finds the "udat" box of the recording at `utf8Path` (empty: none) and copies
// everything from its header to the end of the file into `copy`, reusing its
// capacity. Answers a TelemetryBoxResult; `copy` is empty unless the answer is
// kTelemetryCopied. A recording is plain when the four bytes at offset 4 are
// "ftyp". A scrambled recording has something else there, and its first box's
// size word holds the real size XOR `key`, but the box headers after the first
// box are plain: a file without them (zero-filled, cut short, foreign) is
// kNotARecordingFile in either view mode. In the encrypted view mode a
// scrambled recording whose first header `key` does not restore to an "ftyp"
// box is kKeyMismatch (RecordingScramble.h).
//
// Only box headers and the copied bytes are read, with positioned reads; a
// recording is never loaded whole. Any MVOXUDAT viewing `copy` must be given
// clearData() before `copy` is filled again.
int readTelemetryBox(const std::string& utf8Path, ViewMode mode, std::uint32_t key, std::vector<std::uint8_t>& copy);
// The same on an opened source (no name or open checks).
int readTelemetryBox(const RecordingSource& file, ViewMode mode, std::uint32_t key, std::vector<std::uint8_t>& copy);

// The telemetry of the shown frame, from a copy made by readTelemetryBox.
//
// Threading: the per-frame calls (parseEntry, gpsRecord, sensorRecord) allocate
// nothing and may run on the playback library's callback thread; the caller
// serialises every call on one object (there is no locking inside). The copy
// must outlive the object's view of it (until clearData or the next setData).
class MVOXUDAT {
public:
    enum ParseResult : int {
        kParsed = 0,
        kNoData = 1,
        kBadEntry = 2, // wrong time tag, or the entry does not lie wholly inside the copy
        kBadGpsTag = 3,
        kBadSensorTag = 4,
    };
    static constexpr std::uint32_t kNoEntryLimit = 0xFFFFFFFF;

    // Views `copy` (empty: no data) and forgets the last parsed entry.
    void setData(std::span<const std::uint8_t> copy);
    void clearData() { setData({}); }
    // Frames at or above `frameCount` get no records (kNoEntryLimit: none is refused).
    void setEntryLimit(std::uint32_t frameCount) { entryLimit_ = frameCount; }
    // 1 when the last parsed entry failed, else 0.
    int failed() const { return failure_; }

    // Parses the entry of `frame` on frames 1, 11, 21, ...; other frames answer
    // kParsed and keep the last entry (and the failure flag). A failed parse
    // keeps the records it did not reach as they were: a bad time tag or a
    // missing entry keeps both, a bad sensor tag takes the new GPS record.
    int parseEntry(std::uint32_t frame);

    // The NUL-terminated sentence of the last parsed entry (128-byte record), or
    // nullptr. On frames 1, 11, 21, ... nothing at or above the entry limit, nor
    // a record outside the box's declared size.
    const char* gpsRecord(std::uint32_t frame) const;
    // The three little-endian floats of the last parsed entry (12 bytes), or
    // nullptr; on frames 1, 11, 21, ... nothing at or above the entry limit.
    const std::uint8_t* sensorRecord(std::uint32_t frame) const;

    // The box header words as the last parse read them (size big-endian; the
    // type as its four bytes read big-endian, "udat" = 0x75646174).
    std::uint32_t boxSize() const { return boxSize_; }
    std::uint32_t boxType() const { return boxType_; }

private:
    static bool isEntryFrame(std::uint32_t frame) {
        return frame % udat::kFramesPerEntry == udat::kEntryFrameRemainder;
    }
    bool belowLimit(std::uint32_t frame) const { return entryLimit_ == kNoEntryLimit || frame < entryLimit_; }

    int failure_ = 0;
    std::span<const std::uint8_t> data_; // the copy; empty when absent
    std::uint32_t entryLimit_ = kNoEntryLimit;
    std::uint32_t boxSize_ = 0;
    std::uint32_t boxType_ = 0;
    const char* gps_ = nullptr;            // inside data_, or nullptr
    const std::uint8_t* sensor_ = nullptr; // inside data_, or nullptr
};

} // namespace kyvo::player
