#pragma once
// Where a character sits in the map fonts. The single-byte set holds the
// printable bytes 32..126 at index byte - 32. The two-byte set holds the Big5
// codes in Big5 order: 157 trail bytes per lead byte (0x40..0x7E, then
// 0xA1..0xFE), lead bytes 0xA1..0xF9; the index is
//     (lead - 0xA1) * 157 + (trail - 0x40)   for a trail below 0x80,
//     (lead - 0xA1) * 157 + (trail - 0x62)   otherwise,
// the rule by which the map library finds a glyph.

#include <cstdint>
#include <optional>

namespace kyvo::fontmaker {

inline constexpr int kSingleByteFirst = 32;
inline constexpr int kSingleByteLast = 126;
inline constexpr int kSingleByteGlyphCount = kSingleByteLast - kSingleByteFirst + 1; // 95

inline constexpr int kBig5LeadFirst = 0xA1;
inline constexpr int kBig5LeadLast = 0xF9;
inline constexpr int kBig5LowTrailFirst = 0x40;
inline constexpr int kBig5LowTrailLast = 0x7E;
inline constexpr int kBig5HighTrailFirst = 0xA1;
inline constexpr int kBig5HighTrailLast = 0xFE;
inline constexpr int kBig5HighTrailBase = 0x62; // 0xA1 - 63: high trails follow the 63 low ones
inline constexpr int kBig5TrailsPerLead = 157;
inline constexpr int kBig5GlyphCount = (kBig5LeadLast - kBig5LeadFirst + 1) * kBig5TrailsPerLead; // 13973

struct Big5Code {
    std::uint8_t lead = 0;
    std::uint8_t trail = 0;
    bool operator==(const Big5Code&) const = default;
};

// Index of a Big5 code in the two-byte set; empty for a byte pair that is
// not a Big5 code of the set (lead or trail outside its ranges).
std::optional<int> big5GlyphIndex(std::uint8_t lead, std::uint8_t trail);

// The Big5 code at an index of the two-byte set; empty outside 0..13972.
std::optional<Big5Code> big5CodeAt(int index);

} // namespace kyvo::fontmaker
