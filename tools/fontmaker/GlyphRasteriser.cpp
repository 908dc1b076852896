#include "GlyphRasteriser.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

namespace kyvo::fontmaker {
namespace {

constexpr int kSubpixelShift = 6;         // FreeType's 26.6 fixed point
constexpr long kSubpixelHalf = 1L << (kSubpixelShift - 1);
constexpr int kBitsPerByte = 8;
constexpr unsigned kFirstBitMask = 0x80;
constexpr unsigned char kGrayInkThreshold = 128; // a grey strike counts its darker half as ink

// Monochrome hinting for outlines; embedded bitmaps are loaded when the size
// has a strike (the default unless FT_LOAD_NO_BITMAP is given).
constexpr FT_Int32 kLoadFlags = FT_LOAD_TARGET_MONO;

std::string freetypeError(const char* what, FT_Error code) {
    const char* text = FT_Error_String(code);
    return std::string(what) + ": " + (text ? text : "FreeType error " + std::to_string(code));
}

bool pixelSet(const FT_Bitmap& bitmap, unsigned row, unsigned column) {
    const unsigned char* line = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
        return (line[column / kBitsPerByte] & (kFirstBitMask >> (column % kBitsPerByte))) != 0;
    return line[column] >= kGrayInkThreshold;
}

// Crops the slot's bitmap to its ink.
InkGlyph cropToInk(const FT_GlyphSlot slot) {
    InkGlyph glyph;
    glyph.advance = static_cast<int>((slot->advance.x + kSubpixelHalf) >> kSubpixelShift);
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        return glyph;
    unsigned firstRow = bitmap.rows, lastRow = 0, firstColumn = bitmap.width, lastColumn = 0;
    for (unsigned row = 0; row < bitmap.rows; ++row)
        for (unsigned column = 0; column < bitmap.width; ++column)
            if (pixelSet(bitmap, row, column)) {
                firstRow = std::min(firstRow, row);
                lastRow = std::max(lastRow, row);
                firstColumn = std::min(firstColumn, column);
                lastColumn = std::max(lastColumn, column);
            }
    if (firstRow == bitmap.rows)
        return glyph;
    glyph.left = slot->bitmap_left + static_cast<int>(firstColumn);
    glyph.top = slot->bitmap_top - static_cast<int>(firstRow);
    glyph.width = static_cast<int>(lastColumn - firstColumn + 1);
    glyph.height = static_cast<int>(lastRow - firstRow + 1);
    glyph.pixels.reserve(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height));
    for (unsigned row = firstRow; row <= lastRow; ++row)
        for (unsigned column = firstColumn; column <= lastColumn; ++column)
            glyph.pixels.push_back(pixelSet(bitmap, row, column) ? 1 : 0);
    return glyph;
}

} // namespace

int InkGlyph::inkCount() const { return static_cast<int>(std::count(pixels.begin(), pixels.end(), 1)); }

GlyphRasteriser::GlyphRasteriser() = default;

GlyphRasteriser::~GlyphRasteriser() {
    if (face_)
        FT_Done_Face(face_);
    if (library_)
        FT_Done_FreeType(library_);
}

bool GlyphRasteriser::open(const std::string& path, const std::string& family, std::string& error) {
    if (!library_) {
        if (const FT_Error code = FT_Init_FreeType(&library_)) {
            library_ = nullptr;
            error = freetypeError("cannot start FreeType", code);
            return false;
        }
    }
    if (face_) {
        FT_Done_Face(face_);
        face_ = nullptr;
    }
    FT_Face face = nullptr;
    if (const FT_Error code = FT_New_Face(library_, path.c_str(), 0, &face)) {
        error = freetypeError(("cannot open " + path).c_str(), code);
        return false;
    }
    // A collection holds several faces; walk them for the family asked for.
    const FT_Long faces = face->num_faces;
    for (FT_Long index = 0; index < faces; ++index) {
        if (index > 0) {
            FT_Done_Face(face);
            face = nullptr;
            if (FT_New_Face(library_, path.c_str(), index, &face) != 0)
                continue;
        }
        if (face->family_name && family == face->family_name) {
            face_ = face;
            pixelSize_ = 0;
            hasStrike_ = false;
            return true;
        }
    }
    if (face)
        FT_Done_Face(face);
    error = "no face of family \"" + family + "\" in " + path;
    return false;
}

bool GlyphRasteriser::setPixelSize(int pixels, std::string& error) {
    if (!face_) {
        error = "no face is open";
        return false;
    }
    // FreeType selects an embedded strike whose size matches exactly.
    if (const FT_Error code = FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixels))) {
        error = freetypeError(("cannot set the size " + std::to_string(pixels)).c_str(), code);
        return false;
    }
    pixelSize_ = pixels;
    hasStrike_ = false;
    for (int i = 0; i < face_->num_fixed_sizes; ++i)
        if ((face_->available_sizes[i].y_ppem + kSubpixelHalf) >> kSubpixelShift == pixels)
            hasStrike_ = true;
    return true;
}

std::optional<InkGlyph> GlyphRasteriser::render(char32_t codePoint) {
    if (!face_ || pixelSize_ == 0)
        return std::nullopt;
    const FT_UInt index = FT_Get_Char_Index(face_, codePoint);
    if (index == 0 || FT_Load_Glyph(face_, index, kLoadFlags) != 0)
        return std::nullopt;
    FT_GlyphSlot slot = face_->glyph;
    const bool embedded = slot->format == FT_GLYPH_FORMAT_BITMAP;
    if (!embedded && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
        return std::nullopt;
    InkGlyph glyph = cropToInk(slot);
    glyph.embedded = embedded;
    return glyph;
}

} // namespace kyvo::fontmaker
