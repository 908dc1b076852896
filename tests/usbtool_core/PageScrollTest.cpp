// Scrolling of the tall pages: range and steps, limits, resizing and the wheel.

#include "PageScroll.h"

#include <gtest/gtest.h>

using kyvo::usbtool::PageScroll;

TEST(PageScroll, StepsAreATwentiethAndATenthOfTheRangeButAtLeastFive) {
    PageScroll scroll;
    scroll.resize(817, 319);
    EXPECT_EQ(scroll.range(), 498);
    EXPECT_EQ(scroll.lineStep(), 24);
    EXPECT_EQ(scroll.pageStep(), 49);

    scroll.resize(370, 320);
    EXPECT_EQ(scroll.range(), 50);
    EXPECT_EQ(scroll.lineStep(), 5);
    EXPECT_EQ(scroll.pageStep(), 5);

    // Content that fits: nothing to scroll.
    scroll.resize(200, 320);
    EXPECT_EQ(scroll.range(), 0);
    EXPECT_EQ(scroll.scrollLines(3), 0);
    EXPECT_EQ(scroll.position(), 0);
}

TEST(PageScroll, MovesAnswerTheChangeAndStopAtBothEnds) {
    PageScroll scroll;
    scroll.resize(500, 300); // range 200, line 10, page 20
    EXPECT_EQ(scroll.scrollPages(1), 20);
    EXPECT_EQ(scroll.scrollLines(-1), -10);
    EXPECT_EQ(scroll.scrollTo(195), 185);
    EXPECT_EQ(scroll.scrollLines(1), 5); // only what is left
    EXPECT_EQ(scroll.position(), 200);
    EXPECT_EQ(scroll.scrollPages(1), 0);
    EXPECT_EQ(scroll.scrollTo(-40), -200);
    EXPECT_EQ(scroll.scrollPages(-1), 0);
    EXPECT_EQ(scroll.scrollTo(1'000), 200);
    EXPECT_EQ(scroll.scrollLines(-2'000'000'000), -200);

    scroll.scrollTo(120);
    scroll.resize(600, 300); // a resize starts at the top again
    EXPECT_EQ(scroll.position(), 0);
    EXPECT_EQ(scroll.range(), 300);
}

TEST(PageScroll, AWheelNotchTowardsTheUserScrollsOneLineTowardsTheEnd) {
    PageScroll scroll;
    scroll.resize(500, 300); // line 10
    EXPECT_EQ(scroll.wheel(-120), 10);
    EXPECT_EQ(scroll.wheel(-240), 20);
    EXPECT_EQ(scroll.wheel(120), -10);
    EXPECT_EQ(scroll.position(), 20);
    // Small deltas add up to a notch.
    EXPECT_EQ(scroll.wheel(-60), 0);
    EXPECT_EQ(scroll.wheel(-60), 10);
    EXPECT_EQ(scroll.wheel(1'200), -30);
}
