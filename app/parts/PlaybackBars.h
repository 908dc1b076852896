#pragma once
// The bars under the video: the progress bar with the event marks above it
// and the time texts beside it, and the speed and volume sliders. The part
// owns the bar positions, the speed step and the event records; the window
// moves them from the user's input (hit through knobAt and stripAt) and from
// the player's frames, and the part paints them into the back buffer.
//
// GUI thread only.

#include "EventMarks.h"
#include "PlaybackControls.h"

#include <array>
#include <string>
#include <vector>

namespace kyvo::app {

class SkinCanvas;

// What the time texts show: nothing, or the display second and the length.
struct PlaybackClock {
    bool shown = false;
    int displaySecond = 0;
    int length = 0;
};

class PlaybackBars {
public:
    const BarPositions& positions() const { return positions_; }
    int progress() const { return positions_.progress; }
    int speed() const { return positions_.speed; }
    int volume() const { return positions_.volume; }
    int speedStep() const { return speedStep_; }
    void setProgress(int position) { positions_.progress = position; }
    void setSpeed(int position) { positions_.speed = position; }
    void setSpeedStep(int step) { speedStep_ = step; }
    void setVolume(int position) { positions_.volume = position; }

    // The knob or strip under a press (knobs first).
    BarHit knobAt(int x, int y) const { return app::knobAt(x, y, positions_); }

    // A new file, a stop or a cleared list: progress at 0, normal speed, no marks.
    void reset();

    // The marks of an event recording that started at `startTime` (hhmmss).
    void setEventMarks(std::vector<EventRecord> records, int startTime);
    bool hasEventMarks() const { return !records_.empty(); }

    // Where it paints: the part is painted whole over these, erased first.
    static constexpr std::array<Rect, 5> kRegions{kEventMarkRow, kProgressRegion, kTimeRegion, kSpeedSliderArea,
                                                  kVolumeSliderArea};

    // Paints the marks (known once the length is), the progress bar, the
    // time texts and both sliders.
    void paint(SkinCanvas& canvas, double displayScale, const PlaybackClock& clock) const;

private:
    BarPositions positions_{};
    int speedStep_ = kNormalSpeedStep;
    std::vector<EventRecord> records_;
    int startTime_ = 0;
};

} // namespace kyvo::app
