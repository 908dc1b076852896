#include "TelemetryGraph.h"

#include "TelemetryFormat.h"

#include <algorithm>
#include <limits>

namespace kyvo::app {

namespace {

constexpr std::size_t kMinPoints = 2; // the restart point and one sample
constexpr int kMinStep = 1;

bool withinLimit(double v) {
    return v >= -kGSensorLimit && v <= kGSensorLimit;
}

int clampToInt(long long v) {
    return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Points stored from a restart until the x position reaches the right edge:
// the restart point plus at most width / step + 1 samples.
std::size_t pointsFor(const GraphGeometry& g) {
    const long long width = std::max(0LL, static_cast<long long>(g.right) - g.left - 1);
    const long long points = width / g.step + static_cast<long long>(kMinPoints);
    return static_cast<std::size_t>(std::min<long long>(points, GSensorGraph::kMaxPoints));
}

} // namespace

bool gsensorInRange(double x, double y, double z) {
    return withinLimit(x) && withinLimit(y) && withinLimit(z);
}

GSensorGraph::GSensorGraph(const GraphGeometry& geometry) : geometry_(geometry) {
    geometry_.step = std::max(geometry_.step, kMinStep);
    capacity_ = pointsFor(geometry_);
    for (auto& trace : tables_)
        for (auto& points : trace)
            points.resize(capacity_);
    resetToStart();
}

std::size_t GSensorGraph::index(int trace) {
    return static_cast<std::size_t>(std::clamp(trace, 0, kTraceCount - 1));
}

void GSensorGraph::resetToStart() {
    stored_ = 0;
    for (int t = 0; t < kTraceCount; ++t) {
        current_[index(t)] = geometry_.start;
        store(t, geometry_.start);
        segments_[index(t)] = {};
    }
    stored_ = 1;
    drawnTable_ = active_;
    drawnCount_ = 0;
    sampleDrawn_ = false;
}

std::span<const GraphPoint> GSensorGraph::points(int trace) const {
    return {table(trace, active_).data(), stored_};
}

int GSensorGraph::xFor(int frameCounter) const {
    return clampToInt(static_cast<long long>(geometry_.left) + 1 +
                      static_cast<long long>(frameCounter) * geometry_.step);
}

int GSensorGraph::yFor(double value) const {
    const double y = geometry_.zeroLine - value / geometry_.fullScale * geometry_.pixelsPerFullScale;
    const int truncated = truncToInt(y);
    return truncated < geometry_.top ? geometry_.zeroLine : truncated;
}

void GSensorGraph::store(int trace, GraphPoint point) {
    // stored_ < capacity_ holds: a full table wraps before the next sample.
    table(trace, active_)[stored_] = point;
}

bool GSensorGraph::addSample(double x, double y, double z, int frameCounter) {
    // A counter that ran on past the edge (the caller counts every frame, and
    // samples out of range draw nothing) restarts at the left edge first, so
    // no point ever lies more than one step past the right edge.
    if (xFor(frameCounter) >= geometry_.right + geometry_.step) {
        wrap();
        frameCounter = 0;
    }
    sampleDrawn_ = gsensorInRange(x, y, z);
    if (sampleDrawn_) {
        const std::array<double, kTraceCount> values{x, y, z};
        const int newX = xFor(frameCounter);
        for (int t = 0; t < kTraceCount; ++t) {
            const GraphPoint next{newX, yFor(values[index(t)])};
            store(t, next);
            segments_[index(t)] = {current_[index(t)], next};
            current_[index(t)] = next;
        }
        ++stored_;
        drawnTable_ = active_;
        drawnCount_ = stored_;
    }
    // The edge counts for samples out of range too: the x this frame would
    // have had reaching the right edge wraps the graph as a drawn one would.
    const int reached = std::max(current_[kTraceX].x, xFor(frameCounter));
    const bool wraps = reached >= geometry_.right || frameCounter == 0 || stored_ >= capacity_;
    if (wraps)
        wrap();
    return wraps;
}

void GSensorGraph::wrap() {
    active_ = (active_ + 1) % kTables;
    stored_ = 0;
    for (int t = 0; t < kTraceCount; ++t) {
        current_[index(t)].x = geometry_.left;
        store(t, current_[index(t)]);
    }
    stored_ = 1;
}

} // namespace kyvo::app
