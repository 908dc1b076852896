#pragma once
// Places ink glyphs into the cells of a font file.
//
// Vertical rule (the same for both files of a face, so that single-byte and
// two-byte characters of one string stand on one baseline):
//   ascent  = the largest `top` of any glyph with ink (rows above the baseline),
//   descent = the largest `height - top` (rows below it),
//   cell height = max(pixel size, ascent + descent);
//   the rows the pixel size adds beyond ascent + descent are split, the
//   smaller half above the ink; the baseline lies below cell row
//   `baseline - 1`, where baseline = ascent + that upper half;
//   a glyph's top ink row goes to cell row baseline - top.
// Every glyph's ink therefore lies inside the cell: none is cut at the top
// or the bottom.
//
// Horizontal rule: a glyph's ink starts at its left bearing from the cell's
// left edge. In a fixed-width cell the ink is moved in just far enough to
// lie inside the cell (a negative bearing becomes 0); the maker renders a
// glyph wider than the cell at a smaller size first, so nothing is cut there
// either. In a proportional font a negative bearing becomes 0 and the
// glyph's width is its advance, widened where the ink reaches further.

#include "GlyphRasteriser.h"
#include "MapFontFile.h"

#include <initializer_list>
#include <optional>
#include <vector>

namespace kyvo::fontmaker {

// The glyphs of one character set in index order; an empty slot stays blank.
using GlyphSet = std::vector<std::optional<InkGlyph>>;

struct VerticalMetrics {
    int cellHeight = 0;
    int baseline = 0; // cell rows above the baseline
};

VerticalMetrics verticalMetrics(std::initializer_list<const GlyphSet*> sets, int pixelSize);

// The advance most glyphs of the set share (the larger on a tie); 0 for a
// set without glyphs. The two-byte set's cell width.
int commonAdvance(const GlyphSet& set);

BitmapFont layoutFixed(const GlyphSet& set, int cellWidth, const VerticalMetrics& metrics);
BitmapFont layoutProportional(const GlyphSet& set, const VerticalMetrics& metrics);

} // namespace kyvo::fontmaker
