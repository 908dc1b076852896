#pragma once
// The five-step level is edited as a horizontal slider position in pixels.
//
//   position = truncate(level * 42.8 + 21.4)   levels 0..4 -> 21, 64, 107, 149, 192
//   level    = truncate(position / 42.8)        0..42 -> 0, ..., 172..213 -> 4
//
// Out-of-range inputs are clamped first (a level to 0..4, a position to
// 0..213), so a corrupt block or a stray drag can never give a slider
// position off the track or a level the recorder does not know.

#include <algorithm>

namespace kyvo::settings {

inline constexpr double kLevelStepPx = 42.8;
inline constexpr double kLevelCentreOffsetPx = 21.4;
inline constexpr int kMinLevel = 0;
inline constexpr int kMaxLevel = 4;
inline constexpr int kMinLevelPosition = 0;
inline constexpr int kMaxLevelPosition = 213;

constexpr int positionFromLevel(int level) {
    const int clamped = std::clamp(level, kMinLevel, kMaxLevel);
    return static_cast<int>(clamped * kLevelStepPx + kLevelCentreOffsetPx);
}

constexpr int levelFromPosition(int position) {
    const int clamped = std::clamp(position, kMinLevelPosition, kMaxLevelPosition);
    return std::clamp(static_cast<int>(clamped / kLevelStepPx), kMinLevel, kMaxLevel);
}

} // namespace kyvo::settings
