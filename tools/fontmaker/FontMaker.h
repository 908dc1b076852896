#pragma once
// The map fonts from one outline face, size by size:
//  1. the single-byte set: code points 32..126;
//  2. the two-byte set: every Big5 code in index order, through code page
//     950 to Unicode; a code without a mapping or without a glyph in the
//     face stays blank (never a substitute box);
//  3. the two-byte cell width is the advance most of its glyphs share; a
//     glyph whose ink is wider is rendered again at the largest smaller size
//     at which it fits;
//  4. both sets get one baseline and cell height (GlyphLayout.h), the
//     single-byte set proportional, the two-byte set fixed-width.
// The same face and sizes always give the same bytes.

#include "Cp950Decoder.h"
#include "GlyphLayout.h"
#include "GlyphRasteriser.h"
#include "MapFontFile.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kyvo::fontmaker {

struct MapFace {
    const char* name; // the face name the map drawing asks for
    int pixelSize;
};

// The faces the map drawing uses.
inline constexpr MapFace kMapFaces[] = {{"MingTi12", 12}, {"MingTi14", 14}, {"MingTi15", 15}};
inline constexpr const char* kSingleByteSuffix = ".0";
inline constexpr const char* kDoubleByteSuffix = ".1";

struct FaceReport {
    int embedded = 0;  // glyphs taken from an embedded strike
    int rendered = 0;  // glyphs rendered from outlines
    int blank = 0;     // codes left blank: no mapping or no glyph in the face
    int shrunk = 0;    // two-byte glyphs rendered smaller to fit the cell
    int baseline = 0;
};

struct MadeFace {
    BitmapFont singleByte;
    BitmapFont doubleByte;
    FaceReport report;
};

// Makes both sets at one pixel size. The rasteriser's size is left at
// `pixelSize`.
bool makeFace(GlyphRasteriser& rasteriser, Cp950Decoder& big5, int pixelSize, MadeFace& face, std::string& error);

// Writes "<name>.0" and "<name>.1" into the folder (made when missing).
bool writeFace(const std::filesystem::path& folder, const std::string& name, const MadeFace& face, std::string& error);

// One line on a made face: sizes, cells and glyph counts.
std::string describeFace(const std::string& name, const MadeFace& face);

} // namespace kyvo::fontmaker
