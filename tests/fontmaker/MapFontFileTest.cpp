// The font file writer: exact bytes of tiny fonts and the limits of the format.
#include "MadeFontReader.h"
#include "MapFontFile.h"

#include <gtest/gtest.h>

namespace kyvo::fontmaker {
namespace {

FontGlyph glyph(int width, std::vector<std::uint8_t> pixels) { return FontGlyph{width, std::move(pixels)}; }

TEST(MapFontFileTest, ProportionalFontHasTablesAndUnpaddedBits) {
    BitmapFont font;
    font.cellWidth = 3;
    font.cellHeight = 3;
    font.proportional = true;
    font.glyphs = {
        glyph(3, {1, 0, 0,
                  1, 1, 0,
                  0, 0, 1}),  // 9 bits: two bytes, the ninth bit alone in the second
        glyph(0, {}),         // a space without ink takes no bytes
        glyph(2, {0, 1,
                  1, 0,
                  1, 1}),
    };
    Bytes bytes;
    std::string error;
    ASSERT_TRUE(encodeFont(font, bytes, error)) << error;
    const Bytes expected = {
        0x03, 0x00, 0x01, 0x01, 0x03, 0x03, 0x00, 0x00, // count 3, proportional, 1 bpp, cell 3 x 3
        0x03, 0x00, 0x02,                               // widths
        0x0F, 0x00, 0x00, 0x00,                         // offsets from byte 8: past 3 + 12 bytes of tables
        0x11, 0x00, 0x00, 0x00, 0x11, 0x00, 0x00, 0x00,
        0b1001'1000, 0b1000'0000, // glyph 0: 100 110 00|1
        0b0110'1100,              // glyph 2: 01 10 11, rounded up to a byte
    };
    EXPECT_EQ(bytes, expected);
}

TEST(MapFontFileTest, FixedFontPacksGlyphsAtWholeByteStrides) {
    BitmapFont font;
    font.cellWidth = 5;
    font.cellHeight = 3;
    std::vector<std::uint8_t> first(15, 0), second(15, 0);
    first[0] = 1;   // top-left: bit 7 of the first byte
    first[8] = 1;   // row 1, column 3: bit 7 of the second byte
    second[14] = 1; // bottom-right: bit 1 of the glyph's second byte
    font.glyphs = {glyph(5, first), glyph(5, second)};
    Bytes bytes;
    std::string error;
    ASSERT_TRUE(encodeFont(font, bytes, error)) << error;
    const Bytes expected = {0x02, 0x00, 0x00, 0x01, 0x05, 0x03, 0x00, 0x00, // no tables
                            0x80, 0x80, 0x00, 0x02};
    EXPECT_EQ(bytes, expected);

    const test::MadeFontReader reader(bytes);
    EXPECT_TRUE(reader.pixel(0, 3, 1));
    EXPECT_TRUE(reader.pixel(1, 4, 2));
    EXPECT_EQ(reader.inkCount(0) + reader.inkCount(1), 3);
}

TEST(MapFontFileTest, RefusesFontsTheFormatCannotHold) {
    const struct {
        const char* what;
        BitmapFont font;
    } cases[] = {
        {"cell wider than a byte", BitmapFont{256, 1, false, {}}},
        {"fixed glyph narrower than the cell", BitmapFont{2, 1, false, {glyph(1, {1})}}},
        {"proportional glyph wider than a byte", BitmapFont{1, 1, true, {glyph(256, std::vector<std::uint8_t>(256))}}},
        {"pixels not width x height", BitmapFont{2, 2, false, {glyph(2, {1, 1, 1})}}},
        {"more glyphs than the count holds", BitmapFont{1, 1, false, std::vector<FontGlyph>(65536, glyph(1, {0}))}},
    };
    for (const auto& c : cases) {
        Bytes bytes;
        std::string error;
        EXPECT_FALSE(encodeFont(c.font, bytes, error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
    BitmapFont largest{1, 1, false, std::vector<FontGlyph>(65535, glyph(1, {1}))};
    Bytes bytes;
    std::string error;
    ASSERT_TRUE(encodeFont(largest, bytes, error)) << error;
    EXPECT_EQ(test::MadeFontReader(bytes).count(), 65535);
    EXPECT_EQ(bytes.size(), 8u + 65535u);
}

} // namespace
} // namespace kyvo::fontmaker
