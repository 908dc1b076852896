// MVOXQ, the ring of pending transitions: oldest first, five places, and a
// full ring that reads as empty.

#include "TransitionRing.h"

#include <gtest/gtest.h>

namespace kyvo::player {
namespace {

PendingTransition entry(int n) { return {n, n + 100, n + 200, n + 300}; }

TEST(TransitionRingTest, ReadsOldestFirstUntilRemoved) {
    MVOXQ ring;
    PendingTransition out;
    EXPECT_EQ(ring.readOldest(&out), MVOXQ::kEmpty);
    ring.write(entry(1));
    ring.write(entry(2));
    EXPECT_EQ(ring.readOldest(nullptr), MVOXQ::kNoOutput);
    ASSERT_EQ(ring.readOldest(&out), MVOXQ::kRead);
    EXPECT_EQ(out.from, 1);
    EXPECT_EQ(out.to, 101);
    EXPECT_EQ(out.code, 201);
    EXPECT_EQ(out.requester, 301);
    ASSERT_EQ(ring.readOldest(&out), MVOXQ::kRead) << "reading does not remove";
    EXPECT_EQ(out.from, 1);
    ring.removeOldest();
    ASSERT_EQ(ring.readOldest(&out), MVOXQ::kRead);
    EXPECT_EQ(out.from, 2);
    ring.removeOldest();
    ring.removeOldest(); // on an empty ring: nothing
    EXPECT_EQ(ring.readOldest(&out), MVOXQ::kEmpty);
    ring.write(entry(3));
    ASSERT_EQ(ring.readOldest(&out), MVOXQ::kRead);
    EXPECT_EQ(out.from, 3);
}

TEST(TransitionRingTest, FiveWritesWithoutAReadLeaveItReadingEmpty) {
    MVOXQ ring;
    for (int n = 0; n < MVOXQ::kEntries - 1; ++n)
        ring.write(entry(n));
    PendingTransition out;
    EXPECT_EQ(ring.readOldest(&out), MVOXQ::kRead);
    ring.write(entry(4));
    EXPECT_EQ(ring.readOldest(&out), MVOXQ::kEmpty);
    ring.write(entry(5)); // overwrote the oldest: entry 5 now reads first
    ASSERT_EQ(ring.readOldest(&out), MVOXQ::kRead);
    EXPECT_EQ(out.from, 5);
}

} // namespace
} // namespace kyvo::player
