// Placing ink glyphs into cells: one baseline for every glyph of a face,
// nothing cut, bearings kept where the cell allows.
#include "GlyphLayout.h"

#include <gtest/gtest.h>

#include <numeric>

namespace kyvo::fontmaker {
namespace {

// A solid block of ink.
InkGlyph block(int advance, int left, int top, int width, int height) {
    InkGlyph glyph{advance, left, top, width, height, {}, true};
    glyph.pixels.assign(static_cast<std::size_t>(width * height), 1);
    return glyph;
}

int ink(const FontGlyph& glyph) { return std::accumulate(glyph.pixels.begin(), glyph.pixels.end(), 0); }

bool at(const FontGlyph& glyph, int x, int y) { return glyph.pixels.at(static_cast<std::size_t>(y * glyph.width + x)); }

TEST(GlyphLayoutTest, OneBaselineHoldsTheTallestAndTheDeepestGlyphOfBothSets) {
    const GlyphSet tall = {block(6, 0, 9, 4, 9), std::nullopt, InkGlyph{6, 0, 0, 0, 0, {}, true}};
    const GlyphSet deep = {block(10, 0, 4, 8, 7)}; // 3 rows below the baseline
    const VerticalMetrics tight = verticalMetrics({&tall, &deep}, 10);
    EXPECT_EQ(tight.cellHeight, 12);
    EXPECT_EQ(tight.baseline, 9);
    // A pixel size above the ink's rows: the spare rows go half above, half below.
    const VerticalMetrics roomy = verticalMetrics({&tall, &deep}, 16);
    EXPECT_EQ(roomy.cellHeight, 16);
    EXPECT_EQ(roomy.baseline, 11);
    const GlyphSet blank = {std::nullopt};
    EXPECT_EQ(verticalMetrics({&blank}, 14).cellHeight, 14);

    // Placed with those metrics no glyph loses a pixel, and both stand on the baseline.
    const BitmapFont tallFont = layoutProportional(tall, tight);
    const BitmapFont deepFont = layoutFixed(deep, 10, tight);
    EXPECT_EQ(ink(tallFont.glyphs[0]), 36);
    EXPECT_EQ(ink(deepFont.glyphs[0]), 56);
    EXPECT_TRUE(at(tallFont.glyphs[0], 0, 0));
    EXPECT_TRUE(at(tallFont.glyphs[0], 0, 8));
    EXPECT_FALSE(at(tallFont.glyphs[0], 0, 9));
    EXPECT_FALSE(at(deepFont.glyphs[0], 0, 4));
    EXPECT_TRUE(at(deepFont.glyphs[0], 0, 5));
    EXPECT_TRUE(at(deepFont.glyphs[0], 0, 11));
}

TEST(GlyphLayoutTest, FixedCellsKeepBearingsAndPullInkInside) {
    const VerticalMetrics metrics{4, 3};
    const GlyphSet set = {
        block(6, 1, 2, 3, 2),  // fits at its bearing: columns 1..3
        block(6, -1, 3, 2, 1), // negative bearing: moved to column 0
        block(6, 4, 1, 4, 1),  // would reach column 7: moved to columns 2..5
        block(9, 0, 3, 8, 1),  // wider than the cell: its left part stays
        std::nullopt,          // no glyph: blank
    };
    const BitmapFont font = layoutFixed(set, 6, metrics);
    ASSERT_EQ(font.glyphs.size(), 5u);
    for (const FontGlyph& glyph : font.glyphs) {
        EXPECT_EQ(glyph.width, 6);
        EXPECT_EQ(glyph.pixels.size(), 24u);
    }
    EXPECT_FALSE(at(font.glyphs[0], 0, 1));
    EXPECT_TRUE(at(font.glyphs[0], 1, 1));
    EXPECT_TRUE(at(font.glyphs[0], 3, 2));
    EXPECT_FALSE(at(font.glyphs[0], 4, 2));
    EXPECT_TRUE(at(font.glyphs[1], 0, 0));
    EXPECT_TRUE(at(font.glyphs[1], 1, 0));
    EXPECT_FALSE(at(font.glyphs[2], 1, 2));
    EXPECT_TRUE(at(font.glyphs[2], 2, 2));
    EXPECT_TRUE(at(font.glyphs[2], 5, 2));
    EXPECT_EQ(ink(font.glyphs[3]), 6);
    EXPECT_EQ(ink(font.glyphs[4]), 0);
}

TEST(GlyphLayoutTest, ProportionalWidthsFollowAdvanceAndInk) {
    const VerticalMetrics metrics{3, 2};
    const GlyphSet set = {
        block(5, 1, 2, 2, 2),  // width = advance
        block(3, 1, 1, 4, 1),  // ink past the advance: width 5
        block(4, -2, 1, 3, 1), // negative bearing: ink from column 0
        InkGlyph{4, 0, 0, 0, 0, {}, true}, // a space
        std::nullopt,
    };
    const BitmapFont font = layoutProportional(set, metrics);
    std::vector<int> widths;
    for (const FontGlyph& glyph : font.glyphs)
        widths.push_back(glyph.width);
    EXPECT_EQ(widths, (std::vector<int>{5, 5, 4, 4, 0}));
    EXPECT_EQ(font.cellWidth, 5);
    EXPECT_TRUE(at(font.glyphs[1], 4, 1));
    EXPECT_TRUE(at(font.glyphs[2], 0, 1));
    EXPECT_FALSE(at(font.glyphs[2], 3, 1));
    Bytes bytes;
    std::string error;
    EXPECT_TRUE(encodeFont(font, bytes, error)) << error;
}

TEST(GlyphLayoutTest, CommonAdvanceIsTheMostFrequentOne) {
    EXPECT_EQ(commonAdvance({block(12, 0, 1, 1, 1), block(12, 0, 1, 1, 1), block(6, 0, 1, 1, 1), std::nullopt}), 12);
    EXPECT_EQ(commonAdvance({block(7, 0, 1, 1, 1), block(8, 0, 1, 1, 1)}), 8);
    EXPECT_EQ(commonAdvance({std::nullopt}), 0);
}

} // namespace
} // namespace kyvo::fontmaker
