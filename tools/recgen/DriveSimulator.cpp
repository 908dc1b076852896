#include "DriveSimulator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kyvo::recgen {
namespace {

// Independent streams, so that sampling more often (which draws sensor noise)
// never changes the route or the GPS spells.
constexpr std::uint64_t kGpsStream = 0x6A09E667F3BCC908ULL;
constexpr std::uint64_t kSensorStream = 0xBB67AE8584CAA73BULL;

constexpr double kDegreesPerTurn = 360;
constexpr double kMinTurnSpeed = 0.1;  // m/s, keeps the lateral cap finite when creeping

double radians(double degrees) { return degrees * std::numbers::pi / 180; }
double degrees(double radiansValue) { return radiansValue * 180 / std::numbers::pi; }
double kmh(double value) { return value / drive::kKmhPerMetrePerSecond; }

}  // namespace

double wrapDegrees(double value) {
    double wrapped = std::fmod(value, kDegreesPerTurn);
    if (wrapped < 0)
        wrapped += kDegreesPerTurn;
    return wrapped >= kDegreesPerTurn ? 0.0 : wrapped;  // fmod of -1e-18 plus 360 rounds to 360
}

DriveSimulator::DriveSimulator(const DriveParams& params)
    : routeRng_(params.seed), gpsRng_(params.seed ^ kGpsStream), sensorRng_(params.seed ^ kSensorStream) {
    car_.latitudeDeg = params.startLatitudeDeg;
    car_.longitudeDeg = params.startLongitudeDeg;
    car_.courseDeg = routeRng_.uniform(0, kDegreesPerTurn);
    car_.speedMps = kmh(routeRng_.uniform(drive::kStartSpeedMinKmh, drive::kStartSpeedMaxKmh));
    enterAccelerate();
    voidStart_ = gpsRng_.uniform(drive::kFirstVoidMinS, drive::kFirstVoidMaxS);
    voidEnd_ = voidStart_ + gpsRng_.uniform(drive::kVoidMinS, drive::kVoidMaxS);
    heldFix_ = car_;
}

DriveSample DriveSimulator::sampleAt(double timeS) {
    const auto target = static_cast<std::int64_t>(std::llround(timeS / drive::kTickSeconds));
    while (ticks_ < target)
        tick();
    DriveSample sample;
    sample.timeS = static_cast<double>(ticks_) * drive::kTickSeconds;
    sample.truth = car_;
    sample.gpsValid = gpsValid_;
    sample.reported = gpsValid_ ? car_ : heldFix_;
    sample.g = readSensor();
    sample.phase = phase_;
    return sample;
}

void DriveSimulator::tick() {
    const double dt = drive::kTickSeconds;
    double accel = 0;
    double yawDegPerS = 0;
    updatePhase(dt, accel, yawDegPerS);

    const double oldSpeed = car_.speedMps;
    const double newSpeed = std::max(0.0, oldSpeed + accel * dt);
    const double headingChange = yawDegPerS * dt;
    // Move along the mean course and mean speed of the tick.
    const double course = radians(car_.courseDeg + headingChange / 2);
    const double distance = (oldSpeed + newSpeed) / 2 * dt;
    const double north = distance * std::cos(course);
    const double east = distance * std::sin(course);
    car_.latitudeDeg += degrees(north / drive::kEarthRadiusM);
    car_.longitudeDeg += degrees(east / (drive::kEarthRadiusM * std::cos(radians(car_.latitudeDeg))));
    car_.courseDeg = wrapDegrees(car_.courseDeg + headingChange);
    car_.speedMps = newSpeed;

    lastAccel_ = (newSpeed - oldSpeed) / dt;
    lastYawRad_ = radians(yawDegPerS);
    ++ticks_;
    updateGps(static_cast<double>(ticks_) * dt);
}

void DriveSimulator::updatePhase(double dt, double& accel, double& yawDegPerS) {
    const double speed = car_.speedMps;
    switch (phase_) {
    case DrivePhase::Accelerate:
        accel = rate_;
        if (speed + accel * dt >= targetSpeed_) {
            accel = (targetSpeed_ - speed) / dt;
            enterCruise();
        }
        break;
    case DrivePhase::Cruise:
        phaseTimer_ -= dt;
        if (phaseTimer_ <= 0)
            planAfterCruise();
        break;
    case DrivePhase::SlowForTurn:
        accel = -rate_;
        if (speed + accel * dt <= targetSpeed_) {
            accel = (targetSpeed_ - speed) / dt;
            phase_ = DrivePhase::Turning;
            turnLeftDeg_ = routeRng_.uniform(drive::kTurnMinDeg, drive::kTurnMaxDeg);
            turnSign_ = routeRng_.sign();
            turnRateDeg_ = routeRng_.uniform(drive::kTurnRateMinDeg, drive::kTurnRateMaxDeg);
        }
        break;
    case DrivePhase::Turning:
        break;
    case DrivePhase::Braking:
        accel = -rate_;
        if (speed + accel * dt <= 0) {
            accel = -speed / dt;
            phase_ = DrivePhase::Stopped;
            phaseTimer_ = routeRng_.uniform(drive::kStopMinS, drive::kStopMaxS);
        }
        break;
    case DrivePhase::Stopped:
        phaseTimer_ -= dt;
        if (phaseTimer_ <= 0)
            enterAccelerate();
        break;
    }

    // Curves while cruising and turns: the heading follows at the planned
    // rate, capped so that the lateral acceleration stays comfortable.
    const bool steering = phase_ == DrivePhase::Cruise || phase_ == DrivePhase::Turning;
    if (steering && turnLeftDeg_ > 0) {
        const double lateralCap = degrees(drive::kMaxLateral / std::max(speed, kMinTurnSpeed));
        const double step = std::min(turnLeftDeg_, std::min(turnRateDeg_, lateralCap) * dt);
        yawDegPerS = turnSign_ * step / dt;
        turnLeftDeg_ -= step;
    }
    if (phase_ == DrivePhase::Turning && turnLeftDeg_ <= 0)
        enterAccelerate();
}

void DriveSimulator::planAfterCruise() {
    turnLeftDeg_ = 0;  // an unfinished curve ends with the straight
    const bool stop = legsWithoutStop_ >= drive::kMaxLegsWithoutStop || routeRng_.chance(drive::kStopChance);
    if (stop) {
        phase_ = DrivePhase::Braking;
        rate_ = routeRng_.chance(drive::kHardBrakeChance) ? drive::kHardBrake
                                                           : routeRng_.uniform(drive::kBrakeMin, drive::kBrakeMax);
        legsWithoutStop_ = 0;
    } else {
        phase_ = DrivePhase::SlowForTurn;
        targetSpeed_ = kmh(drive::kTurnSpeedKmh);
        rate_ = routeRng_.uniform(drive::kBrakeMin, drive::kBrakeMax);
        ++legsWithoutStop_;
    }
}

void DriveSimulator::enterAccelerate() {
    phase_ = DrivePhase::Accelerate;
    targetSpeed_ = kmh(routeRng_.uniform(drive::kCruiseMinKmh, drive::kCruiseMaxKmh));
    rate_ = routeRng_.uniform(drive::kAccelMin, drive::kAccelMax);
}

void DriveSimulator::enterCruise() {
    phase_ = DrivePhase::Cruise;
    phaseTimer_ = routeRng_.uniform(drive::kCruiseMinS, drive::kCruiseMaxS);
    turnLeftDeg_ = 0;
    if (routeRng_.chance(drive::kCurveChance)) {
        turnLeftDeg_ = routeRng_.uniform(drive::kCurveMinDeg, drive::kCurveMaxDeg);
        turnSign_ = routeRng_.sign();
        turnRateDeg_ = routeRng_.uniform(drive::kCurveRateMinDeg, drive::kCurveRateMaxDeg);
    }
}

void DriveSimulator::updateGps(double time) {
    if (gpsValid_ && time >= voidStart_) {
        gpsValid_ = false;
        heldFix_ = car_;
    }
    if (!gpsValid_ && time >= voidEnd_) {
        gpsValid_ = true;
        voidStart_ = voidEnd_ + gpsRng_.uniform(drive::kVoidGapMinS, drive::kVoidGapMaxS);
        voidEnd_ = voidStart_ + gpsRng_.uniform(drive::kVoidMinS, drive::kVoidMaxS);
    }
}

std::array<double, 3> DriveSimulator::readSensor() {
    auto noise = [this] { return sensorRng_.uniform(-drive::kSensorNoiseG, drive::kSensorNoiseG); };
    std::array<double, 3> g{
        lastAccel_ / drive::kStandardGravity + noise(),
        car_.speedMps * lastYawRad_ / drive::kStandardGravity + noise(),
        1.0 + noise(),
    };
    // Road bumps shake mostly the vertical axis, only while moving.
    const double interval = static_cast<double>(ticks_ - lastSampleTick_) * drive::kTickSeconds;
    lastSampleTick_ = ticks_;
    if (car_.speedMps > 0 && sensorRng_.chance(drive::kBumpsPerSecond * interval)) {
        const double bump = sensorRng_.sign() * sensorRng_.uniform(drive::kBumpMinG, drive::kBumpMaxG);
        g[2] += bump;
        g[0] += bump * drive::kBumpPitchShare;
    }
    return g;
}

}  // namespace kyvo::recgen
