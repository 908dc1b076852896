// The bars under the mouse: a press on a knob starts its drag, a press on a
// bar or its strip sets the position there; a drag moves the knob and its
// release seeks or applies the speed. Hits go through knobAt and stripAt,
// the play list's through its own press.

#include "CJXQ_PCMgrDlg.h"

#include "ROVUAdap.h"

namespace kyvo::app {

// Button down on the bars: the knobs first, then the play list, then the
// strips (the progress bar's strip and the bar as drawn).
bool CJXQ_PCMgrDlg::controlsPress(int x, int y) {
    using Target = BarHit::Target;
    switch (bars_.knobAt(x, y).target) {
    case Target::ProgressKnob:
        if (playing_ && adapter_ && !captureRunning()) {
            holdPicture(); // while the knob moves; the seek on release resumes
            beginDrag(DragTarget::Progress);
        }
        return true;
    case Target::SpeedKnob:
        if (playing_)
            beginDrag(DragTarget::Speed);
        return true;
    case Target::VolumeKnob:
        if (playing_)
            beginDrag(DragTarget::Volume);
        return true;
    default:
        break;
    }
    if (playListPress(x, y))
        return true;
    const BarHit strip = stripAt(x, y);
    switch (strip.target) {
    case Target::ProgressStrip:
        if (playing_ && adapter_ && !captureRunning()) {
            holdPicture();
            bars_.setProgress(strip.position);
            seekTo(static_cast<float>(seekSecondForClick(strip.position, adapter_->lengthSeconds.load())), false);
            gauges_.restartGraphCount();
            for (const Rect& r : {kProgressRegion, kTimeRegion, kGSensorPanel})
                invalidate(r);
        }
        return true;
    case Target::SpeedStrip:
        if (playing_) {
            bars_.setSpeed(strip.position);
            applySpeed();
        }
        return true;
    case Target::VolumeStrip:
        if (playing_)
            setVolumeFromX(x);
        return true;
    default:
        return false;
    }
}

void CJXQ_PCMgrDlg::setVolumeFromX(int x) {
    bars_.setVolume(volumePositionFromX(x));
    applyVolume();
    invalidate(kVolumeSliderArea);
}

void CJXQ_PCMgrDlg::beginDrag(DragTarget target) {
    dragInProgress_ = true;
    dragTarget_ = target;
    grabMouse();
}

void CJXQ_PCMgrDlg::controlsDrag(int x) {
    switch (dragTarget_) {
    case DragTarget::Progress:
        if (playing_) {
            bars_.setProgress(progressFromX(x));
            gauges_.restartGraphCount();
            for (const Rect& r : {kProgressRegion, kTimeRegion, kGSensorPanel})
                invalidate(r);
        }
        break;
    case DragTarget::Speed:
        if (playing_ && adapter_) {
            adapter_->stepping.store(0);
            bars_.setSpeed(speedPositionFromX(x));
            invalidate(kSpeedSliderRect);
        }
        break;
    case DragTarget::Volume:
        if (playing_)
            setVolumeFromX(x);
        break;
    case DragTarget::ListThumb:
        break;
    }
}

void CJXQ_PCMgrDlg::controlsRelease() {
    if (dragTarget_ == DragTarget::Progress && playing_ && adapter_) {
        const int length = adapter_->lengthSeconds.load();
        if (length > 0)
            seekTo(static_cast<float>(seekSecondForRelease(bars_.progress(), length)), false);
    } else if (dragTarget_ == DragTarget::Speed && playing_) {
        applySpeed();
    }
}

} // namespace kyvo::app
