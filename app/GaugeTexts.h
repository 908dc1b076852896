#pragma once
// The texts of the telemetry gauges, drawn on the back buffer. Each has a
// font of its own at a fixed pixel size (never the painter's or the
// platform's default), so that the same values give the same pixels on every
// display and the longest values stay inside their boxes.

#include "AppLayout.h"
#include "TelemetryFix.h"

#include <array>

class QPainter;

namespace kyvo::app {

// "X : %.3f", "Y : …", "Z : …" in their colours at their places.
void drawGSensorValues(QPainter& painter, const std::array<double, 3>& values, double displayScale);

// The latitude and longitude lines of `fix`, white.
void drawPositionLines(QPainter& painter, const RmcFix& fix, double displayScale);

} // namespace kyvo::app
