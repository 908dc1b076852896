#pragma once
// Inside the fonts: where a checked font keeps a glyph's bits. Shared by the
// text's source files only.

#include "Text.h"

#include <cstdint>

namespace cartoframe::text_detail {

// Bytes of a bitmap of width x height one-bit pixels, rounded up.
inline int bitmapBytes(int width, int height) { return (width * height + 7) / 8; }

inline std::uint32_t readLe32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// The first byte of glyph `index`, which must be inside the font. The font
// was checked when it was loaded, so the whole bitmap lies inside the body.
inline const std::uint8_t* glyphBits(const TFont* font, int index) {
    if (font->pOffsets == nullptr)
        return font->pBody + static_cast<std::ptrdiff_t>(index) * font->glyphSize;
    return font->pBody + readLe32(font->pOffsets + static_cast<std::ptrdiff_t>(index) * G_FONT_OFFSET_SIZE);
}

} // namespace cartoframe::text_detail
