// Big5 codes and glyph indexes of the two-byte set, both ways.
#include "Big5GlyphIndex.h"

#include <gtest/gtest.h>

#include <vector>

namespace kyvo::fontmaker {
namespace {

TEST(Big5GlyphIndexTest, KnownCodesAndTheEdgesOfTheTrailRanges) {
    const struct {
        int code, index;
    } cases[] = {
        {0xA140, 0},     {0xA17E, 62},  {0xA1A1, 63}, {0xA1FE, 156}, {0xA240, 157},
        {0xA440, 471},   // "一"
        {0xA4A4, 537},   // "中"
        {0xF9FE, 13972}, // the last code of the set
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(big5GlyphIndex(static_cast<std::uint8_t>(c.code >> 8), static_cast<std::uint8_t>(c.code)), c.index);
        const auto code = big5CodeAt(c.index);
        ASSERT_TRUE(code);
        EXPECT_EQ(code->lead << 8 | code->trail, c.code);
    }
    for (const int code : {0xA03F, 0xA0A1, 0xA13F, 0xA17F, 0xA180, 0xA1A0, 0xA1FF, 0xFA40, 0x8140})
        EXPECT_FALSE(big5GlyphIndex(static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code))) << code;
    EXPECT_FALSE(big5CodeAt(-1));
    EXPECT_FALSE(big5CodeAt(kBig5GlyphCount));
    EXPECT_EQ(kBig5GlyphCount, 13973);
}

TEST(Big5GlyphIndexTest, EveryIndexHasOneCodeAndBack) {
    std::vector<int> seen(kBig5GlyphCount, 0);
    for (int lead = 0; lead < 256; ++lead)
        for (int trail = 0; trail < 256; ++trail)
            if (const auto index = big5GlyphIndex(static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail))) {
                ASSERT_GE(*index, 0);
                ASSERT_LT(*index, kBig5GlyphCount);
                ++seen[static_cast<std::size_t>(*index)];
            }
    for (int index = 0; index < kBig5GlyphCount; ++index) {
        ASSERT_EQ(seen[static_cast<std::size_t>(index)], 1) << index;
        const auto code = big5CodeAt(index);
        ASSERT_TRUE(code);
        ASSERT_EQ(big5GlyphIndex(code->lead, code->trail), index);
    }
}

} // namespace
} // namespace kyvo::fontmaker
