#pragma once
// One face of an outline font file (a single font or a collection) turned
// into one-bit glyphs through FreeType. At a pixel size for which the face
// carries an embedded one-bit strike, glyphs come from the strike (the
// hand-tuned bitmaps); otherwise, and for a glyph the strike lacks, the
// outline is rendered monochrome.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace kyvo::fontmaker {

// A glyph cut down to its ink: the smallest box that holds every set pixel,
// placed by its bearings relative to the pen position on the baseline.
struct InkGlyph {
    int advance = 0;  // pen advance in pixels
    int left = 0;     // columns from the pen position to the box's left column
    int top = 0;      // rows from the baseline up to the box's top row (the row just above the baseline counts 1)
    int width = 0;    // box size; 0 x 0 for a glyph without ink (a space)
    int height = 0;
    std::vector<std::uint8_t> pixels; // width x height, 0 or 1, row after row
    bool embedded = false;            // taken from an embedded strike

    int descent() const { return height - top; } // rows below the baseline
    int inkCount() const;
};

class GlyphRasteriser {
public:
    GlyphRasteriser();
    ~GlyphRasteriser();
    GlyphRasteriser(const GlyphRasteriser&) = delete;
    GlyphRasteriser& operator=(const GlyphRasteriser&) = delete;

    // Opens the face of the file whose family name is `family` (for a
    // collection, the first such face). Answers false with a message.
    bool open(const std::string& path, const std::string& family, std::string& error);

    // Sets the size in pixels per em; an embedded strike of that size is
    // selected when the face has one.
    bool setPixelSize(int pixels, std::string& error);
    int pixelSize() const { return pixelSize_; }
    bool hasStrike() const { return hasStrike_; }

    // The glyph of a code point at the current size; empty when the face has
    // no glyph for it or it cannot be rendered.
    std::optional<InkGlyph> render(char32_t codePoint);

private:
    FT_LibraryRec_* library_ = nullptr;
    FT_FaceRec_* face_ = nullptr;
    int pixelSize_ = 0;
    bool hasStrike_ = false;
};

} // namespace kyvo::fontmaker
