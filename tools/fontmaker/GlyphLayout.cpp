#include "GlyphLayout.h"

#include <algorithm>
#include <limits>
#include <map>

namespace kyvo::fontmaker {
namespace {

// Copies the ink into a glyph of `width` x cell height with the ink's top-left
// pixel at (x, y); pixels falling outside are dropped (the callers place the
// ink inside).
FontGlyph placeInk(const InkGlyph& ink, int width, int cellHeight, int x, int y) {
    FontGlyph glyph;
    glyph.width = width;
    glyph.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(cellHeight), 0);
    for (int row = 0; row < ink.height; ++row) {
        const int cellRow = y + row;
        if (cellRow < 0 || cellRow >= cellHeight)
            continue;
        for (int column = 0; column < ink.width; ++column) {
            const int cellColumn = x + column;
            if (cellColumn < 0 || cellColumn >= width)
                continue;
            glyph.pixels[static_cast<std::size_t>(cellRow) * static_cast<std::size_t>(width) +
                         static_cast<std::size_t>(cellColumn)] =
                ink.pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(ink.width) +
                           static_cast<std::size_t>(column)];
        }
    }
    return glyph;
}

bool hasInk(const std::optional<InkGlyph>& glyph) { return glyph && glyph->width > 0 && glyph->height > 0; }

} // namespace

VerticalMetrics verticalMetrics(std::initializer_list<const GlyphSet*> sets, int pixelSize) {
    int ascent = std::numeric_limits<int>::min();
    int descent = std::numeric_limits<int>::min();
    for (const GlyphSet* set : sets)
        for (const auto& glyph : *set)
            if (hasInk(glyph)) {
                ascent = std::max(ascent, glyph->top);
                descent = std::max(descent, glyph->descent());
            }
    if (ascent == std::numeric_limits<int>::min()) { // no ink anywhere
        ascent = pixelSize;
        descent = 0;
    }
    const int inkRows = ascent + descent;
    VerticalMetrics metrics;
    metrics.cellHeight = std::max(pixelSize, inkRows);
    metrics.baseline = ascent + (metrics.cellHeight - inkRows) / 2;
    return metrics;
}

int commonAdvance(const GlyphSet& set) {
    std::map<int, int> votes;
    for (const auto& glyph : set)
        if (glyph)
            ++votes[glyph->advance];
    int best = 0, bestVotes = 0;
    for (const auto& [advance, count] : votes)
        if (count >= bestVotes) {
            best = advance;
            bestVotes = count;
        }
    return best;
}

BitmapFont layoutFixed(const GlyphSet& set, int cellWidth, const VerticalMetrics& metrics) {
    BitmapFont font;
    font.cellWidth = cellWidth;
    font.cellHeight = metrics.cellHeight;
    font.proportional = false;
    font.glyphs.reserve(set.size());
    for (const auto& glyph : set) {
        if (!hasInk(glyph)) {
            font.glyphs.push_back(placeInk(InkGlyph{}, cellWidth, metrics.cellHeight, 0, 0));
            continue;
        }
        const int x = std::max(0, std::min(glyph->left, cellWidth - glyph->width));
        font.glyphs.push_back(placeInk(*glyph, cellWidth, metrics.cellHeight, x, metrics.baseline - glyph->top));
    }
    return font;
}

BitmapFont layoutProportional(const GlyphSet& set, const VerticalMetrics& metrics) {
    BitmapFont font;
    font.cellHeight = metrics.cellHeight;
    font.proportional = true;
    font.glyphs.reserve(set.size());
    for (const auto& glyph : set) {
        if (!glyph) {
            font.glyphs.push_back(placeInk(InkGlyph{}, 0, metrics.cellHeight, 0, 0));
            continue;
        }
        const int x = std::max(0, glyph->left);
        const int width = std::clamp(std::max(glyph->advance, hasInk(glyph) ? x + glyph->width : 0), 0, kMaxCellSide);
        font.glyphs.push_back(placeInk(*glyph, width, metrics.cellHeight, x, metrics.baseline - glyph->top));
        font.cellWidth = std::max(font.cellWidth, width);
    }
    return font;
}

} // namespace kyvo::fontmaker
