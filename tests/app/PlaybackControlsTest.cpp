#include "PlaybackControls.h"

#include <gtest/gtest.h>

#include <climits>

using namespace kyvo::app;
using Target = BarHit::Target;

TEST(PlaybackBars, ClicksOnTheStripsSetPositionsAndSeconds) {
    EXPECT_EQ(stripAt(38, 490).position, 0);
    EXPECT_EQ(stripAt(239, 490).position, 200);
    EXPECT_EQ(stripAt(400, 490).position, 360);
    // The drawn bar below the strip seeks the same way, up to its edges.
    EXPECT_EQ(stripAt(239, 510).target, Target::ProgressStrip);
    EXPECT_EQ(stripAt(239, 510).position, 200);
    EXPECT_EQ(stripAt(20, 501).position, 0);
    EXPECT_EQ(stripAt(446, 525).position, 360);
    EXPECT_EQ(stripAt(447, 510).target, Target::None);
    EXPECT_EQ(stripAt(239, 526).target, Target::None);
    EXPECT_EQ(seekSecondForClick(200, 180), 100);
    EXPECT_EQ(seekSecondForClick(360, 180), 180);   // a click at the end is not kept below it
    EXPECT_EQ(speedPositionFromX(655), 0);
    EXPECT_EQ(speedPositionFromX(745), 90);
    EXPECT_EQ(speedPositionFromX(746), 107);
    EXPECT_EQ(volumePositionFromX(858), 0);
    EXPECT_EQ(volumePositionFromX(986), 128);
    // The volume bar below its knob takes clicks.
    const BarHit volume = stripAt(900, 540);
    EXPECT_EQ(volume.target, Target::VolumeStrip);
    EXPECT_EQ(volume.position, 42);
    EXPECT_EQ(stripAt(900, 552).target, Target::None);
    // So does the bar as drawn, left of the knob.
    EXPECT_EQ(stripAt(860, 507).target, Target::VolumeStrip);
    EXPECT_EQ(stripAt(860, 507).position, 2);
    EXPECT_EQ(stripAt(1003, 507).target, Target::None);
}

TEST(PlaybackBars, KnobsFollowTheirPositionsAndComeBeforeTheStrips) {
    const BarPositions bars{100, 56, 128};
    EXPECT_EQ(knobAt(123, 501, bars).target, Target::ProgressKnob);
    EXPECT_EQ(knobAt(156, 501, bars).target, Target::None);   // right edge outside
    EXPECT_EQ(knobAt(23, 501, bars).target, Target::None);    // where the knob was at 0
    // The speed knob lies on the speed strip: the knob test answers first.
    EXPECT_EQ(knobAt(710, 505, bars).target, Target::SpeedKnob);
    EXPECT_EQ(stripAt(710, 505).target, Target::SpeedStrip);
    EXPECT_EQ(knobAt(660, 505, bars).target, Target::None);
    EXPECT_EQ(knobAt(980, 517, bars).target, Target::VolumeKnob);
    EXPECT_EQ(knobAt(980, 518, bars).target, Target::None);
}

TEST(PlaybackSpeed, TableRowsAndLimits) {
    EXPECT_EQ(speedFor(17).value, 0.15);
    EXPECT_EQ(speedFor(18).value, 0.25);
    EXPECT_EQ(speedFor(kSpeedStartPosition).step, kNormalSpeedStep);
    EXPECT_EQ(speedFor(kSpeedStartPosition).value, 1.0);
    EXPECT_EQ(speedFor(107).step, 7);
    EXPECT_EQ(speedFor(107).value, 6.0);
    EXPECT_TRUE(speedFor(119).valid);
    EXPECT_FALSE(speedFor(120).valid);
    EXPECT_FALSE(speedFor(-1).valid);
}

TEST(PlaybackVolume, TableGapAndMute) {
    EXPECT_EQ(volumeFor(0, true), 0);
    EXPECT_EQ(volumeFor(0, false), std::nullopt);
    EXPECT_EQ(volumeFor(12, false), 15);
    EXPECT_EQ(volumeFor(96, false), 90);
    EXPECT_EQ(volumeFor(97, false), 91);
    EXPECT_EQ(volumeFor(102, false), 95);
    EXPECT_EQ(volumeFor(108, false), 99);
    EXPECT_EQ(volumeFor(128, false), 100);
    EXPECT_EQ(volumeFor(129, true), std::nullopt);
    EXPECT_EQ(volumeFor(-1, true), std::nullopt);
    // Every knob position sends a level, and the levels never fall.
    int last = 0;
    for (int p = 0; p <= kVolumePositionMax; ++p) {
        const std::optional<int> level = volumeFor(p, true);
        ASSERT_TRUE(level.has_value()) << p;
        EXPECT_GE(*level, last) << p;
        last = *level;
    }
}

TEST(PlaybackProgress, PositionSeekAndEndBound) {
    EXPECT_EQ(progressPosition(0, 10, 77), 0);
    EXPECT_EQ(progressPosition(180, 90, 0), 180);
    EXPECT_EQ(progressPosition(180, 181, 77), 77);
    EXPECT_EQ(progressPosition(10'000'000, 9'000'000, 0), 324);   // no overflow of the product
    // Releasing past the end seeks length - 1.
    EXPECT_EQ(seekSecondForRelease(360, 180), 179);
    EXPECT_EQ(seekSecondForRelease(180, 180), 90);
    // 100 s as a float minute count is just below 100, so the end seeks 98.
    EXPECT_EQ(seekSecondForRelease(360, 100), 98);
    EXPECT_EQ(seekSecondForRelease(359, 100), 99);

    EXPECT_FALSE(atEndBound(179, 5400));
    EXPECT_TRUE(atEndBound(180, 5400));
    EXPECT_TRUE(atEndBound(0, 29));
    EXPECT_FALSE(atEndBound(INT_MAX, kUnknownFrameCount));
    EXPECT_FALSE(atEndBound(-1, 5400));
}

TEST(PlaybackTimeTexts, MinutesAndSeconds) {
    EXPECT_EQ(elapsedText(75), "00:01:15");
    EXPECT_EQ(lengthText(180), " / 00:03:00");
    EXPECT_EQ(elapsedText(3599), "00:59:59");
    EXPECT_EQ(elapsedText(125 * 60 + 45), "00:125:45");
    EXPECT_EQ(lengthText(-5), " / 00:00:00");
    EXPECT_EQ(elapsedText(INT_MAX), "00:35791394:07");
}

TEST(PlaybackFileOrder, PreviousNextAndAdvanceWrap) {
    EXPECT_EQ(nextIndex(4, 5), 0);
    EXPECT_EQ(nextIndex(-1, 5), 0);
    EXPECT_EQ(nextIndex(2, 5), 3);
    EXPECT_EQ(previousIndex(0, 5), 4);
    EXPECT_EQ(previousIndex(-1, 5), 4);
    EXPECT_EQ(previousIndex(3, 5), 2);
    EXPECT_EQ(advanceIndex(3, 5), 4);
    EXPECT_EQ(advanceIndex(4, 5), 0);
    EXPECT_EQ(nextIndex(0, 1), 0);
    EXPECT_EQ(previousIndex(0, 1), 0);
    EXPECT_EQ(nextIndex(0, 0), -1);
}
