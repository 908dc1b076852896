#pragma once
// The map library's bitmap font file, built in memory. One file holds one
// character set of one face: "<face>.0" the single-byte set, "<face>.1" the
// two-byte (Big5) set. Numbers are little-endian.
//
//   offset 0  16-bit glyph count
//          2  flags: bit 0 set = proportional (width and offset tables follow)
//          3  bits per pixel, always 1
//          4  cell width in pixels
//          5  cell height in pixels
//          6  16-bit zero (the library does not read it)
//   body from offset 8:
//     proportional: glyph-count bytes of widths, then glyph-count 32-bit
//                   offsets of each glyph's bitmap counted from offset 8, then
//                   the bitmaps;
//     fixed width:  glyph i at i * ((cell width * cell height + 7) / 8).
//   A glyph bitmap holds width x cell height bits, most significant bit
//   first, row after row without padding, rounded up to whole bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kyvo::fontmaker {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::size_t kFontHeaderSize = 8;
inline constexpr std::uint8_t kFlagProportional = 0x01;
inline constexpr std::uint8_t kBitsPerPixel = 1;
inline constexpr int kMaxGlyphCount = 0xFFFF;   // the 16-bit count field
inline constexpr int kMaxCellSide = 0xFF;       // the one-byte width and height fields
inline constexpr std::size_t kOffsetEntrySize = 4;

// One glyph as pixels: width x cell height values, 0 (clear) or 1 (set), row
// after row. In a fixed-width font every width equals the cell width.
struct FontGlyph {
    int width = 0;
    std::vector<std::uint8_t> pixels;
};

struct BitmapFont {
    int cellWidth = 0;
    int cellHeight = 0;
    bool proportional = false;
    std::vector<FontGlyph> glyphs;
};

// Bytes of one glyph bitmap of width x height bits.
std::size_t glyphBitmapSize(int width, int height);

// The file's bytes. Answers false with a message when the font does not fit
// the format (too many glyphs, a side above 255, a glyph whose pixel count
// does not match its width, a fixed-width glyph narrower or wider than the cell).
bool encodeFont(const BitmapFont& font, Bytes& out, std::string& error);

} // namespace kyvo::fontmaker
