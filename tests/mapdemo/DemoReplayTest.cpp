// The replay schedule: due times from the fixes' GPS times, and which fixes
// are due after some wall-clock seconds at each speed, through pause, speed
// changes and restarts.
#include "DemoReplay.h"

#include <gtest/gtest.h>

#include <vector>

namespace kyvo::mapdemo {
namespace {

TrackPoint at(double clock) {
    TrackPoint point;
    point.longitude = 121.5;
    point.latitude = 25.0;
    point.clock = clock;
    return point;
}

// Fixes every third of a second, as the recorder stores them.
std::vector<double> everyThirdSecond(int count) {
    std::vector<double> due;
    for (int i = 0; i < count; ++i)
        due.push_back(i / 3.0);
    return due;
}

TEST(DemoReplay, DueTimesFollowGpsTimeWithStepsBackAndGapsBounded) {
    const std::vector<std::vector<TrackPoint>> recordings{
        {at(1000), at(1000.5), at(1000.25), at(1001), at(1500)}, // a step back, then an outage
        {},                                                     // a recording without fixes
        {at(1000.9), at(1003)},                                 // earlier than the last fix: no wait
        {at(90000), at(90002)},                                 // the next day: a short wait
    };
    const ReplayTrack track = joinRecordings(recordings);
    ASSERT_EQ(track.points.size(), 9u);
    const std::vector<double> expected{
        0, 0.5, 0.5, 1.25, 1.25 + kMaxFixGapSeconds, // within the first recording
        1.25 + kMaxFixGapSeconds,                    // next recording: no wait back in time
        3.35 + kMaxFixGapSeconds,
        3.35 + kMaxFixGapSeconds + kMaxRecordingGapSeconds,
        5.35 + kMaxFixGapSeconds + kMaxRecordingGapSeconds,
    };
    ASSERT_EQ(track.dueAt.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(track.dueAt[i], expected[i], 1e-9) << i;
    EXPECT_DOUBLE_EQ(track.points[5].clock, 1000.9);
    EXPECT_TRUE(joinRecordings({}).points.empty());
}

TEST(DemoReplay, EachSpeedSendsTheFixesDueByThenInOrder) {
    struct Case {
        int speed;
        double wallSeconds;
        std::size_t expected;
    };
    // 61 fixes over 20 s of drive: at 1x 2 s reach the fix at 2 s (the 7th),
    // at 4x 2 s reach 8 s (the 25th), at 16x 2 s are past the end.
    const Case cases[] = {{1, 0, 1}, {1, 2, 7}, {4, 2, 25}, {16, 1, 49}, {16, 2, 61}, {4, 1.9, 23}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.speed << "x after " << c.wallSeconds << " s");
        Replay replay(everyThirdSecond(61));
        replay.setSpeed(c.speed, 100);
        replay.play(100);
        // Taken in small steps, the ranges follow each other without gaps.
        std::size_t next = 0;
        constexpr int kSteps = 40;
        for (int k = 0; k <= kSteps; ++k) {
            const Replay::Range range = replay.take(100 + c.wallSeconds * k / kSteps);
            EXPECT_EQ(range.begin, next);
            next = range.end;
        }
        EXPECT_EQ(replay.take(100 + c.wallSeconds).size(), 0u);
        EXPECT_EQ(replay.sent(), c.expected);
        EXPECT_EQ(replay.finished(), c.expected == 61);
    }
}

TEST(DemoReplay, PauseKeepsThePlaceAndSpeedChangesKeepIt) {
    Replay replay(everyThirdSecond(300)); // 100 s of drive
    EXPECT_FALSE(replay.playing());
    EXPECT_EQ(replay.take(5).size(), 1u) << "paused at the start, the first fix is due";
    EXPECT_EQ(replay.take(50).size(), 0u) << "nothing more before play";

    replay.play(50);
    replay.take(52); // 2 s at 1x
    EXPECT_EQ(replay.sent(), 7u);
    replay.pause(52);
    EXPECT_EQ(replay.take(70).size(), 0u);
    EXPECT_DOUBLE_EQ(replay.trackTime(70), 2);

    replay.setSpeed(16, 75); // while paused: no time passes
    replay.play(80);
    EXPECT_DOUBLE_EQ(replay.trackTime(81), 18);
    replay.setSpeed(4, 81);
    EXPECT_DOUBLE_EQ(replay.trackTime(82), 22);
    replay.setSpeed(3, 82); // not a speed of the demo
    EXPECT_EQ(replay.speed(), 4);
    EXPECT_EQ(replay.take(82).end, 67u); // fixes up to 22 s
}

TEST(DemoReplay, RestartGoesBackToTheFirstFixAndKeepsPlayingOrPaused) {
    Replay replay(everyThirdSecond(30));
    replay.setSpeed(16, 0);
    replay.play(0);
    replay.take(5);
    ASSERT_TRUE(replay.finished());

    replay.restart(10);
    EXPECT_EQ(replay.sent(), 0u);
    EXPECT_TRUE(replay.playing());
    const Replay::Range again = replay.take(10.25); // 4 s of drive at 16x
    EXPECT_EQ(again.begin, 0u);
    EXPECT_EQ(again.end, 13u);

    replay.pause(10.25);
    replay.restart(20);
    EXPECT_FALSE(replay.playing());
    EXPECT_EQ(replay.take(30).end, 1u);
    EXPECT_EQ(replay.speed(), 16);

    Replay empty;
    empty.play(0);
    EXPECT_TRUE(empty.take(100).empty());
    EXPECT_TRUE(empty.finished());
}

} // namespace
} // namespace kyvo::mapdemo
