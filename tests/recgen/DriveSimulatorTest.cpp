// The synthetic drive and the telemetry built from it: physical consistency,
// course wrap, determinism, GPS voids, G-sensor readings, entry timing and
// event jolts.
#include "DriveSimulator.h"
#include "Nmea.h"
#include "DriveTelemetry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace kyvo::recgen {
namespace {

constexpr double kEntryInterval = 1.0 / 3;  // ten frames at 30 fps
constexpr double kMaxTurnRate = drive::kTurnRateMaxDeg;

double rad(double deg) { return deg * std::numbers::pi / 180; }

// Great-circle distance and initial bearing, independent of the simulator's
// flat-earth step.
double distanceM(const GpsFix& a, const GpsFix& b) {
    const double dLat = rad(b.latitudeDeg - a.latitudeDeg);
    const double dLon = rad(b.longitudeDeg - a.longitudeDeg);
    const double h = std::pow(std::sin(dLat / 2), 2) +
                     std::cos(rad(a.latitudeDeg)) * std::cos(rad(b.latitudeDeg)) * std::pow(std::sin(dLon / 2), 2);
    return 2 * drive::kEarthRadiusM * std::asin(std::sqrt(h));
}

double bearingDeg(const GpsFix& a, const GpsFix& b) {
    const double dLon = rad(b.longitudeDeg - a.longitudeDeg);
    const double y = std::sin(dLon) * std::cos(rad(b.latitudeDeg));
    const double x = std::cos(rad(a.latitudeDeg)) * std::sin(rad(b.latitudeDeg)) -
                     std::sin(rad(a.latitudeDeg)) * std::cos(rad(b.latitudeDeg)) * std::cos(dLon);
    return wrapDegrees(std::atan2(y, x) * 180 / std::numbers::pi);
}

// Signed smallest difference b - a, in (-180, 180].
double angleDiff(double a, double b) {
    const double d = wrapDegrees(b - a);
    return d > 180 ? d - 360 : d;
}

std::vector<DriveSample> drive(std::uint64_t seed, double seconds, double interval = kEntryInterval) {
    DriveSimulator simulator(DriveParams{seed, drive::kDefaultLatitudeDeg, drive::kDefaultLongitudeDeg});
    std::vector<DriveSample> samples;
    for (int k = 0; k * interval <= seconds; ++k)
        samples.push_back(simulator.sampleAt(k * interval));
    return samples;
}

TEST(DriveSimulatorTest, DistanceFollowsSpeedAndDirectionFollowsCourse) {
    for (std::uint64_t seed = 1; seed <= 5; ++seed) {
        SCOPED_TRACE(seed);
        const auto samples = drive(seed, 300);
        double stoppedFor = 0;
        double longestStop = 0;
        double fastest = 0;
        for (std::size_t i = 1; i < samples.size(); ++i) {
            const GpsFix& a = samples[i - 1].truth;
            const GpsFix& b = samples[i].truth;
            const double travelled = distanceM(a, b);
            const double expected = (a.speedMps + b.speedMps) / 2 * kEntryInterval;
            ASSERT_NEAR(travelled, expected, 0.1 + 0.005 * expected) << "at " << samples[i].timeS;
            if (travelled > 2) {
                const double meanCourse = a.courseDeg + angleDiff(a.courseDeg, b.courseDeg) / 2;
                ASSERT_NEAR(angleDiff(meanCourse, bearingDeg(a, b)), 0, 4) << "at " << samples[i].timeS;
            }
            stoppedFor = b.speedMps == 0 ? stoppedFor + kEntryInterval : 0;
            longestStop = std::max(longestStop, stoppedFor);
            fastest = std::max(fastest, b.speedMps * drive::kKmhPerMetrePerSecond);
        }
        EXPECT_GE(longestStop, drive::kStopMinS - kEntryInterval);
        EXPECT_GE(fastest, drive::kCruiseMinKmh);
        EXPECT_LE(fastest, drive::kCruiseMaxKmh + 1e-9);
    }
}

TEST(DriveSimulatorTest, CourseStaysInRangeAndTurnsSmoothlyThroughNorth) {
    int crossingsOfNorth = 0;
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        const auto samples = drive(seed, 300);
        for (std::size_t i = 1; i < samples.size(); ++i) {
            const double a = samples[i - 1].truth.courseDeg;
            const double b = samples[i].truth.courseDeg;
            ASSERT_GE(b, 0.0);
            ASSERT_LT(b, 360.0);
            ASSERT_LE(std::fabs(angleDiff(a, b)), kMaxTurnRate * kEntryInterval + 1e-6) << "seed " << seed;
            if ((a > 270 && b < 90) || (a < 90 && b > 270))
                ++crossingsOfNorth;
        }
    }
    EXPECT_GT(crossingsOfNorth, 0) << "no drive turned through north; the wrap went untested";
}

TEST(DriveSimulatorTest, SameSeedSameDriveHoweverOftenSampled) {
    const auto thirds = drive(5, 60, 1.0 / 3);
    const auto fifths = drive(5, 60, 0.4);  // ten frames at 25 fps
    for (int second = 2; second <= 60; second += 2) {
        const GpsFix& a = thirds[static_cast<std::size_t>(second * 3)].truth;
        const GpsFix& b = fifths[static_cast<std::size_t>(second * 5 / 2)].truth;
        ASSERT_EQ(a.latitudeDeg, b.latitudeDeg) << second;
        ASSERT_EQ(a.longitudeDeg, b.longitudeDeg) << second;
        ASSERT_EQ(a.courseDeg, b.courseDeg) << second;
    }
    EXPECT_EQ(drive(5, 10).back().g, thirds[30].g);
    EXPECT_NE(drive(6, 10).back().truth.latitudeDeg, thirds[30].truth.latitudeDeg);
}

TEST(DriveSimulatorTest, VoidSpellsHoldTheLastValidFix) {
    const auto samples = drive(3, 120);
    ASSERT_TRUE(samples.front().gpsValid);
    int spells = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const DriveSample& s = samples[i];
        if (s.gpsValid) {
            ASSERT_EQ(s.reported.latitudeDeg, s.truth.latitudeDeg);
            continue;
        }
        const DriveSample& before = samples[i - 1];
        if (before.gpsValid) {
            ++spells;
            // Held from the moment the fix was lost, between the two samples.
            EXPECT_LE(distanceM(before.truth, s.reported), distanceM(before.truth, s.truth) + 1e-6);
        } else {
            EXPECT_EQ(s.reported.latitudeDeg, before.reported.latitudeDeg);
            EXPECT_EQ(s.reported.speedMps, before.reported.speedMps);
        }
    }
    EXPECT_GE(spells, 3);
}

TEST(DriveSimulatorTest, SensorShowsGravityAccelerationAndBoundedBumps) {
    bool sawStop = false;
    bool sawBraking = false;
    for (const DriveSample& s : drive(2, 300)) {
        for (double axis : s.g)
            ASSERT_LE(std::fabs(axis), 2.0);
        if (s.phase == DrivePhase::Stopped && s.truth.speedMps == 0) {
            sawStop = true;
            EXPECT_NEAR(s.g[0], 0, drive::kSensorNoiseG + 1e-9);
            EXPECT_NEAR(s.g[1], 0, drive::kSensorNoiseG + 1e-9);
            EXPECT_NEAR(s.g[2], 1, drive::kSensorNoiseG + 1e-9);
        }
        if (s.phase == DrivePhase::Braking) {
            sawBraking = true;
            EXPECT_LT(s.g[0], -0.1);
        }
    }
    EXPECT_TRUE(sawStop);
    EXPECT_TRUE(sawBraking);
}

TelemetryPlan plan(double seconds) {
    TelemetryPlan p;
    p.start = {2024, 6, 13, 7, 59, 58};
    p.utcOffsetHours = 8;  // UTC 2024-06-12 23:59:58: the GPS date turns after 2 s
    p.frameCount = static_cast<int>(seconds * p.frameRate);
    return p;
}

TEST(TelemetryTest, EntriesDescribeEveryTenthFrameInUtc) {
    const TelemetryTrack track = buildTelemetry(plan(10));
    ASSERT_EQ(track.entries.size(), 31u);
    for (std::size_t k = 0; k < track.entries.size(); ++k) {
        SCOPED_TRACE(k);
        const TelemetryEntry& e = track.entries[k];
        EXPECT_EQ(e.seconds, k / 3);
        const auto fix = parseRmc(e.sentence);
        ASSERT_TRUE(fix) << e.sentence;
        const auto millisSinceStart = static_cast<std::uint32_t>(std::llround(k * 1000.0 / 3));
        EXPECT_EQ(fix->millisOfDay, (86398000 + millisSinceStart) % 86400000);
        EXPECT_EQ(fix->day, k < 6 ? 12 : 13);
        EXPECT_NEAR(fix->speedKnots * 1.852, track.reportedSpeedKmh[k], 0.1);
    }
}

TEST(TelemetryTest, VoidEntriesRepeatTheHeldPositionAndShocksJoltOneEntry) {
    TelemetryPlan quiet = plan(60);
    const TelemetryTrack calm = buildTelemetry(quiet);
    int voids = 0;
    for (std::size_t k = 1; k < calm.entries.size(); ++k) {
        const auto fix = parseRmc(calm.entries[k].sentence);
        ASSERT_TRUE(fix);
        if (fix->valid)
            continue;
        ++voids;
        const auto before = parseRmc(calm.entries[k - 1].sentence);
        // Position, speed and course (from the status field to the date) repeat while void.
        if (!before->valid) {
            EXPECT_EQ(calm.entries[k].sentence.substr(19, 37), calm.entries[k - 1].sentence.substr(19, 37));
        }
    }
    EXPECT_GT(voids, 0);

    quiet.shockTimesS = {5};
    const TelemetryTrack shaken = buildTelemetry(quiet);
    for (std::size_t k = 0; k < calm.entries.size(); ++k) {
        const auto& a = calm.entries[k].g;
        const auto& b = shaken.entries[k].g;
        const double jolt = std::hypot(b[0] - a[0], b[1] - a[1], b[2] - a[2]);
        if (k == 15) {
            EXPECT_GT(jolt, 0.9);
        } else {
            EXPECT_EQ(jolt, 0) << k;
        }
    }
}

TEST(TelemetryTest, EventsLieInsideTheRecording) {
    const CivilTime start{2024, 6, 12, 8, 15, 0};
    const auto events = planEvents(RecordingKind::Event, start, 10, 3);
    ASSERT_EQ(events.size(), 3u);
    for (const EventMoment& e : events) {
        EXPECT_GT(e.offsetS, 0);
        EXPECT_LT(e.offsetS, 10);
    }
    EXPECT_EQ(events[0].text, "2024/06/12 08:15:02 G-sensor event");
    EXPECT_EQ(planEvents(RecordingKind::Manual, start, 30, 1)[0].text, "2024/06/12 08:15:15 manual event");
}

}  // namespace
}  // namespace kyvo::recgen
