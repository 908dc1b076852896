#pragma once
// The speed of the fix in the display unit of the system settings: the value
// text for the print-out and the three digit images of the speed window.
//
//   unit 0  km/h   knots x 1.852            "%.1f <label>"
//   unit 1  mph    knots x 1.852 x 0.6213   "%.1f <label>"
//   unit 2  knots  knots                    "%.1fd <label>"
// The shown integer is the value truncated toward zero. The digit images
// cover 0 to 999, so higher speeds show 999 and negative ones 000.

#include "TelemetryFix.h"

#include <array>
#include <string>
#include <string_view>

namespace kyvo::app {

// The speed unit values of the system settings block.
inline constexpr int kDisplayUnitKmh = 0;
inline constexpr int kDisplayUnitMph = 1;
inline constexpr int kDisplayUnitKnots = 2;

inline constexpr double kKmhPerKnot = 1.852;
inline constexpr double kMphPerKmh = 0.6213;
inline constexpr int kSpeedDigitCount = 3;
inline constexpr int kMaxShownSpeed = 999;

struct SpeedReading {
    int value = 0;         // truncated speed in the unit
    std::string valueText; // "22.4d 海里"; empty for an unknown unit
    bool known = false;    // false for a unit other than 0, 1, 2
};

// The fix's speed in `unit`, with the unit's label in the value text.
// An unknown unit gives value 0, an empty text and known false.
SpeedReading speedIn(const RmcFix& fix, int unit, std::string_view unitLabel);

// The print-out's speed line: "<label>: <value text>".
std::string speedText(std::string_view speedLabel, std::string_view valueText);

// Hundreds, tens and units of `value` clamped to 0..999 (45 gives 0, 4, 5).
std::array<int, kSpeedDigitCount> digitsOf(int value);

// The speed window keeps the last valid speed: a void fix (status exactly
// "V") shows it again instead of its own speed. The main window resets it
// when it starts and when a file is opened in one-channel mode.
class SpeedDigits {
public:
    // The integer speed to show for `fix` in `unit` (0 for an unknown unit).
    int update(const RmcFix& fix, int unit);
    void reset() { lastValid_ = 0; }
    int lastValid() const { return lastValid_; }

private:
    int lastValid_ = 0;
};

} // namespace kyvo::app
