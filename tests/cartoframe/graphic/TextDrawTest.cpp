// Text on the canvas, checked pixel by pixel: the styles as pictures, the
// glyph each character of a string selects (coded fonts, whose glyphs show
// their own index), spacing, measuring, and strings that end or point where
// the font has nothing.
#include "FontBuilder.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cartoframe {
namespace {

using test::Bytes;

constexpr TColor kGround = 0x202020;
constexpr TColor kInk = 0xFFFFFF;
constexpr TColor kRing = G_TEXT_DEFAULT_OUTLINE;
constexpr TColor kBack = 0x0000FF;
const std::map<TColor, char> kLegend = {{kGround, '.'}, {kInk, '#'}, {kRing, 'o'}, {kBack, 'b'}};

class TextDrawTest : public testing::Test {
protected:
    void TearDown() override {
        g_DestroyText(&text_);
        g_DestroyCanvas(&canvas_);
    }
    void load(TFont& font, const Bytes& bytes) {
        ASSERT_TRUE(g_CreateFontFromBytes(&font, bytes.data(), static_cast<int>(bytes.size()), "test"));
    }
    void newCanvas(int width, int height) {
        g_DestroyCanvas(&canvas_);
        ASSERT_EQ(g_CreateCanvas(&canvas_, width, height), 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                g_PutPixel(&canvas_, x, y, kGround);
    }
    // The coded glyph indexes of the cells at the given x positions on row y.
    std::vector<int> glyphsAt(const std::vector<int>& xs, int y = 0) const {
        std::vector<int> out;
        for (int x : xs)
            out.push_back(test::codedGlyphAt(canvas_, x, y, kInk));
        return out;
    }

    test::DiagCapture diag_; // keeps the canvas lines out of the test output
    TText text_;
    TCanvas canvas_;
};

// Glyph 'A' (index 33) of a 3 x 3 font: nine bits, so its rows share a byte.
const test::GlyphArt kGlyphA = {"#..", "###", ".#."};

TEST_F(TextDrawTest, StylesDrawTheGlyphItsRingAndItsCell) {
    struct Case {
        int flags;
        const char* picture;
    };
    const Case cases[] = {
        {0, "........\n..#.....\n..###...\n...#....\n........\n"},
        {G_TEXT_BOLD, "........\n..##....\n..####..\n...##...\n........\n"},
        {G_TEXT_OUTLINE, "..o.....\n.o#oo...\n.o###o..\n..o#o...\n...o....\n"},
        {G_TEXT_OUTLINE | G_TEXT_BOLD, "..oo....\n.o##oo..\n.o####o.\n..o##o..\n...oo...\n"},
        {G_TEXT_OPAQUE, "........\n..#bb...\n..###...\n..b#b...\n........\n"},
        {G_TEXT_OPAQUE | G_TEXT_BOLD, "........\n..##bb..\n..####..\n..b##b..\n........\n"},
    };
    load(text_.ASCII, test::fixedFont(95, 3, 3, {{33, kGlyphA}}));
    for (const Case& c : cases) {
        newCanvas(8, 5);
        g_SetTextStyle(&text_, c.flags, kInk, kBack, kRing);
        const int end = g_DrawText(&canvas_, &text_, 2, 1, "A");
        EXPECT_EQ(test::picture(canvas_, kLegend), c.picture) << "flags " << c.flags;
        EXPECT_EQ(end, 2 + 3 + ((c.flags & G_TEXT_BOLD) ? 1 : 0));
    }
}

TEST_F(TextDrawTest, TextColourEqualToTheOutlinesKeyStillShows) {
    load(text_.ASCII, test::fixedFont(95, 3, 3, {{33, kGlyphA}}));
    newCanvas(8, 5);
    const TColor ink = kRing ^ 0x00C0C0;
    g_SetTextStyle(&text_, G_TEXT_OUTLINE, ink, kBack, kRing);
    g_DrawText(&canvas_, &text_, 2, 1, "A");
    EXPECT_EQ(test::picture(canvas_, {{kGround, '.'}, {ink, '#'}, {kRing, 'o'}}),
              "..o.....\n.o#oo...\n.o###o..\n..o#o...\n...o....\n");
}

TEST_F(TextDrawTest, ProportionalGlyphsAdvanceByTheirOwnWidth) {
    load(text_.ASCII, test::proportionalFont(95, 4, 2, {{33, {"##", ".#"}}, {34, {"#.#", "###"}}, {35, {"#"}}}));
    g_SetTextStyle(&text_, 0, kInk, kBack, kRing);
    g_SetTextSpacing(&text_, 1, 0);
    newCanvas(12, 2);
    EXPECT_EQ(g_TextWidth(&text_, "ABC A"), 3 + 4 + 2 + 1 + 3);
    EXPECT_EQ(g_DrawText(&canvas_, &text_, 0, 0, "ABC A"), 13);
    EXPECT_EQ(test::picture(canvas_, kLegend), "##.#.#.#..##\n.#.###.....#\n");
}

class CodedTextTest : public TextDrawTest {
protected:
    void SetUp() override {
        load(text_.ASCII, test::codedFont(95, 4));
        load(text_.DBCS, test::codedFont(600, 6));
        g_SetTextStyle(&text_, 0, kInk, kBack, kRing);
        newCanvas(40, 6);
    }
};

TEST_F(CodedTextTest, CharactersSelectSingleAndTwoByteGlyphs) {
    // "\xA4\x40": (0xA4 - 0xA1) * 157 + 0; "\xA4\xA1": 471 + (0xA1 - 0x62);
    // "\xA1\x7E": the last trail byte below 0x80; control bytes are skipped;
    // the blank is glyph 0.
    const char* str = "A\x01z\xA4\x40\n\xA4\xA1\xA1\x7E ";
    EXPECT_EQ(g_DrawText(&canvas_, &text_, 0, 0, str), 24);
    EXPECT_EQ(glyphsAt({0, 4, 8, 12, 16, 20, 24}), (std::vector<int>{33, 90, 471, 534, 62, 0, -1}));
    EXPECT_EQ(g_TextWidth(&text_, str), 24);
    EXPECT_EQ(g_TextHeight(&text_), 6);
}

TEST_F(CodedTextTest, LetterSpacingAndBoldWidenEveryCharacter) {
    g_SetTextSpacing(&text_, 2, 3);
    EXPECT_EQ(g_TextHeight(&text_), 9);
    EXPECT_EQ(g_DrawText(&canvas_, &text_, 1, 1, "!\xA4\x40#"), 1 + 3 * 6);
    EXPECT_EQ(glyphsAt({1, 7, 13}, 1), (std::vector<int>{1, 471, 3}));
    g_SetTextStyle(&text_, G_TEXT_BOLD, kInk, kBack, kRing);
    EXPECT_EQ(g_TextWidth(&text_, "!\xA4\x40#"), 3 * 7);
}

TEST_F(CodedTextTest, CharactersWithoutAGlyphOnlyAdvanceByTheSpacing) {
    g_SetTextSpacing(&text_, 1, 0);
    // Index 7 * 157 = 1099 is beyond the 600 glyphs; lead 0x80 gives a negative index.
    const char* str = "\xA8\x40\x80\x40!";
    EXPECT_EQ(g_TextWidth(&text_, str), 1 + 1 + 5);
    EXPECT_EQ(g_DrawText(&canvas_, &text_, 0, 0, str), 7);
    EXPECT_EQ(glyphsAt({0, 2}), (std::vector<int>{-1, 1}));

    // A face without its two-byte font: those characters measure 0 wide.
    g_DestroyFont(&text_.DBCS);
    g_SetTextSpacing(&text_, 0, 0);
    newCanvas(40, 6);
    EXPECT_EQ(g_TextWidth(&text_, "\xA4\x40!\xA4\xA1"), 4);
    EXPECT_EQ(g_DrawText(&canvas_, &text_, 0, 0, "\xA4\x40!\xA4\xA1"), 4);
    EXPECT_EQ(glyphsAt({0, 4}), (std::vector<int>{1, -1}));
    EXPECT_EQ(g_TextHeight(&text_), 4);
}

TEST_F(CodedTextTest, LeadByteAtTheEndIsDroppedWithoutReadingFurther) {
    // Heap strings of their exact length: reading past the NUL is caught by
    // the address sanitizer.
    for (const std::vector<char>& str : {std::vector<char>{'!', '\xA4', '\0'}, std::vector<char>{'\xFF', '\0'}}) {
        newCanvas(40, 6);
        EXPECT_EQ(g_TextWidth(&text_, str.data()), str.size() == 3 ? 4 : 0);
        g_DrawText(&canvas_, &text_, 0, 0, str.data());
        EXPECT_EQ(glyphsAt({0, 4}), (std::vector<int>{str.size() == 3 ? 1 : -1, -1}));
    }
}

TEST_F(CodedTextTest, TextAcrossTheCanvasEdgesIsClipped) {
    g_SetTextStyle(&text_, G_TEXT_OUTLINE | G_TEXT_BOLD | G_TEXT_OPAQUE, kInk, kBack, kRing);
    for (int x : {-3, 37, -2000000000, 2000000000})
        for (int y : {-2, 4})
            g_DrawText(&canvas_, &text_, x, y, "AB\xA4\x40");
    EXPECT_EQ(glyphsAt({18, 24}, 1), (std::vector<int>{-1, -1}));
}

} // namespace
} // namespace cartoframe
