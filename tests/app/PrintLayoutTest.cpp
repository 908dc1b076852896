// The print-out's layout from the printable area.

#include "PrintLayout.h"

#include <gtest/gtest.h>

using namespace kyvo::app;

TEST(PrintLayout, ASmallFrameOnA300DpiA4PageIsPrintedThreeTimesLargerAndCentred) {
    const PrintLayout layout = printLayout(3507, 2480, 640, 480);
    EXPECT_EQ(layout.pictureWidth, 1920);
    EXPECT_EQ(layout.pictureHeight, 1440);
    EXPECT_EQ(layout.pictureX, 793);
    EXPECT_EQ(layout.pictureY, 520);
    EXPECT_EQ(layout.dateY, 100);
    EXPECT_EQ(layout.positionY, 220);
    EXPECT_EQ(layout.speedY, 340);
    EXPECT_EQ(layout.gsensorY, 2010);
    EXPECT_EQ(layout.fontPixels, 67);
}

TEST(PrintLayout, ALargeFrameKeepsItsSizeAndDistancesScaleWithThePage) {
    // 1200 dpi A4 landscape (14031 x 9921), a 1920 x 1080 frame.
    const PrintLayout layout = printLayout(14031, 9921, 1920, 1080);
    EXPECT_EQ(layout.pictureWidth, static_cast<int>(1920 * (14031.0 / 3507)));
    EXPECT_EQ(layout.pictureHeight, static_cast<int>(1080 * (9921.0 / 2480)));
    EXPECT_EQ(layout.pictureX, (14031 - layout.pictureWidth) / 2);
    EXPECT_EQ(layout.dateY, layout.pictureY - static_cast<int>(420 * (9921.0 / 2480)));
    EXPECT_LT(layout.dateY, layout.positionY);
    EXPECT_LT(layout.positionY, layout.speedY);
    EXPECT_GT(layout.dateY, 0);
    EXPECT_LT(layout.gsensorY + layout.fontPixels, 9921);
}

TEST(PrintLayout, WithoutAPictureTheLinesStandWhereTheyDoForASmallFrame) {
    const PrintLayout none = printLayout(3507, 2480, 0, 0);
    const PrintLayout small = printLayout(3507, 2480, 640, 480);
    EXPECT_EQ(none.dateY, small.dateY);
    EXPECT_EQ(none.gsensorY, small.gsensorY);
}
