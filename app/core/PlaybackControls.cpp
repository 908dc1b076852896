#include "PlaybackControls.h"

#include <array>

namespace kyvo::app {

namespace {

// Where each bar's fill starts and ends along x.
constexpr int kProgressLeftX = 38;    // at or left of this: position 0
constexpr int kProgressOriginX = 39;
constexpr int kProgressRightX = 400;  // from here: the full length
constexpr int kSpeedLeftX = 656;
constexpr int kSpeedOriginX = 655;
constexpr int kSpeedRightX = 746;
constexpr int kVolumeLeftX = 857;
constexpr int kVolumeOriginX = 858;
constexpr int kVolumeRightX = 987;

struct SpeedRow {
    int first;
    int last;
    int step;
    double value;
};
constexpr std::array<SpeedRow, 7> kSpeedTable{{
    {0, 17, 1, 0.15},
    {18, 34, 2, 0.25},
    {35, 51, 3, 0.5},
    {52, 68, 4, 1.0},
    {69, 85, 5, 2.0},
    {86, 102, 6, 4.0},
    {103, 119, 7, 6.0},
}};

struct VolumeRow {
    int first;
    int last;
    int level;
};
constexpr std::array<VolumeRow, 9> kVolumeTable{{
    {1, 12, 15},
    {13, 24, 30},
    {25, 36, 40},
    {37, 48, 50},
    {49, 60, 60},
    {61, 72, 70},
    {73, 84, 80},
    {85, 96, 90},
    {109, 128, 100},
}};

// The gap between the rows 85..96 and 109..128 rises linearly between them.
constexpr int kGapFromPosition = 96;
constexpr int kGapFromLevel = 90;
constexpr int kGapToPosition = 109;
constexpr int kGapToLevel = 100;

} // namespace

int progressFromX(int x) {
    if (x <= kProgressLeftX)
        return 0;
    return x < kProgressRightX ? x - kProgressOriginX : kProgressMax;
}

int speedPositionFromX(int x) {
    if (x < kSpeedLeftX)
        return 0;
    return x < kSpeedRightX ? x - kSpeedOriginX : kSpeedPositionMax;
}

int volumePositionFromX(int x) {
    if (x <= kVolumeLeftX)
        return 0;
    return x < kVolumeRightX ? x - kVolumeOriginX : kVolumePositionMax;
}

BarHit knobAt(int x, int y, const BarPositions& bars) {
    using T = BarHit::Target;
    if (inRect(progressKnobRect(bars.progress), x, y))
        return {T::ProgressKnob, bars.progress};
    if (inRect(speedKnobRect(bars.speed), x, y))
        return {T::SpeedKnob, bars.speed};
    if (inRect(volumeKnobRect(bars.volume), x, y))
        return {T::VolumeKnob, bars.volume};
    return {};
}

BarHit stripAt(int x, int y) {
    using T = BarHit::Target;
    if (inRect(kProgressStrip, x, y) || inRect(kProgressBarArea, x, y))
        return {T::ProgressStrip, progressFromX(x)};
    if (inRect(kSpeedStrip, x, y))
        return {T::SpeedStrip, speedPositionFromX(x)};
    if (inRect(kVolumeStrip, x, y) || inRect(kVolumeBarArea, x, y))
        return {T::VolumeStrip, volumePositionFromX(x)};
    return {};
}

SpeedStep speedFor(int position) {
    for (const SpeedRow& row : kSpeedTable)
        if (position >= row.first && position <= row.last)
            return {row.step, row.value, true};
    return {};
}

std::optional<int> volumeFor(int position, bool adapterExists) {
    if (position == 0)
        return adapterExists ? std::optional<int>(0) : std::nullopt;
    for (const VolumeRow& row : kVolumeTable)
        if (position >= row.first && position <= row.last)
            return row.level;
    if (position > kGapFromPosition && position < kGapToPosition) {
        constexpr int span = kGapToPosition - kGapFromPosition;
        const int rise = (position - kGapFromPosition) * (kGapToLevel - kGapFromLevel);
        return kGapFromLevel + (rise + span / 2) / span;
    }
    return std::nullopt;
}

} // namespace kyvo::app
