#include "PlaybackControls.h"

#include <array>

namespace kyvo::app {

namespace {

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

namespace {

int positionFromX(const BarMapping& mapping, int x, int maxPosition) {
    if (x <= mapping.left)
        return 0;
    return x < mapping.right ? x - mapping.origin : maxPosition;
}

} // namespace

int progressFromX(int x) {
    return positionFromX(kProgressMapping, x, kProgressMax);
}

int speedPositionFromX(int x) {
    return positionFromX(kSpeedMapping, x, kSpeedPositionMax);
}

int volumePositionFromX(int x) {
    return positionFromX(kVolumeMapping, x, kVolumePositionMax);
}

BarHit knobAt(int x, int y, const BarPositions& bars) {
    using T = BarHit::Target;
    if (progressKnobRect(bars.progress).contains(x, y))
        return {T::ProgressKnob, bars.progress};
    if (speedKnobRect(bars.speed).contains(x, y))
        return {T::SpeedKnob, bars.speed};
    if (volumeKnobRect(bars.volume).contains(x, y))
        return {T::VolumeKnob, bars.volume};
    return {};
}

BarHit stripAt(int x, int y) {
    using T = BarHit::Target;
    if (kProgressStrip.contains(x, y) || kProgressRegion.contains(x, y))
        return {T::ProgressStrip, progressFromX(x)};
    if (kSpeedStrip.contains(x, y))
        return {T::SpeedStrip, speedPositionFromX(x)};
    if (kVolumeStrip.contains(x, y) || kVolumeBarArea.contains(x, y))
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
