// Font files: the header and tables read from the file's bytes, every size and
// offset checked against the file before the font is used, and the thin
// wrapper that reads a file whole through the file store.
#include "Diagnostics.h"
#include "FileProcess.h"
#include "FontGlyphs.h"
#include "Text.h"

#include <cstdlib>
#include <cstring>

namespace cartoframe {

using namespace text_detail;

namespace {

constexpr int kCountAt = 0;
constexpr int kFlagsAt = 2;
constexpr int kBitsPerPixelAt = 3;
constexpr int kCellWidthAt = 4;
constexpr int kCellHeightAt = 5;

// The header's fields, and the body they describe.
struct FontLayout {
    int glyphCount = 0;
    bool proportional = false;
    int bitsPerPixel = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    const std::uint8_t* body = nullptr;
    long long bodySize = 0;
};

FontLayout readHeader(const std::uint8_t* bytes, int size) {
    FontLayout layout;
    layout.glyphCount = bytes[kCountAt] | bytes[kCountAt + 1] << 8;
    layout.proportional = (bytes[kFlagsAt] & G_FONT_PROPORTIONAL) != 0;
    layout.bitsPerPixel = bytes[kBitsPerPixelAt];
    layout.cellWidth = bytes[kCellWidthAt];
    layout.cellHeight = bytes[kCellHeightAt];
    layout.body = bytes + G_FONT_HEADER_SIZE;
    layout.bodySize = size - G_FONT_HEADER_SIZE;
    return layout;
}

// Checks the tables of a proportional font: every width within the cell and
// every glyph's bitmap inside the body.
bool proportionalTablesFit(const FontLayout& layout, const char* name) {
    const long long tables = static_cast<long long>(layout.glyphCount) * (1 + G_FONT_OFFSET_SIZE);
    if (layout.bodySize < tables) {
        dbg_Print("g_CreateFont: '%s' is too short for the tables of %d glyphs!\n", name, layout.glyphCount);
        return false;
    }
    const std::uint8_t* widths = layout.body;
    const std::uint8_t* offsets = layout.body + layout.glyphCount;
    for (int i = 0; i < layout.glyphCount; ++i) {
        if (widths[i] > layout.cellWidth) {
            dbg_Print("g_CreateFont: '%s' glyph %d is %d pixels wide, wider than its cell of %d!\n", name, i,
                      widths[i], layout.cellWidth);
            return false;
        }
        const long long offset = readLe32(offsets + static_cast<std::ptrdiff_t>(i) * G_FONT_OFFSET_SIZE);
        if (offset + bitmapBytes(widths[i], layout.cellHeight) > layout.bodySize) {
            dbg_Print("g_CreateFont: '%s' glyph %d at %lld lies outside the file!\n", name, i, offset);
            return false;
        }
    }
    return true;
}

bool layoutAccepted(const FontLayout& layout, const char* name) {
    if (layout.bitsPerPixel != G_FONT_BITS_PER_PIXEL) {
        dbg_Print("g_CreateFont: '%s' has %d bits per pixel, only %d is drawn!\n", name, layout.bitsPerPixel,
                  G_FONT_BITS_PER_PIXEL);
        return false;
    }
    if (layout.cellWidth == 0 || layout.cellHeight == 0) {
        dbg_Print("g_CreateFont: '%s' has an empty cell of %d x %d!\n", name, layout.cellWidth, layout.cellHeight);
        return false;
    }
    if (layout.proportional)
        return proportionalTablesFit(layout, name);
    const long long glyphs =
        static_cast<long long>(layout.glyphCount) * bitmapBytes(layout.cellWidth, layout.cellHeight);
    if (layout.bodySize < glyphs) {
        dbg_Print("g_CreateFont: '%s' is too short for %d glyphs!\n", name, layout.glyphCount);
        return false;
    }
    return true;
}

void resetFont(TFont* font) { *font = TFont{}; }

} // namespace

bool g_CreateFontFromBytes(TFont* font, const std::uint8_t* bytes, int size, const char* name) {
    if (font == nullptr)
        return false;
    g_DestroyFont(font);
    if (name == nullptr)
        name = "";
    if (bytes == nullptr || size < G_FONT_HEADER_SIZE) {
        dbg_Print("g_CreateFont: '%s' is shorter than a font header!\n", name);
        return false;
    }
    const FontLayout layout = readHeader(bytes, size);
    if (!layoutAccepted(layout, name))
        return false;

    auto* file = static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(size)));
    // The scratch image leaves room for a bold glyph's extra column.
    TImage* glyph = g_CreateImage(layout.cellWidth + 1, layout.cellHeight);
    if (file == nullptr || glyph == nullptr) {
        dbg_Print("g_CreateFont: '%s' does not fit in memory!\n", name);
        std::free(file);
        g_DestroyImage(glyph);
        return false;
    }
    std::memcpy(file, bytes, static_cast<std::size_t>(size));
    font->pFile = file;
    font->pBody = file + G_FONT_HEADER_SIZE;
    font->bodySize = size - G_FONT_HEADER_SIZE;
    font->cellWidth = static_cast<std::uint8_t>(layout.cellWidth);
    font->cellHeight = static_cast<std::uint8_t>(layout.cellHeight);
    font->glyphCount = layout.glyphCount;
    font->glyphSize = bitmapBytes(layout.cellWidth, layout.cellHeight);
    if (layout.proportional) {
        font->pWidths = font->pBody;
        font->pOffsets = font->pBody + layout.glyphCount;
    }
    font->pGlyph = glyph;
    return true;
}

bool g_CreateFont(TFont* font, const char* filename, int cache) {
    // Fonts are always read whole: the cache flag changes nothing.
    static_cast<void>(cache);
    if (font == nullptr)
        return false;
    g_DestroyFont(font);
    if (filename == nullptr)
        return false;
    std::FILE* stream = fp_Open(filename, "rb");
    if (stream == nullptr)
        return false;
    const int size = fp_Size(stream);
    bool loaded = false;
    if (size < G_FONT_HEADER_SIZE) {
        dbg_Print("g_CreateFont: '%s' is shorter than a font header!\n", filename);
    } else if (auto* bytes = static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(size)))) {
        if (fp_Read(bytes, size, stream) == size)
            loaded = g_CreateFontFromBytes(font, bytes, size, filename);
        else
            dbg_Print("g_CreateFont: '%s' could not be read!\n", filename);
        std::free(bytes);
    } else {
        dbg_Print("g_CreateFont: '%s' does not fit in memory!\n", filename);
    }
    fp_Close(stream);
    return loaded;
}

void g_DestroyFont(TFont* font) {
    if (font == nullptr)
        return;
    std::free(font->pFile);
    g_DestroyImage(font->pGlyph);
    resetFont(font);
}

int g_GlyphWidth(const TFont* font, int index) {
    if (font == nullptr || index < 0 || index >= font->glyphCount)
        return -1;
    return font->pWidths != nullptr ? font->pWidths[index] : font->cellWidth;
}

} // namespace cartoframe
