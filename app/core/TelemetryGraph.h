#pragma once
// The running G-sensor graph: three traces (x, y, z acceleration) that step
// seven pixels to the right per shown frame and start again at the left edge.
//
// Per sample (one per shown frame with telemetry):
//   1. A sample is drawn only when x, y and z each lie within -8..8 g.
//   2. Each trace gets a new point: x = left + 1 + frame counter x step,
//      y = zero line - value / 8 x 38, truncated (the zero line instead when
//      that would lie above the graph's top). The point is stored after the
//      trace's stored points and becomes its current point.
//   3. Wrap, checked for every sample, drawn or not: when the current x, or
//      the x this frame would have had, has reached the right edge, or the
//      frame counter is 0, or the point tables are full, each trace restarts
//      with one stored point (left, its last y). A frame counter that lies a
//      whole step past the edge wraps before its sample, which is then drawn
//      at the left edge: no point lies more than one step past the edge.
//
// The frame counter belongs to the caller (the main window counts shown
// frames and resets the counter on a new file and on a progress-bar click);
// addSample answers true on a wrap and the caller then sets its counter to 0.
//
// The point tables hold every point that can be stored before the x position
// reaches the right edge (width / step + 2), at most kMaxPoints. Because a
// full table forces a wrap, they never overflow, whatever the geometry and
// whatever frame counters the caller passes.

#include <array>
#include "AppLayout.h"

#include <cstddef>
#include <span>
#include <vector>

namespace kyvo::app {

using GraphPoint = Point;

struct GraphSegment {
    GraphPoint from;
    GraphPoint to;
};

// The graph's place on the skin (client pixels) and its scale.
struct GraphGeometry {
    int left = kGSensorGraph.left;
    int right = kGSensorGraph.right;
    int top = kGSensorGraph.top;
    int bottom = kGSensorGraph.bottom;
    int zeroLine = kGSensorZeroY;                    // y of 0 g
    double fullScale = kGSensorRange;                // g shown at pixelsPerFullScale from the zero line
    int pixelsPerFullScale = kGSensorPixelsPerRange;
    int step = kGSensorStep;                         // pixels per frame; below 1 counts as 1
    GraphPoint start = kGSensorTraceStart;           // every trace's point when the window is created
};

// The three traces, in drawing order (their colours are the layout's).
enum GraphTrace : int { kTraceX = 0, kTraceY = 1, kTraceZ = 2 };
inline constexpr int kTraceCount = 3;
inline constexpr double kGSensorLimit = kGSensorRange;

// True when each of x, y and z lies within -8..8 g (NaN does not).
bool gsensorInRange(double x, double y, double z);

class GSensorGraph {
public:
    static constexpr std::size_t kMaxPoints = 4096;

    explicit GSensorGraph(const GraphGeometry& geometry = {});

    // Every trace at the start point, one stored point each.
    void resetToStart();

    // Adds the sample of the frame numbered `frameCounter` since the last
    // wrap and applies the wrap. Answers true when the graph wrapped: the
    // caller's frame counter must become 0.
    bool addSample(double x, double y, double z, int frameCounter);

    // True when the last addSample drew its sample (it was within range).
    bool sampleDrawn() const { return sampleDrawn_; }
    // The segment the last drawn sample added to `trace`.
    GraphSegment newSegment(int trace) const { return segments_[index(trace)]; }
    // Everything the last drawn sample showed of `trace`: the stored points
    // up to and including the new one, as they were before a wrap. Read it
    // while sampleDrawn() holds; the next addSample may reuse it.
    std::span<const GraphPoint> drawnTrace(int trace) const { return {table(trace, drawnTable_).data(), drawnCount_}; }

    // The stored points of `trace` and its current point.
    std::span<const GraphPoint> points(int trace) const;
    GraphPoint current(int trace) const { return current_[index(trace)]; }
    std::size_t storedPoints() const { return stored_; }
    std::size_t capacity() const { return capacity_; }

    int xFor(int frameCounter) const;
    int yFor(double value) const;
    const GraphGeometry& geometry() const { return geometry_; }

private:
    static std::size_t index(int trace);
    std::vector<GraphPoint>& table(int trace, std::size_t which) { return tables_[index(trace)][which]; }
    const std::vector<GraphPoint>& table(int trace, std::size_t which) const { return tables_[index(trace)][which]; }
    void store(int trace, GraphPoint point);
    void wrap();

    GraphGeometry geometry_;
    std::size_t capacity_ = 0;
    // Two point tables per trace: a wrap restarts in the other one, so the
    // points drawn just before it stay readable without copying.
    static constexpr std::size_t kTables = 2;
    std::array<std::array<std::vector<GraphPoint>, kTables>, kTraceCount> tables_;
    std::size_t active_ = 0;     // the table being filled
    std::size_t drawnTable_ = 0; // the table the last drawn sample went into
    std::size_t drawnCount_ = 0; // its points at that time
    std::array<GraphPoint, kTraceCount> current_{};
    std::array<GraphSegment, kTraceCount> segments_{};
    std::size_t stored_ = 0;
    bool sampleDrawn_ = false;
};

} // namespace kyvo::app
