// The colour table: the defaults file written byte for byte when "COLOR.INI"
// is missing, a file read over the defaults, and the reader's handling of
// odd lines.
#include "CartoTestSupport.h"
#include "ColorTable.h"
#include "Diagnostics.h"
#include "FileProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace cartoframe {
namespace {

TColor rgb(int r, int g, int b) { return static_cast<TColor>(r | g << 8 | b << 16); }

void parse(const std::string& text) {
    g_ResetColorTable();
    g_ParseColorText(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

class ColorFileTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(fp_Setup(folder_.str().c_str()), 0); }
    void TearDown() override {
        fp_Teardown();
        g_ResetColorTable();
    }
    test::DiagCapture diag_;
    test::TempFolder folder_;
};

TEST_F(ColorFileTest, MissingFileIsWrittenWithTheDefaults) {
    const std::string expected = "AlleyRd=255,255,255\r\nFreeWay=255,196,70\r\nFastRd=255,253,140\r\n"
                                 "ProvRd=255,253,140\r\nHsienRd=255,255,255\r\nImpRd=255,255,255\r\n"
                                 "CountryRd=255,255,255\r\nNormalRd=255,255,255\r\nRouteRd=255,255,255\r\n"
                                 "OptPathBk=225,123,41\r\nOptPathFr=250,186,26\r\n2DMapBk=242,239,234\r\n"
                                 "Water=156,182,206\r\nShape=181,215,156\r\nRdName=0,0,0\r\nRdFrame=128,128,128\r\n";
    parse("Water=1,2,3\n"); // a load starts from the defaults, whatever was read before
    EXPECT_EQ(g_LoadColorTable(), 1);
    const test::Bytes written = test::readFile(folder_ / "COLOR.INI");
    EXPECT_EQ(std::string(written.begin(), written.end()), expected);

    EXPECT_EQ(g_GetColor(CT_FREE_WAY), 0x46C4FFu);
    EXPECT_EQ(g_GetBorderColor(CT_FREE_WAY), rgb(170, 131, 47));
    EXPECT_EQ(g_GetBorderColor(CT_OPT_PATH_BK), rgb(150, 82, 28));
    EXPECT_EQ(g_MapBackColor(), rgb(242, 239, 234));
    EXPECT_EQ(g_WaterColor(), rgb(156, 182, 206));
    EXPECT_EQ(g_ShapeColor(), rgb(181, 215, 156));
    EXPECT_EQ(g_RoadNameColor(), rgb(0, 0, 0));
    EXPECT_EQ(g_RoadFrameColor(), rgb(128, 128, 128));
    EXPECT_EQ(g_GetBorderColor(CT_OPT_PATH_FR), 0u); // entries from 10 on have none
    EXPECT_EQ(g_GetColor(CT_ENTRY_NUM), 0u);
    EXPECT_EQ(g_GetColor(-1), 0u);

    // The written file reads back to the same table.
    EXPECT_EQ(g_LoadColorTable(), 0);
    EXPECT_EQ(g_GetColor(CT_FREE_WAY), 0x46C4FFu);
}

TEST_F(ColorFileTest, FileIsReadOverTheDefaults) {
    test::writeFile(folder_ / "COLOR.INI", {'F', 'r', 'e', 'e', 'W', 'a', 'y', '=', '3', '0', ',', '6', '0', ',',
                                            '9', '0', '\r', '\r', '\n'});
    EXPECT_EQ(g_LoadColorTable(), 0);
    EXPECT_EQ(g_GetColor(CT_FREE_WAY), rgb(30, 60, 90));
    EXPECT_EQ(g_GetBorderColor(CT_FREE_WAY), rgb(20, 40, 60));
    EXPECT_EQ(g_GetColor(CT_FAST_RD), rgb(255, 253, 140));
    EXPECT_EQ(g_GetBorderColor(CT_FAST_RD), rgb(170, 169, 94));
    EXPECT_EQ(test::readFile(folder_ / "COLOR.INI").size(), 19u); // left as it was
}

TEST(ColorTextTest, OddLinesReadSafely) {
    const std::string longName(300, 'W');
    struct Case {
        std::string text;
        TColorIndex entry;
        TColor colour;
    };
    const Case cases[] = {
        {"Water=1 2,3,4\n", CT_WATER, rgb(102, 3, 4)},
        {"Water=300,256,99999999999999999999999999\n", CT_WATER, rgb(255, 255, 255)},
        {"Nowhere=1,2,3\nWater=4,5,6\n", CT_WATER, rgb(4, 5, 6)},
        {"Water=1,2,3,4,5\nShape=7,8,9\n", CT_WATER, rgb(1, 2, 3)},
        {"Water=1,2,3,4,5\nShape=7,8,9\n", CT_SHAPE, rgb(7, 8, 9)},
        {"Water=1,2,3,444\n", CT_SHAPE, rgb(181, 215, 156)},
        {"Wa\rter=1,\r2,3\r\r\n", CT_WATER, rgb(1, 2, 3)},
        {"Water=5\n", CT_WATER, rgb(5, 0, 0)},
        {"Water\nShape=1,2,3\n", CT_WATER, rgb(156, 182, 206)},
        {"Water\nShape=1,2,3\n", CT_SHAPE, rgb(1, 2, 3)},
        {"water=1,2,3\n", CT_WATER, rgb(156, 182, 206)},
        {"Water=1,2,3", CT_WATER, rgb(1, 2, 3)}, // no final line feed
        {longName + "=1,2,3\nWater=7,8,9\n", CT_WATER, rgb(7, 8, 9)},
        {"Water" + longName + "=1,2,3\n", CT_WATER, rgb(156, 182, 206)},
        {std::string(127 - 5, ' ') + "Water=1,2,3\n", CT_WATER, rgb(156, 182, 206)},
        {"FreeWay=90,9,0\n", CT_FREE_WAY, rgb(90, 9, 0)},
    };
    for (const Case& c : cases) {
        parse(c.text);
        EXPECT_EQ(g_GetColor(c.entry), c.colour) << c.text;
    }
    parse("FreeWay=90,9,0\n");
    EXPECT_EQ(g_GetBorderColor(CT_FREE_WAY), rgb(60, 6, 0));
    g_ResetColorTable();
}

} // namespace
} // namespace cartoframe
