// Text on the canvas: walking a byte string character by character, drawing
// one glyph in the font's style with image blits, and measuring.
//
// A glyph is drawn through the font's scratch image:
//   1. Opaque style: the glyph's cell (its width, one more column when bold,
//      by the cell height) is filled with the background colour.
//   2. Outline style: the glyph is unpacked in the outline colour and blitted
//      at the four neighbours (x - 1, y), (x, y - 1), (x, y + 1), (x + 1, y),
//      and for bold also at (x + 2, y), (x + 1, y - 1), (x + 1, y + 1).
//   3. The glyph is unpacked in the text colour and blitted at (x, y), and for
//      bold once more at (x + 1, y).
// Every unpack gives clear bits a key colour that differs from the colour of
// the set bits (that colour XOR 0x00C0C0), and every blit after the
// background skips the key, so one pass never hides the pixels of another.
#include "Canvas.h"
#include "CanvasPixels.h"
#include "FontGlyphs.h"
#include "Text.h"

#include <algorithm>
#include <climits>

namespace cartoframe {

using namespace text_detail;
using canvas_detail::kBytesPerPixel;
using canvas_detail::writePixel;

namespace {

constexpr TColor kKeyFlip = 0x00C0C0;
constexpr int kBig5LeadBase = 0xA1;
constexpr int kBig5RowGlyphs = 157;
constexpr int kBig5LowTrailBase = 0x40;
constexpr int kBig5HighTrailBase = 0x62;
constexpr int kBig5HighTrailFrom = 0x80;
// Glyphs this far from the origin lie outside every canvas; skipping them
// keeps the neighbour offsets clear of integer overflow.
constexpr long long kFarAway = 1LL << 30;

struct Offset {
    int dx;
    int dy;
};
constexpr Offset kOutlineRing[] = {{-1, 0}, {0, -1}, {0, 1}, {1, 0}};
constexpr Offset kOutlineRingBold[] = {{2, 0}, {1, -1}, {1, 1}};

// One character of a string: the font that holds it and its glyph index
// there, -1 when the font has no such glyph.
struct TextChar {
    const TFont* font = nullptr;
    int index = -1;
};

int glyphIndexInFont(const TFont* font, int index) { return index >= 0 && index < font->glyphCount ? index : -1; }

// The character at `p`, moving `p` past it; false at the string's end.
bool nextChar(const TText* text, const unsigned char*& p, TextChar& out) {
    while (*p != 0) {
        const unsigned char lead = *p;
        if (lead < G_TEXT_FIRST_PRINTABLE) {
            ++p;
            continue;
        }
        if (lead <= G_TEXT_LAST_SINGLE_BYTE) {
            ++p;
            out = {&text->ASCII, glyphIndexInFont(&text->ASCII, lead - G_TEXT_FIRST_PRINTABLE)};
            return true;
        }
        const unsigned char trail = p[1];
        if (trail == 0) {
            ++p; // a lead byte without its trail byte is dropped
            return false;
        }
        p += 2;
        const int trailBase = trail < kBig5HighTrailFrom ? kBig5LowTrailBase : kBig5HighTrailBase;
        const int index = (lead - kBig5LeadBase) * kBig5RowGlyphs + (trail - trailBase);
        out = {&text->DBCS, glyphIndexInFont(&text->DBCS, index)};
        return true;
    }
    return false;
}

bool isBold(const TFont* font) { return (font->style & G_TEXT_BOLD) != 0; }

int advanceOf(const TText* text, const TextChar& c) {
    if (c.index < 0)
        return text->letterSpacing;
    return g_GlyphWidth(c.font, c.index) + (isBold(c.font) ? 1 : 0) + text->letterSpacing;
}

// Fills the scratch image with the glyph's bits: set bits in `colour`, clear
// bits in `key`.
void unpackGlyph(TFont* font, int index, int width, TColor colour, TColor key) {
    TImage* image = font->pGlyph;
    image->width = static_cast<std::uint16_t>(width);
    image->height = font->cellHeight;
    const std::uint8_t* bits = glyphBits(font, index);
    std::uint8_t* pixel = g_ImagePixels(image);
    const int count = width * font->cellHeight;
    for (int bit = 0; bit < count; ++bit, pixel += kBytesPerPixel) {
        const bool set = (bits[bit >> 3] >> (7 - (bit & 7)) & 1) != 0;
        writePixel(pixel, set ? colour : key);
    }
}

void fillBackground(TCanvas* canvas, TFont* font, int width, int x, int y) {
    TImage* image = font->pGlyph;
    image->width = static_cast<std::uint16_t>(width);
    image->height = font->cellHeight;
    std::uint8_t* pixel = g_ImagePixels(image);
    for (int i = 0; i < width * font->cellHeight; ++i, pixel += kBytesPerPixel)
        writePixel(pixel, font->backColour);
    g_PutImage(canvas, x, y, image);
}

void drawGlyph(TCanvas* canvas, TFont* font, int index, int x, int y) {
    const int width = g_GlyphWidth(font, index);
    if (width <= 0)
        return;
    const bool bold = isBold(font);
    if ((font->style & G_TEXT_OPAQUE) != 0)
        fillBackground(canvas, font, width + (bold ? 1 : 0), x, y);
    if ((font->style & G_TEXT_OUTLINE) != 0) {
        const TColor outline = font->outlineColour & 0xFFFFFF;
        unpackGlyph(font, index, width, outline, outline ^ kKeyFlip);
        for (const Offset& o : kOutlineRing)
            g_PutImageKey(canvas, x + o.dx, y + o.dy, font->pGlyph, outline ^ kKeyFlip);
        if (bold)
            for (const Offset& o : kOutlineRingBold)
                g_PutImageKey(canvas, x + o.dx, y + o.dy, font->pGlyph, outline ^ kKeyFlip);
    }
    const TColor colour = font->textColour & 0xFFFFFF;
    unpackGlyph(font, index, width, colour, colour ^ kKeyFlip);
    g_PutImageKey(canvas, x, y, font->pGlyph, colour ^ kKeyFlip);
    if (bold)
        g_PutImageKey(canvas, x + 1, y, font->pGlyph, colour ^ kKeyFlip);
}

bool nearOrigin(long long x, long long y) { return x > -kFarAway && x < kFarAway && y > -kFarAway && y < kFarAway; }

} // namespace

int g_TextWidth(const TText* text, const char* str) {
    if (text == nullptr || str == nullptr)
        return 0;
    long long width = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(str);
    TextChar c;
    while (nextChar(text, p, c))
        width += advanceOf(text, c);
    return static_cast<int>(std::clamp<long long>(width, INT_MIN, INT_MAX));
}

int g_TextHeight(const TText* text) {
    if (text == nullptr)
        return 0;
    return text->lineSpacing + std::max(text->ASCII.cellHeight, text->DBCS.cellHeight);
}

int g_DrawText(TCanvas* canvas, TText* text, int x, int y, const char* str) {
    if (text == nullptr || str == nullptr)
        return x;
    long long penX = x;
    const auto* p = reinterpret_cast<const unsigned char*>(str);
    TextChar c;
    while (nextChar(text, p, c)) {
        if (c.index >= 0 && nearOrigin(penX, y)) {
            TFont* font = c.font == &text->ASCII ? &text->ASCII : &text->DBCS;
            drawGlyph(canvas, font, c.index, static_cast<int>(penX), y);
        }
        penX += advanceOf(text, c);
    }
    return static_cast<int>(std::clamp<long long>(penX, INT_MIN, INT_MAX));
}

} // namespace cartoframe
