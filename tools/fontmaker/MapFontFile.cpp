#include "MapFontFile.h"

namespace kyvo::fontmaker {
namespace {

constexpr int kBitsPerByte = 8;
constexpr std::uint8_t kFirstBitMask = 0x80;

void put16(Bytes& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(Bytes& out, std::size_t at, std::uint32_t value) {
    put16(out, at, value);
    put16(out, at + 2, value >> 16);
}

// Sets the glyph's bits into out at `at`: bit k of the glyph (row * width + column)
// is bit 7 - k % 8 of byte k / 8.
void packGlyph(const FontGlyph& glyph, Bytes& out, std::size_t at) {
    for (std::size_t k = 0; k < glyph.pixels.size(); ++k)
        if (glyph.pixels[k])
            out[at + k / kBitsPerByte] |= static_cast<std::uint8_t>(kFirstBitMask >> (k % kBitsPerByte));
}

bool checkFont(const BitmapFont& font, std::string& error) {
    if (font.glyphs.size() > static_cast<std::size_t>(kMaxGlyphCount)) {
        error = "a font file holds at most " + std::to_string(kMaxGlyphCount) + " glyphs";
        return false;
    }
    if (font.cellWidth < 0 || font.cellWidth > kMaxCellSide || font.cellHeight < 0 || font.cellHeight > kMaxCellSide) {
        error = "the cell must be at most " + std::to_string(kMaxCellSide) + " pixels on a side";
        return false;
    }
    for (std::size_t i = 0; i < font.glyphs.size(); ++i) {
        const FontGlyph& glyph = font.glyphs[i];
        const bool widthFits = font.proportional ? glyph.width >= 0 && glyph.width <= kMaxCellSide
                                                 : glyph.width == font.cellWidth;
        if (!widthFits) {
            error = "glyph " + std::to_string(i) + " has width " + std::to_string(glyph.width) +
                    (font.proportional ? ", outside 0..255" : ", not the cell width");
            return false;
        }
        if (glyph.pixels.size() != static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(font.cellHeight)) {
            error = "glyph " + std::to_string(i) + " holds " + std::to_string(glyph.pixels.size()) +
                    " pixels, not width x cell height";
            return false;
        }
    }
    return true;
}

} // namespace

std::size_t glyphBitmapSize(int width, int height) {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(height) + kBitsPerByte - 1) / kBitsPerByte;
}

bool encodeFont(const BitmapFont& font, Bytes& out, std::string& error) {
    if (!checkFont(font, error))
        return false;
    const std::size_t count = font.glyphs.size();
    const std::size_t tables = font.proportional ? count + count * kOffsetEntrySize : 0;
    std::size_t bitmaps = 0;
    for (const FontGlyph& glyph : font.glyphs)
        bitmaps += glyphBitmapSize(glyph.width, font.cellHeight);

    out.assign(kFontHeaderSize + tables + bitmaps, 0);
    put16(out, 0, static_cast<std::uint32_t>(count));
    out[2] = font.proportional ? kFlagProportional : 0;
    out[3] = kBitsPerPixel;
    out[4] = static_cast<std::uint8_t>(font.cellWidth);
    out[5] = static_cast<std::uint8_t>(font.cellHeight);

    // Offsets count from the start of the body, so the first bitmap lies just
    // after the two tables.
    std::size_t bodyOffset = tables;
    for (std::size_t i = 0; i < count; ++i) {
        const FontGlyph& glyph = font.glyphs[i];
        if (font.proportional) {
            out[kFontHeaderSize + i] = static_cast<std::uint8_t>(glyph.width);
            put32(out, kFontHeaderSize + count + i * kOffsetEntrySize, static_cast<std::uint32_t>(bodyOffset));
        }
        packGlyph(glyph, out, kFontHeaderSize + bodyOffset);
        bodyOffset += glyphBitmapSize(glyph.width, font.cellHeight);
    }
    return true;
}

} // namespace kyvo::fontmaker
