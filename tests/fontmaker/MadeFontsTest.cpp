// The fonts the build made from AR PL UMing TW: counts and cells, the shapes
// of a few well-known characters, no glyph cut, blank codes, the same bytes
// from every run, and the command line.
#include "Big5GlyphIndex.h"
#include "FontMaker.h"
#include "MadeFontReader.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kyvo::fontmaker {

// Test names and messages show the face by its name.
void PrintTo(const MapFace& face, std::ostream* out) { *out << face.name; }

namespace {

using test::MadeFontReader;

const std::filesystem::path kFontsDir = KYVO_MAPFONTS_DIR;

constexpr int kBar = 0xA440;     // "一"
constexpr int kMiddle = 0xA4A4;  // "中"
constexpr int kUnmapped = 0xA3C0; // inside the set, no character in code page 950

int indexOf(int code) { return *big5GlyphIndex(static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code)); }

class MadeFontsTest : public ::testing::TestWithParam<MapFace> {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kFontsDir / (std::string(GetParam().name) + ".1")))
            GTEST_SKIP() << "the map fonts were not made (is fonts-arphic-uming installed?)";
    }
    MadeFontReader single() const { return MadeFontReader::load(kFontsDir / (std::string(GetParam().name) + ".0")); }
    MadeFontReader twoByte() const { return MadeFontReader::load(kFontsDir / (std::string(GetParam().name) + ".1")); }
};

TEST_P(MadeFontsTest, CountsCellsAndSizesFollowTheLayout) {
    const MadeFontReader one = single(), two = twoByte();
    EXPECT_EQ(one.count(), 95);
    EXPECT_TRUE(one.proportional());
    EXPECT_EQ(two.count(), 13973);
    EXPECT_FALSE(two.proportional());
    EXPECT_EQ(one.bitsPerPixel(), 1);
    EXPECT_EQ(two.bitsPerPixel(), 1);
    // One baseline for both sets: the same cell height, at least the pixel size.
    EXPECT_EQ(one.cellHeight(), two.cellHeight());
    EXPECT_GE(two.cellHeight(), GetParam().pixelSize);
    EXPECT_EQ(two.cellWidth(), GetParam().pixelSize);
    EXPECT_EQ(two.size(), 8u + 13973u * ((two.cellWidth() * two.cellHeight() + 7) / 8));
    EXPECT_TRUE(one.bitmapsInside());
    int widest = 0;
    for (int g = 0; g < one.count(); ++g)
        widest = std::max(widest, one.width(g));
    EXPECT_EQ(one.cellWidth(), widest);
    EXPECT_GT(one.width(0), 0) << "the space advances";
}

TEST_P(MadeFontsTest, BarAndMiddleHaveTheirShapes) {
    const MadeFontReader font = twoByte();
    const int w = font.cellWidth(), h = font.cellHeight();

    // "一": one or two adjacent rows, nearly the whole width, nothing else.
    const int bar = indexOf(kBar);
    std::vector<int> inkRows;
    for (int y = 0; y < h; ++y)
        if (font.rowInk(bar, y))
            inkRows.push_back(y);
    ASSERT_FALSE(inkRows.empty());
    ASSERT_LE(inkRows.size(), 2u);
    EXPECT_EQ(inkRows.back() - inkRows.front(), static_cast<int>(inkRows.size()) - 1);
    EXPECT_GE(font.rowInk(bar, inkRows.front()) + (inkRows.size() > 1 ? font.rowInk(bar, inkRows.back()) : 0),
              w * 3 / 4);
    EXPECT_GT(inkRows.front(), 2);
    EXPECT_LT(inkRows.back(), h - 3);

    // "中": a stroke down a middle column over most of the cell, crossing a
    // box: two long rows and two side columns left and right of the stroke.
    const int middle = indexOf(kMiddle);
    int stroke = -1;
    for (int x = w / 2 - 1; x <= w / 2 + 1; ++x)
        if (font.columnInk(middle, x) >= h * 3 / 4)
            stroke = x;
    ASSERT_NE(stroke, -1) << "no vertical stroke near the middle";
    int longRows = 0;
    for (int y = 0; y < h; ++y)
        longRows += font.rowInk(middle, y) >= w * 2 / 3;
    EXPECT_GE(longRows, 2);
    int leftSide = 0, rightSide = 0;
    for (int x = 0; x < stroke - 1; ++x)
        leftSide = std::max(leftSide, font.columnInk(middle, x));
    for (int x = stroke + 2; x < w; ++x)
        rightSide = std::max(rightSide, font.columnInk(middle, x));
    EXPECT_GE(leftSide, 3);
    EXPECT_GE(rightSide, 3);
}

TEST_P(MadeFontsTest, NoGlyphIsCutAndLettersShareTheBaseline) {
    GlyphRasteriser rasteriser;
    std::string error;
    ASSERT_TRUE(rasteriser.open(KYVO_MING_FONT, KYVO_MING_FAMILY, error)) << error;
    ASSERT_TRUE(rasteriser.setPixelSize(GetParam().pixelSize, error)) << error;
    const MadeFontReader one = single(), two = twoByte();
    for (int byte = kSingleByteFirst; byte <= kSingleByteLast; ++byte) {
        const auto glyph = rasteriser.render(static_cast<char32_t>(byte));
        ASSERT_TRUE(glyph) << byte;
        EXPECT_EQ(one.inkCount(byte - kSingleByteFirst), glyph->inkCount()) << "cut: " << static_cast<char>(byte);
    }
    const int capitalA = 'A' - kSingleByteFirst, smallG = 'g' - kSingleByteFirst;
    EXPECT_GT(one.inkCount(capitalA), 0);
    EXPECT_GT(one.lowestInkRow(smallG), one.lowestInkRow(capitalA)) << "g reaches below the baseline";
    // Chinese characters stand on the same baseline as the letters: their
    // lowest ink sits at most one row below the bottom of "A".
    EXPECT_LE(std::abs(two.lowestInkRow(indexOf(kMiddle)) - one.lowestInkRow(capitalA)), 1);

    Cp950Decoder big5;
    int compared = 0;
    for (int index = 0; index < kBig5GlyphCount; ++index) {
        const auto codePoint = big5.decode(*big5CodeAt(index));
        const auto glyph = codePoint ? rasteriser.render(*codePoint) : std::nullopt;
        if (!glyph) {
            ASSERT_EQ(two.inkCount(index), 0) << "no character, yet ink at " << index;
        } else if (glyph->width <= two.cellWidth()) { // wider glyphs are made at a smaller size
            ASSERT_EQ(two.inkCount(index), glyph->inkCount()) << "cut at index " << index;
            ++compared;
        }
    }
    EXPECT_GT(compared, 13800);
    EXPECT_EQ(two.inkCount(indexOf(kUnmapped)), 0);
}

INSTANTIATE_TEST_SUITE_P(Faces, MadeFontsTest, ::testing::ValuesIn(kMapFaces),
                         [](const auto& face) { return std::string(face.param.name); });

using test::readText;
using test::run;

TEST(FontmakerCommandTest, AnotherRunGivesTheSameBytesAndTheLicenceIsBeside) {
    if (!std::filesystem::exists(kFontsDir / "MingTi12.0"))
        GTEST_SKIP() << "the map fonts were not made";
    EXPECT_NE(readText(kFontsDir / "MingTi.LICENSE").find("ARPHIC PUBLIC LICENSE"), std::string::npos);
    kyvo::test::TempFolder folder;
    const std::string tool = KYVO_FONTMAKER_PATH;
    ASSERT_EQ(run(tool + " --quiet --font " KYVO_MING_FONT " --face '" KYVO_MING_FAMILY "' --out " + folder.str()), 0);
    for (const MapFace& face : kMapFaces)
        for (const char* suffix : {kSingleByteSuffix, kDoubleByteSuffix}) {
            const std::string name = std::string(face.name) + suffix;
            EXPECT_EQ(readText(folder / name), readText(kFontsDir / name)) << name;
        }
}

TEST(FontmakerCommandTest, RefusesBadArgumentsAndMissingFaces) {
    kyvo::test::TempFolder folder;
    const std::string tool = KYVO_FONTMAKER_PATH;
    const std::string quiet = " >/dev/null 2>&1";
    EXPECT_EQ(run(tool + quiet), 2);
    EXPECT_EQ(run(tool + " --font " KYVO_MING_FONT + quiet), 2);
    EXPECT_EQ(run(tool + " --bogus --font x --out " + folder.str() + quiet), 2);
    EXPECT_EQ(run(tool + " --font " + (folder / "none.ttc").string() + " --out " + folder.str() + quiet), 1);
    if (std::filesystem::exists(KYVO_MING_FONT)) {
        const auto log = folder / "log";
        EXPECT_EQ(run(tool + " --font " KYVO_MING_FONT " --face 'No Such Face' --out " + folder.str() + " 2>" +
                      log.string()),
                  1);
        EXPECT_NE(readText(log).find("no face of family \"No Such Face\""), std::string::npos) << readText(log);
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "MingTi12.0"));
}

} // namespace
} // namespace kyvo::fontmaker
