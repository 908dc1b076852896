#pragma once
// The playback controls of the main window without the window: where the
// progress, speed and volume bars are hit, what a bar position means (seconds,
// a speed, a volume), the time texts and the previous/next file choice.
// The window turns mouse events into calls here, sends the answers to the
// player adapter and paints the bars from the positions.
//
// Bar positions: progress 0..360 (360ths of the file length), speed 0..107,
// volume 0..128. Coordinates are client pixels of the main window.

#include "AppLayout.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kyvo::app {

// ---- Geometry ---------------------------------------------------------------

inline constexpr int kProgressMax = kProgressBar.maxPosition;
inline constexpr int kSpeedPositionMax = kSpeedBar.maxPosition;
inline constexpr int kVolumePositionMax = kVolumeBar.maxPosition;
inline constexpr int kSpeedStartPosition = 56;   // normal speed, at start and after a reset
inline constexpr int kNormalSpeedStep = 4;
inline constexpr int kVolumeStartPosition = 128;

// The knobs move with their bar position: the rectangle of position 0 is
// shifted right by the position.
constexpr Rect progressKnobRect(int progress) { return kProgressBar.knobAtZero.shiftedRight(progress); }
constexpr Rect speedKnobRect(int speed) { return kSpeedBar.knobAtZero.shiftedRight(speed); }
constexpr Rect volumeKnobRect(int volume) { return kVolumeBar.knobAtZero.shiftedRight(volume); }

// Bar positions from a click or drag at x.
int progressFromX(int x);     // 0 for x <= 38, x - 39 below 400, else 360
int speedPositionFromX(int x); // 0 below 656, x - 655 below 746, else 107
int volumePositionFromX(int x); // 0 for x <= 857, x - 858 below 987, else 128

// What a button press on the bars hit. The window tests the knobs first, then
// its play-list panel, then the strips, so the two tests are separate.
struct BarHit {
    enum class Target { None, ProgressKnob, SpeedKnob, VolumeKnob, ProgressStrip, SpeedStrip, VolumeStrip };
    Target target = Target::None;
    // For a strip: the bar position the click sets. For a knob: the knob's
    // current position.
    int position = 0;
};

struct BarPositions {
    int progress = 0;
    int speed = kSpeedStartPosition;
    int volume = kVolumeStartPosition;
};

// The knob under (x, y), tested progress, speed, volume.
BarHit knobAt(int x, int y, const BarPositions& bars);
// The strip under (x, y), tested progress (its strip, then the drawn bar),
// speed, volume, with the position the click sets.
BarHit stripAt(int x, int y);

// Drag targets of the window (the list thumb is the play list's).
enum class DragTarget { Progress = 0, Speed = 1, Volume = 2, ListThumb = 3 };

// ---- Speed and volume -------------------------------------------------------

struct SpeedStep {
    int step = 0;        // 1..7, 4 is normal speed
    double value = 0.0;  // the rate sent to the player
    bool valid = false;  // false outside 0..119: nothing is sent
};
SpeedStep speedFor(int position);

// The volume level (0..100) for a volume position, or nothing when no command
// is sent: position 0 mutes only when an adapter exists; positions outside
// 0..128 send nothing. Positions 97..108 lie between the rows 85..96 (90) and
// 109..128 (100); they rise linearly from 90 at 96 to 100 at 109, rounded to
// the nearest level (97 gives 91, 108 gives 99).
std::optional<int> volumeFor(int position, bool adapterExists);

// ---- Progress and seeking ---------------------------------------------------

// The progress position after a frame: 0 without a length, the display second
// in 360ths of the length while it is within the length, else `current`.
int progressPosition(int length, int displaySecond, int current);
// The second a released progress knob seeks to: position x length / 360, kept
// below the length rounded through a float minute count. With whole minutes
// the end seeks length - 1; otherwise the float rounding can pull it one
// second lower (position 360 of 100 s seeks 98).
int seekSecondForRelease(int position, int length);
// The second a click on the progress strip seeks to (not kept below the end).
int seekSecondForClick(int position, int length);

// Whether playback has reached the end bound: the current second is at least
// frameCount / 30. An unknown frame count (all ones) never reaches it; a
// negative current second is before it.
bool atEndBound(int currentSecond, std::uint32_t frameCount);
inline constexpr std::uint32_t kUnknownFrameCount = 0xFFFFFFFFu;
inline constexpr std::uint32_t kFramesPerSecond = 30;

// ---- Time texts ---------------------------------------------------------------

// "00:mm:ss" of the display second and " / 00:mm:ss" of the length. Minutes of
// 100 or more are shown in full ("00:123:45"); negative seconds show as 0.
std::string elapsedText(int displaySecond);
std::string lengthText(int length);

// ---- Previous, next and automatic advance -------------------------------------

// The file before `playing`, or the last one when playing is 0 or less
// (nothing opened yet is -1). -1 for an empty list.
int previousIndex(int playing, int count);
// The file after `playing`, or the first one after the last.
int nextIndex(int playing, int count);
// The file played when `playingIndex` ends: the next one, or the first after
// the last, so the list plays in a loop.
int advanceIndex(int playingIndex, int count);

} // namespace kyvo::app
