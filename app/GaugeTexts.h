#pragma once
// The texts of the telemetry gauges, drawn on the back buffer. Each has a
// font of its own at a fixed pixel size (never the painter's or the
// platform's default), so that the same values give the same pixels on every
// display and the longest values stay inside their boxes.

#include "Geometry.h"
#include "TelemetryFix.h"

#include <array>

class QPainter;

namespace kyvo::app {

// The position lines' tops, and the gap between a line's top and its capitals.
inline constexpr Point kLatitudeAt{23, 660};
inline constexpr Point kLongitudeAt{23, 677};
inline constexpr int kPositionCapGap = 2;
inline constexpr int kPositionFont = 120;       // tenths of a point
inline constexpr int kGSensorValueFont = 90;    // tenths of a point

// "X : %.3f", "Y : …", "Z : …" in their colours at their places.
void drawGSensorValues(QPainter& painter, const std::array<double, 3>& values, double displayScale);

// The latitude and longitude lines of `fix`, white.
void drawPositionLines(QPainter& painter, const RmcFix& fix, double displayScale);

} // namespace kyvo::app
