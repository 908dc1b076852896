#include "TelemetrySpeed.h"

#include "TelemetryFormat.h"

#include <algorithm>

namespace kyvo::app {

namespace {
constexpr int kSpeedDecimals = 1;
constexpr std::string_view kKnotsMark = "d";
constexpr std::string_view kLabelGap = " ";
constexpr std::string_view kLabelSeparator = ": ";
constexpr int kHundreds = 100;
constexpr int kTens = 10;
} // namespace

SpeedReading speedIn(const RmcFix& fix, int unit, std::string_view unitLabel) {
    double speed = 0;
    std::string_view mark;
    switch (unit) {
    case kDisplayUnitKmh:
        speed = fix.speedKnots * kKmhPerKnot;
        break;
    case kDisplayUnitMph:
        speed = fix.speedKnots * kKmhPerKnot * kMphPerKmh;
        break;
    case kDisplayUnitKnots:
        speed = fix.speedKnots;
        mark = kKnotsMark;
        break;
    default:
        return {};
    }
    SpeedReading reading;
    reading.value = truncToInt(speed);
    reading.valueText = fixedText(speed, kSpeedDecimals);
    reading.valueText.append(mark).append(kLabelGap).append(unitLabel);
    reading.known = true;
    return reading;
}

std::string speedText(std::string_view speedLabel, std::string_view valueText) {
    std::string text(speedLabel);
    text.append(kLabelSeparator).append(valueText);
    return text;
}

std::array<int, kSpeedDigitCount> digitsOf(int value) {
    const int v = std::clamp(value, 0, kMaxShownSpeed);
    return {v / kHundreds, v % kHundreds / kTens, v % kTens};
}

int SpeedDigits::update(const RmcFix& fix, int unit) {
    if (fixVoid(fix))
        return lastValid_;
    lastValid_ = speedIn(fix, unit, {}).value;
    return lastValid_;
}

} // namespace kyvo::app
