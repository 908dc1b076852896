#pragma once
// The top-level boxes the recorder appends behind the QuickTime movie, and the
// records inside them.
//
// "udat" telemetry box: 32-bit big-endian size (whole box, header included),
// the type, then one 156-byte entry per ten frames. Entry k describes the
// moment of frame 10k+1; there is one entry more than the frames need.
//
//     0    4  time tag   "TIME" (or "RTCD")
//     4    4  time       big-endian seconds since the start of the recording
//     8    4  "GPSI"
//    12  128  NUL-terminated NMEA $GPRMC sentence, zero-filled
//   140    4  "SENS"
//   144   12  G-sensor x, y, z in g: three little-endian 32-bit floats
//
// "EVTI" event box: size, type, then 256-byte records, each a NUL-terminated,
// zero-filled text "yyyy/mm/dd hh:mm:ss description". The viewer finds this box
// by walking the top-level boxes, and falls back to scanning the file in 4-byte
// steps; so that both find it, its size field sits at an offset that is a
// multiple of 4 and a "free" box pads the file to that boundary.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kyvo::recgen {

using FourCc = std::array<char, 4>;

constexpr FourCc fourCc(std::string_view text) { return {text[0], text[1], text[2], text[3]}; }
inline std::string toString(const FourCc& code) { return {code.begin(), code.end()}; }

namespace box {
constexpr FourCc kFtyp = fourCc("ftyp");
constexpr FourCc kUdat = fourCc("udat");
constexpr FourCc kEvti = fourCc("EVTI");
constexpr FourCc kFree = fourCc("free");

constexpr std::size_t kHeaderSize = 8;        // 32-bit size + type
constexpr std::size_t kLargeHeaderSize = 16;  // size field 1, type, 64-bit size
constexpr std::uint32_t kSizeIsLarge = 1;     // the 64-bit size follows the type
constexpr std::uint32_t kSizeToEnd = 0;       // the box runs to the end of the file
constexpr std::size_t kTypeOffset = 4;
constexpr std::size_t kEventAlignment = 4;
}  // namespace box

namespace entry {
constexpr FourCc kTimeTag = fourCc("TIME");
constexpr FourCc kClockTag = fourCc("RTCD");
constexpr FourCc kGpsTag = fourCc("GPSI");
constexpr FourCc kSensorTag = fourCc("SENS");

constexpr std::size_t kSize = 156;
constexpr std::size_t kTimeTagOffset = 0;
constexpr std::size_t kTimeOffset = 4;
constexpr std::size_t kGpsTagOffset = 8;
constexpr std::size_t kSentenceOffset = 12;
constexpr std::size_t kSentenceCapacity = 128;  // the text, its NUL and zero fill
constexpr std::size_t kSensorTagOffset = 140;
constexpr std::size_t kSensorOffset = 144;
constexpr std::size_t kAxisCount = 3;
constexpr std::size_t kAxisSize = 4;
constexpr int kFramesPerEntry = 10;
}  // namespace entry

namespace event {
constexpr std::size_t kRecordSize = 256;
constexpr std::size_t kTextCapacity = kRecordSize - 1;  // leaves room for the NUL
}  // namespace event

// One decoded (or to be encoded) telemetry entry.
struct TelemetryEntry {
    FourCc timeTag = entry::kTimeTag;
    std::uint32_t seconds = 0;
    std::string sentence;  // the $GPRMC text without its NUL
    std::array<float, entry::kAxisCount> g{};

    bool operator==(const TelemetryEntry&) const = default;
};

}  // namespace kyvo::recgen
