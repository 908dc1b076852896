#pragma once
// Reads the top-level boxes of a recording and decodes the telemetry and event
// boxes. Every read is bounds-checked: a damaged or foreign file yields what
// could be read plus a description of where it went wrong, never a crash.

#include "BoxLayout.h"
#include "ByteSource.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kyvo::recgen {

struct BoxInfo {
    FourCc type{};
    std::uint64_t offset = 0;
    std::uint64_t size = 0;        // whole box, header included
    std::uint32_t headerSize = 0;  // 8, or 16 with a 64-bit size

    std::uint64_t payloadOffset() const { return offset + headerSize; }
    std::uint64_t payloadSize() const { return size - headerSize; }
};

struct BoxList {
    std::vector<BoxInfo> boxes;
    bool complete = true;  // false when the walk stopped before the end of the source
    std::string problem;   // why it stopped, for messages and tests

    const BoxInfo* find(const FourCc& type) const;
};

struct UdatContents {
    std::vector<TelemetryEntry> entries;
    std::size_t malformedEntries = 0;  // missing GPSI/SENS markers or an unterminated sentence
    std::size_t trailingBytes = 0;     // payload bytes after the last whole entry
};

// Walks the top-level boxes. A size of 1 takes the 64-bit size after the
// type; a size of 0 means "to the end of the source".
BoxList listBoxes(const ByteSource& source);

// The payload of `box`, or nothing when it lies outside the source or is larger
// than `limit` bytes.
constexpr std::uint64_t kDefaultPayloadLimit = 64ULL << 20;
std::optional<std::vector<std::uint8_t>> readPayload(const ByteSource& source, const BoxInfo& box,
                                                     std::uint64_t limit = kDefaultPayloadLimit);

UdatContents decodeUdatPayload(std::span<const std::uint8_t> payload);
// The texts of the 256-byte event records (each up to its first NUL).
std::vector<std::string> decodeEventPayload(std::span<const std::uint8_t> payload);

// Finds the EVTI box the way the viewer does: in 4-byte steps from the start,
// the word "EVTI" preceded by a size that fits the file. Answers the offset of
// the size field.
std::optional<std::uint64_t> scanForEventBox(const ByteSource& source);

// Everything recgen appended, read back from one source.
struct RecordingContents {
    BoxList boxes;
    std::optional<UdatContents> telemetry;            // absent without a udat box
    std::optional<std::vector<std::string>> events;   // absent without an EVTI box
};
RecordingContents readRecording(const ByteSource& source);

}  // namespace kyvo::recgen
