#pragma once
// Bitmap fonts and text of the map library.
//
// A face has two font files in the map folder: "<face>.0" holds the
// single-byte glyphs (characters 32 to 126, glyph index byte - 32) and
// "<face>.1" the two-byte glyphs in Big5 order. A font file is an 8-byte
// header followed by its body:
//
//     0  2  glyph count (little-endian)
//     2  1  flags: bit 0 set = proportional (width and offset tables follow)
//     3  1  bits per pixel, must be 1
//     4  1  cell width in pixels
//     5  1  cell height in pixels
//     6  2  (not read)
//     8  ... body
//
// A fixed-width body holds the glyphs one after another, each cell width *
// cell height bits rounded up to whole bytes. A proportional body holds
// glyph-count width bytes, then glyph-count 32-bit little-endian offsets of
// each glyph's bitmap counted from the start of the body, then the bitmaps;
// glyph i then holds width[i] * cell height bits. Bits run most significant
// first, row after row, without padding between rows.
//
// A file is checked whole before it is used (see g_CreateFontFromBytes); a
// refused file leaves the font empty. An empty font has no glyphs: its
// characters draw nothing and advance by the letter spacing only.
//
// Strings are byte strings ending in NUL. Bytes below 32 are skipped; 32 to
// 126 are single-byte characters; a byte above 126 is the lead byte of a
// two-byte character whose index in the two-byte font is
//     (lead - 0xA1) * 157 + (trail - 0x40)   for a trail byte below 0x80,
//     (lead - 0xA1) * 157 + (trail - 0x62)   otherwise.
// A lead byte followed by the string's end is dropped. A character without a
// glyph in its font (an index outside the font, or an empty font) draws
// nothing and advances by the letter spacing only; any other character
// advances by its glyph's width (the cell width in a fixed font), plus one
// when bold, plus the letter spacing. Measuring adds exactly these advances,
// so a measured label is as wide as its drawing.
//
// Single-threaded, like the rest of the library; a text record belongs to
// its caller.

#include "Canvas.h"

#include <cstdint>

namespace cartoframe {

inline constexpr int G_FONT_HEADER_SIZE = 8;
inline constexpr std::uint8_t G_FONT_PROPORTIONAL = 0x01; // header flags
inline constexpr int G_FONT_BITS_PER_PIXEL = 1;
inline constexpr int G_FONT_OFFSET_SIZE = 4; // bytes of one offset-table entry

// Style flags.
inline constexpr std::uint8_t G_TEXT_OPAQUE = 0x01;  // the glyph's cell filled with the background colour
inline constexpr std::uint8_t G_TEXT_BOLD = 0x02;    // the glyph drawn again one pixel to the right
inline constexpr std::uint8_t G_TEXT_OUTLINE = 0x08; // a one-pixel ring in the outline colour

inline constexpr TColor G_TEXT_DEFAULT_COLOUR = 0xFFFFFF;
inline constexpr TColor G_TEXT_DEFAULT_BACKGROUND = 0x000000;
inline constexpr TColor G_TEXT_DEFAULT_OUTLINE = 0x808080;

// The first byte of a two-byte character is above this.
inline constexpr unsigned char G_TEXT_LAST_SINGLE_BYTE = 126;
inline constexpr unsigned char G_TEXT_FIRST_PRINTABLE = 32;

// One font: the file's body in memory, its tables and the drawing style.
struct TFont {
    std::uint8_t cellWidth = 0;
    std::uint8_t cellHeight = 0;
    int glyphCount = 0;              // 0 for an empty font
    int glyphSize = 0;               // bytes of one glyph of a fixed-width font
    std::uint8_t* pFile = nullptr;   // the whole file, owned
    const std::uint8_t* pBody = nullptr;    // pFile + G_FONT_HEADER_SIZE
    int bodySize = 0;
    const std::uint8_t* pWidths = nullptr;  // proportional fonts: glyphCount widths
    const std::uint8_t* pOffsets = nullptr; // proportional fonts: glyphCount offsets
    TImage* pGlyph = nullptr;        // scratch image, (cell width + 1) x cell height
    TColor textColour = G_TEXT_DEFAULT_COLOUR;
    TColor backColour = G_TEXT_DEFAULT_BACKGROUND;
    TColor outlineColour = G_TEXT_DEFAULT_OUTLINE;
    std::uint8_t style = 0;
};

// A face: its single-byte font, its two-byte font (empty when the face has
// no .1 file) and the spacing between letters and between lines.
struct TText {
    TFont ASCII;
    TFont DBCS;
    int letterSpacing = 0;
    int lineSpacing = 0;
};

// --- Fonts ---

// Reads the font file `filename` from the map folder through the file store
// and checks it. The file is always loaded whole; `cache` (whether glyphs may
// be read on demand) is accepted for the callers' sake and has no effect.
// True when the font is ready; false, with a diagnostic line and the font
// empty, when the file is missing or refused.
bool g_CreateFont(TFont* font, const char* filename, int cache);
// The same from the file's bytes (copied); `name` only labels diagnostics.
// A file is refused when it is shorter than its header, its bits per pixel
// are not 1, its cell width or height is 0, its body is too short for the
// glyphs (fixed) or for the tables (proportional), a glyph is wider than the
// cell, or a glyph's offset and size reach outside the body.
bool g_CreateFontFromBytes(TFont* font, const std::uint8_t* bytes, int size, const char* name);
// Frees the font's memory and empties it (the style returns to the defaults).
// Safe on an empty font.
void g_DestroyFont(TFont* font);

// The width in pixels of glyph `index`, or -1 when the font has no such glyph.
int g_GlyphWidth(const TFont* font, int index);

// --- Text ---

// Loads "<face>.0" as the single-byte font and "<face>.1" as the two-byte
// font. A single-byte font that cannot be loaded is the fatal check
// "g_CreateFont(&text->ASCII, filename, cache)" and answers -1 with the
// record empty; a missing or refused two-byte font writes
// "g_CreateText: DBCS font not available!?\n" and leaves that font empty.
// Answers 0 otherwise. Spacings start at 0, the style at the defaults.
int g_CreateText(TText* text, const char* face, int cache);
void g_DestroyText(TText* text);

// Sets the style of both fonts of the face.
void g_SetTextStyle(TText* text, int flags, TColor textColour, TColor backColour, TColor outlineColour);
void g_SetTextSpacing(TText* text, int letterSpacing, int lineSpacing);

// The width of the string in pixels (the sum of its characters' advances).
int g_TextWidth(const TText* text, const char* str);
// The line height: line spacing + the larger cell height of the two fonts.
int g_TextHeight(const TText* text);

// Draws the string with the top-left corner of its first cell at x, y and
// answers the x after its last character.
int g_DrawText(TCanvas* canvas, TText* text, int x, int y, const char* str);

} // namespace cartoframe
