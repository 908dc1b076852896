// Font files: every check that refuses a broken file, and a face's two files
// read through the file store with the fatal check and the message of a
// missing font.
#include "CartoTestSupport.h"
#include "Diagnostics.h"
#include "FileProcess.h"
#include "FontBuilder.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <functional>

namespace cartoframe {
namespace {

using test::Bytes;
using test::GlyphArt;

const std::map<int, GlyphArt> kTwoGlyphs = {{0, {"#.", ".#", "##"}}, {1, {"###", "#..", "..."}}};

TEST(FontFileTest, BrokenFilesAreRefusedAndLeaveTheFontEmpty) {
    struct Case {
        const char* what;
        std::function<Bytes()> bytes;
    };
    const Case cases[] = {
        {"shorter than a font header", [] { return Bytes{3, 0, 0, 1, 4}; }},
        {"bits per pixel", [] {
             Bytes b = test::fixedFont(2, 3, 3, {});
             b[3] = 2;
             return b;
         }},
        {"empty cell", [] { return test::fixedFont(2, 0, 3, {}); }},
        {"empty cell", [] { return test::fixedFont(2, 3, 0, {}); }},
        {"too short for 3 glyphs", [] {
             Bytes b = test::fixedFont(3, 3, 3, {});
             b.pop_back();
             return b;
         }},
        {"too short for the tables", [] {
             Bytes b = test::fixedFont(0, 3, 3, {});
             b[0] = 200; // 200 glyphs announced, no tables present
             b[2] = 1;
             return b;
         }},
        {"wider than its cell", [] { return test::proportionalFont(2, 2, 3, kTwoGlyphs); }},
        {"lies outside the file", [] {
             Bytes b = test::proportionalFont(2, 3, 3, kTwoGlyphs);
             b.pop_back(); // glyph 0 is stored last
             return b;
         }},
        {"lies outside the file", [] {
             Bytes b = test::proportionalFont(2, 3, 3, kTwoGlyphs);
             test::putLe32(b, G_FONT_HEADER_SIZE + 2 + 4, 0xFFFFFFFF); // offset of glyph 1
             return b;
         }},
    };
    for (const Case& c : cases) {
        test::DiagCapture diag;
        const Bytes bytes = c.bytes();
        TFont font;
        EXPECT_FALSE(g_CreateFontFromBytes(&font, bytes.data(), static_cast<int>(bytes.size()), "Bad.0")) << c.what;
        EXPECT_TRUE(diag.contains("g_CreateFont: 'Bad.0'") && diag.contains(c.what)) << c.what;
        EXPECT_EQ(font.glyphCount, 0);
        EXPECT_EQ(font.pFile, nullptr);
        EXPECT_EQ(g_GlyphWidth(&font, 0), -1);
    }
}

class TextFaceTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(fp_Setup(folder_.str().c_str()), 0); }
    void TearDown() override {
        g_DestroyText(&text_);
        fp_Teardown();
        dbg_RestartMap();
    }
    void write(const char* name, const Bytes& bytes) { test::writeFile(folder_ / name, bytes); }

    test::DiagCapture diag_;
    test::TempFolder folder_;
    TText text_;
};

TEST_F(TextFaceTest, BothFontsOfAFaceAreRead) {
    write("MingTi12.0", test::codedFont(95, 4));
    write("MingTi12.1", test::codedFont(600, 6));
    ASSERT_EQ(g_CreateText(&text_, "MingTi12", 1), 0);
    EXPECT_EQ(text_.ASCII.glyphCount, 95);
    EXPECT_EQ(text_.DBCS.glyphCount, 600);
    EXPECT_EQ(text_.DBCS.textColour, G_TEXT_DEFAULT_COLOUR);
    EXPECT_EQ(text_.DBCS.outlineColour, G_TEXT_DEFAULT_OUTLINE);
    EXPECT_FALSE(diag_.contains("DBCS"));
    EXPECT_EQ(fp_OpenCount(), 0);
}

TEST_F(TextFaceTest, MissingOrBrokenTwoByteFontLeavesItEmpty) {
    write("MingTi14.0", test::codedFont(95, 4));
    write("MingTi15.0", test::codedFont(95, 4));
    Bytes broken = test::codedFont(600, 6);
    broken[3] = 8;
    write("MingTi15.1", broken);
    for (const char* face : {"MingTi14", "MingTi15"}) {
        diag_.clear();
        ASSERT_EQ(g_CreateText(&text_, face, 0), 0);
        EXPECT_EQ(text_.ASCII.glyphCount, 95);
        EXPECT_EQ(text_.DBCS.glyphCount, 0);
        EXPECT_EQ(diag_.lines().back(), "g_CreateText: DBCS font not available!?\n");
        EXPECT_FALSE(dbg_IsMapStopped());
    }
}

TEST_F(TextFaceTest, MissingOrBrokenSingleByteFontIsTheFatalCheck) {
    Bytes broken = test::codedFont(95, 4);
    broken[4] = 0;
    write("Broken.0", broken);
    write("Broken.1", test::codedFont(600, 6));
    for (const char* face : {"Absent", "Broken"}) {
        diag_.clear();
        dbg_RestartMap();
        EXPECT_EQ(g_CreateText(&text_, face, 0), -1);
        EXPECT_EQ(diag_.assertion().rfind("Assertion failed: g_CreateFont(&text->ASCII, filename, cache), file "
                                          "TextFace.cpp",
                                          0),
                  0u)
            << diag_.assertion();
        EXPECT_TRUE(dbg_IsMapStopped());
        EXPECT_EQ(text_.DBCS.glyphCount, 0);
    }
}

} // namespace
} // namespace cartoframe
