#pragma once
// The synthetic drive behind a recording's telemetry. From a seed it plans a
// plausible town drive: pull away, cruise at 40-90 km/h through gentle curves,
// slow down for a right-angle turn or brake to a full stop of a few seconds,
// and pull away again. Position follows from speed and course (a flat-earth
// step every tick), so distance = speed x time and direction = course hold.
//
// The GPS receiver loses its fix now and then (a spell of 1-2.5 s every
// 18-35 s, the first one 6-14 s into the drive); during a spell the reported
// fix is the last valid one.
//
// The G-sensor reports in g along x (forward), y (right) and z (up). The
// reading includes gravity, so z is about +1 g at rest; x carries the
// longitudinal and y the lateral acceleration, plus small noise and road bumps.
//
// The drive advances in fixed ticks of 1/120 s, which divides the entry
// interval (10 frames) of every usual frame rate, so the route does not depend
// on when or how often it is sampled.

#include "Random.h"

#include <array>
#include <cstdint>

namespace kyvo::recgen {

namespace drive {
constexpr double kTickSeconds = 1.0 / 120;
constexpr double kDefaultLatitudeDeg = 25.0583;
constexpr double kDefaultLongitudeDeg = 121.5640;
constexpr double kEarthRadiusM = 6371008.8;
constexpr double kStandardGravity = 9.80665;
constexpr double kMetresPerSecondPerKnot = 1852.0 / 3600;
constexpr double kKmhPerMetrePerSecond = 3.6;

constexpr double kStartSpeedMinKmh = 15, kStartSpeedMaxKmh = 30;
constexpr double kCruiseMinKmh = 40, kCruiseMaxKmh = 90;
constexpr double kTurnSpeedKmh = 22;
constexpr double kAccelMin = 1.2, kAccelMax = 2.4;         // m/s^2
constexpr double kBrakeMin = 2.0, kBrakeMax = 3.5;         // m/s^2
constexpr double kHardBrake = 6.0, kHardBrakeChance = 0.2;
constexpr double kCruiseMinS = 6, kCruiseMaxS = 16;
constexpr double kStopMinS = 3, kStopMaxS = 6;
constexpr double kStopChance = 0.5;                        // else slow down and turn
constexpr int kMaxLegsWithoutStop = 2;
constexpr double kTurnMinDeg = 70, kTurnMaxDeg = 100;
constexpr double kTurnRateMinDeg = 14, kTurnRateMaxDeg = 20;  // deg/s
constexpr double kCurveChance = 0.6;
constexpr double kCurveMinDeg = 10, kCurveMaxDeg = 40;
constexpr double kCurveRateMinDeg = 3, kCurveRateMaxDeg = 6;
constexpr double kMaxLateral = 2.5;                        // m/s^2, caps the turn rate at speed

constexpr double kFirstVoidMinS = 6, kFirstVoidMaxS = 14;
constexpr double kVoidGapMinS = 18, kVoidGapMaxS = 35;
constexpr double kVoidMinS = 1.0, kVoidMaxS = 2.5;

constexpr double kSensorNoiseG = 0.02;
constexpr double kBumpsPerSecond = 0.15;
constexpr double kBumpMinG = 0.15, kBumpMaxG = 0.6;
constexpr double kBumpPitchShare = 0.3;             // part of a bump felt along x
}  // namespace drive

struct DriveParams {
    std::uint64_t seed = 1;
    double startLatitudeDeg = drive::kDefaultLatitudeDeg;
    double startLongitudeDeg = drive::kDefaultLongitudeDeg;
};

enum class DrivePhase { Accelerate, Cruise, SlowForTurn, Turning, Braking, Stopped };

struct GpsFix {
    double latitudeDeg = 0;
    double longitudeDeg = 0;
    double speedMps = 0;
    double courseDeg = 0;  // 0 <= course < 360
};

struct DriveSample {
    double timeS = 0;            // since the start of the drive
    GpsFix truth;                // where the car is
    GpsFix reported;             // what the receiver reports (the held fix while void)
    bool gpsValid = true;
    std::array<double, 3> g{};   // x forward, y right, z up
    DrivePhase phase = DrivePhase::Accelerate;
};

class DriveSimulator {
public:
    explicit DriveSimulator(const DriveParams& params);

    // Advances to `timeS` (rounded to the tick; never backwards) and samples
    // the car there.
    DriveSample sampleAt(double timeS);

private:
    void tick();
    void updatePhase(double dt, double& accel, double& yawDegPerS);
    void planAfterCruise();
    void enterAccelerate();
    void enterCruise();
    void updateGps(double time);
    std::array<double, 3> readSensor();

    Random routeRng_;
    Random gpsRng_;
    Random sensorRng_;

    std::int64_t ticks_ = 0;
    GpsFix car_;
    DrivePhase phase_ = DrivePhase::Accelerate;
    double targetSpeed_ = 0;   // m/s, for Accelerate and SlowForTurn
    double rate_ = 0;          // m/s^2 magnitude of the current speed change
    double phaseTimer_ = 0;    // s left in Cruise or Stopped
    double turnLeftDeg_ = 0;   // heading change still to make
    double turnSign_ = 1;      // +1 clockwise (right), -1 left
    double turnRateDeg_ = 0;
    int legsWithoutStop_ = 0;

    double lastAccel_ = 0;     // m/s^2 of the last tick
    double lastYawRad_ = 0;    // rad/s of the last tick, clockwise positive
    std::int64_t lastSampleTick_ = 0;

    double voidStart_ = 0;
    double voidEnd_ = 0;
    bool gpsValid_ = true;
    GpsFix heldFix_;
};

// Wraps any angle into [0, 360).
double wrapDegrees(double degrees);

}  // namespace kyvo::recgen
