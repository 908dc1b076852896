#pragma once
// Font files written by the tests, and canvases read back as text pictures.
//
// Glyphs are drawn as rows of '#' (set) and '.' (clear). A coded font gives
// every glyph i the 16-bit number i + 1 in its first sixteen bits, so the
// glyph drawn at a place can be read back from the canvas.

#include "Canvas.h"
#include "CartoTestSupport.h"

#include <map>
#include <string>
#include <vector>

namespace cartoframe::test {

using GlyphArt = std::vector<std::string>;

// The glyph's bits, most significant first, row after row, unpadded.
inline Bytes packGlyph(const GlyphArt& rows) {
    Bytes out;
    int bit = 0;
    for (const std::string& row : rows)
        for (char c : row) {
            if (bit % 8 == 0)
                out.push_back(0);
            if (c == '#')
                out.back() |= static_cast<std::uint8_t>(0x80 >> (bit % 8));
            ++bit;
        }
    return out;
}

inline Bytes fontHeader(int count, bool proportional, int cellWidth, int cellHeight) {
    Bytes out;
    appendLe16(out, static_cast<std::uint16_t>(count));
    out.push_back(proportional ? 1 : 0);
    out.push_back(1); // bits per pixel
    out.push_back(static_cast<std::uint8_t>(cellWidth));
    out.push_back(static_cast<std::uint8_t>(cellHeight));
    appendLe16(out, 0);
    return out;
}

// Glyphs not in `art` are empty.
inline Bytes fixedFont(int count, int cellWidth, int cellHeight, const std::map<int, GlyphArt>& art) {
    Bytes out = fontHeader(count, false, cellWidth, cellHeight);
    const GlyphArt blank(static_cast<std::size_t>(cellHeight), std::string(static_cast<std::size_t>(cellWidth), '.'));
    for (int i = 0; i < count; ++i) {
        const auto found = art.find(i);
        const Bytes bits = packGlyph(found != art.end() ? found->second : blank);
        out.insert(out.end(), bits.begin(), bits.end());
    }
    return out;
}

// Each glyph as wide as its rows; glyphs not in `art` are 0 wide. The
// bitmaps are stored last glyph first, so offsets do not follow the order.
inline Bytes proportionalFont(int count, int cellWidth, int cellHeight, const std::map<int, GlyphArt>& art) {
    Bytes out = fontHeader(count, true, cellWidth, cellHeight);
    Bytes widths, offsets, bitmaps;
    std::vector<Bytes> bits(static_cast<std::size_t>(count));
    for (const auto& [index, rows] : art)
        bits[static_cast<std::size_t>(index)] = packGlyph(rows);
    // Bitmaps from the last glyph to the first, each glyph's offset where it lands.
    std::vector<std::size_t> at(static_cast<std::size_t>(count));
    std::size_t next = static_cast<std::size_t>(count) * 5;
    for (int i = count - 1; i >= 0; --i) {
        const Bytes& b = bits[static_cast<std::size_t>(i)];
        at[static_cast<std::size_t>(i)] = next;
        bitmaps.insert(bitmaps.end(), b.begin(), b.end());
        next += b.size();
    }
    for (int i = 0; i < count; ++i) {
        const auto found = art.find(i);
        widths.push_back(found != art.end() ? static_cast<std::uint8_t>(found->second[0].size()) : 0);
        appendLe32(offsets, static_cast<std::uint32_t>(at[static_cast<std::size_t>(i)]));
    }
    out.insert(out.end(), widths.begin(), widths.end());
    out.insert(out.end(), offsets.begin(), offsets.end());
    out.insert(out.end(), bitmaps.begin(), bitmaps.end());
    return out;
}

// A fixed font of 4-pixel-wide cells (at least four rows) whose glyph i
// shows the number i + 1 in its top four rows.
inline Bytes codedFont(int count, int cellHeight) {
    std::map<int, GlyphArt> art;
    for (int i = 0; i < count; ++i) {
        GlyphArt rows(static_cast<std::size_t>(cellHeight), "....");
        for (int bit = 0; bit < 16; ++bit)
            if ((i + 1) >> (15 - bit) & 1)
                rows[static_cast<std::size_t>(bit / 4)][static_cast<std::size_t>(bit % 4)] = '#';
        art[i] = rows;
    }
    return fixedFont(count, 4, cellHeight, art);
}

inline TColor colourAt(const TCanvas& canvas, int x, int y) {
    const std::uint8_t* p = canvas.pData + y * canvas.stride + x * 3;
    return static_cast<TColor>(p[0]) << 16 | static_cast<TColor>(p[1]) << 8 | p[2];
}

// The coded glyph whose cell starts at x, y (set bits in `ink`): its index,
// or -1 when the cell is blank.
inline int codedGlyphAt(const TCanvas& canvas, int x, int y, TColor ink) {
    int code = 0;
    for (int bit = 0; bit < 16; ++bit)
        code = code << 1 | (colourAt(canvas, x + bit % 4, y + bit / 4) == ink ? 1 : 0);
    return code - 1;
}

// The canvas as one line per row, each pixel shown by the letter its colour
// has in `legend`, '?' for any other colour.
inline std::string picture(const TCanvas& canvas, const std::map<TColor, char>& legend) {
    std::string out;
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            const auto found = legend.find(colourAt(canvas, x, y));
            out += found != legend.end() ? found->second : '?';
        }
        out += '\n';
    }
    return out;
}

} // namespace cartoframe::test
