#pragma once
// The telemetry gauges: the heading needle, the speed digits with their unit
// sign, the position lines and the G-sensor values with their running graph.
// The part owns the last fix, the graph and what each gauge shows; the
// window feeds it the telemetry of each shown frame and the ticks of its
// timer, and the part paints the gauges into the back buffer.
//
// GUI thread only.

#include "Telemetry.h"
#include "TelemetryFix.h"
#include "TelemetryGraph.h"
#include "TelemetrySpeed.h"

#include <array>
#include <optional>
#include <string_view>

namespace kyvo::app {

class SkinCanvas;

class GaugePanel {
public:
    GaugePanel() { graph_.resetToStart(); }

    // The telemetry of a shown frame: its GPS sentence, and its G-sensor
    // sample when the recording has one. A damaged sentence keeps the last fix.
    void takeFrame(std::string_view sentence, const std::optional<std::array<float, 3>>& sample);
    // Timer tick: the position lines show the fix when it can be drawn (else
    // the previous lines stay).
    void refreshPosition();
    // A new file: the graph restarts at its left edge, the digits forget the
    // last valid speed, the position lines and the G-sensor panel go.
    void startFile();
    // A stop or a cleared list: the G-sensor panel goes.
    void hideGSensor() { gsensorShown_ = false; }
    // A seek: the graph's frame counter starts again.
    void restartGraphCount() { frameCounter_ = 0; }

    const RmcFix& fix() const { return fix_; }
    const GSensorGraph& graph() const { return graph_; }

    // Where it paints: the part is painted whole over these, erased first.
    static constexpr std::array<Rect, 5> kRegions{kHeadingRegion, kSpeedRegion, kUnitSignRegion, kPositionRegion,
                                                  kGSensorPanel};

    // Paints every gauge; the digits show the fix's speed in `speedUnit`
    // (0 km/h, 1 mph, 2 knots; another unit shows no sign).
    void paint(SkinCanvas& canvas, double displayScale, int speedUnit);

private:
    RmcFix fix_{};
    SpeedDigits speedDigits_;
    GSensorGraph graph_;
    int frameCounter_ = 0; // frames since the graph last wrapped
    bool gsensorShown_ = false;
    std::array<double, 3> gsensorValues_{};
    std::optional<RmcFix> shownPosition_;
};

} // namespace kyvo::app
