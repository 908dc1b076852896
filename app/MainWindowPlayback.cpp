// Playback controls of the main window: play, pause, stop, previous and next
// file, the automatic advance, the progress bar with its seeks, the speed and
// volume sliders, the step keys, the time texts and the event marks.

#include "CJXQ_PCMgrDlg.h"

#include "EventMarks.h"
#include "Fonts.h"
#include "PlaybackControls.h"
#include "ROVUAdap.h"
#include "SettingPopup.h"
#include "Skin.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>

namespace kyvo::app {

bool CJXQ_PCMgrDlg::settingIdle() const {
    return settingPopup_ && settingPopup_->idle();
}

// Pause holds the picture. A picture already held by the step keys stays held
// (nothing is sent, so the library's toggle cannot resume it); play resumes.
void CJXQ_PCMgrDlg::pause() {
    if (!adapter_)
        return;
    adapter_->stepping.store(0);
    if (playing_ && !paused_ && settingIdle() && adapter_->DisplaySecond() != adapter_->lengthSeconds.load())
        holdPicture();
}

void CJXQ_PCMgrDlg::holdPicture() {
    if (paused_ || !adapter_)
        return;
    adapter_->operate(&player::ROVUState::TogglePause);
    paused_ = true;
}

void CJXQ_PCMgrDlg::resumePicture() {
    if (!paused_ || !adapter_)
        return;
    adapter_->stepping.store(0);
    adapter_->operate(&player::ROVUState::TogglePause);
    paused_ = false;
}

// A seek resumes the picture; with the stepping flag at 1 the adapter holds it
// again right after the seek.
void CJXQ_PCMgrDlg::seekTo(float seconds, bool relative) {
    adapter_->operate(&player::ROVUState::Seek, seconds, relative);
    paused_ = adapter_->stepping.load() == 1;
}

void CJXQ_PCMgrDlg::stop() {
    if (!settingIdle() || !adapter_ || !playing_)
        return;
    if (speedStep_ != kNormalSpeedStep) {
        speedPosition_ = kSpeedStartPosition;
        applySpeed();
    }
    adapter_->operate(&player::ROVUState::SkipEntry);
    adapter_->resetClock();
    resetPlaybackInterface();
    eraseStoppedRegions();
}

// What a stop leaves: the bars, the time, the G-sensor panel, the list panel
// and the top of the video area back to their clean skin.
void CJXQ_PCMgrDlg::eraseStoppedRegions() {
    for (const Rect& r : {kProgressRegion, kTimeRegion, kGSensorPanel, kPlayListPanel, kVideoTextArea}) {
        canvas_.erase(r);
        invalidate(r);
    }
    invalidate(kListTrack);
}

// The telemetry gauges back to their clean skin.
void CJXQ_PCMgrDlg::eraseGauges() {
    for (const Rect& r : {kHeadingRegion, kGSensorPanel, kPositionRegion, kSpeedRegion}) {
        canvas_.erase(r);
        invalidate(r);
    }
}

void CJXQ_PCMgrDlg::stepFile(bool next) {
    if (!settingIdle() || !adapter_ || playList_.empty())
        return;
    if (playing_ && atEndBound())
        return;
    const int count = static_cast<int>(playList_.count());
    const int index = next ? nextIndex(playList_.playingIndex(), count) : previousIndex(playList_.playingIndex(), count);
    playList_.selectAndShow(index);
    openSelectedFile();
}

// WM_PLAYER_END: the next file, or the first after the last: the list loops.
LResult CJXQ_PCMgrDlg::onPlayerEnd(LParam lParam) {
    if (lParam == 1) {
        playing_ = false;
        playList_.setSelected(playList_.playingIndex());
        playList_.selectAndShow(advanceIndex(playList_.playingIndex(), static_cast<int>(playList_.count())));
    }
    openSelectedFile();
    return 1;
}

// The step keys (hidden buttons 1081, 1082 and 1094) hold the picture: the
// stepping flag is set before the seek, so that the first press holds it too.
void CJXQ_PCMgrDlg::stepSeconds(int seconds) {
    if (!adapter_ || !playing_)
        return;
    adapter_->stepping.store(1);
    seekTo(static_cast<float>(seconds), true);
    invalidate(kProgressRegion);
    adapter_->currentSecond.store(adapter_->currentSecond.load() + seconds);
    const int length = adapter_->lengthSeconds.load();
    if (length > 0)
        progressPosition_ = std::clamp(adapter_->currentSecond.load() * kProgressMax / length, 0, kProgressMax);
}

// One frame on; the library holds the picture after it.
void CJXQ_PCMgrDlg::stepFrame() {
    if (!adapter_ || !playing_)
        return;
    adapter_->operate(&player::ROVUState::FrameStep);
    adapter_->stepping.store(1);
    paused_ = true;
    invalidate(kProgressRegion);
}

void CJXQ_PCMgrDlg::applySpeed() {
    const SpeedStep step = speedFor(speedPosition_);
    if (!step.valid)
        return;
    speedStep_ = step.step;
    if (adapter_) {
        adapter_->operate(&player::ROVUState::SetSpeed, static_cast<float>(step.value), false);
    }
    canvas_.erase(kSpeedSliderErase);
    invalidate(kSpeedSliderArea);
}

void CJXQ_PCMgrDlg::applyVolume() {
    const std::optional<int> value = volumeFor(volumePosition_, adapter_ != nullptr);
    if (value && adapter_) {
        adapter_->operate(&player::ROVUState::SetVolume, static_cast<float>(*value), false);
    }
}

// Event and manual-event recordings ("evt_", "muevt_" in the file name; a
// folder of that name does not count) carry an event box.
void CJXQ_PCMgrDlg::readEventMarks() {
    eventRecords_.clear();
    eventMarksPresent_ = false;
    if (!QFileInfo(currentFile_).fileName().contains(QStringLiteral("evt_")))
        return;
    eventRecords_ = readEventMarksFromFile(currentFile_.toStdString());
    eventMarksPresent_ = !eventRecords_.empty();
}

// The mark row is erased on every paint, so marks of an earlier recording
// never outlive it; a mark that would stand outside the row is left out.
void CJXQ_PCMgrDlg::drawEventMarks() {
    canvas_.erase(kEventMarkRow);
    if (!eventMarksPresent_ || !adapter_)
        return;
    const int start = startTimeOf(currentFile_.toStdU16String());
    for (int x : markPositions(eventRecords_, start, adapter_->lengthSeconds.load()))
        if (x >= kEventMarkRow.left && x + kEventMarkSide <= kEventMarkRow.right)
            canvas_.drawImage(bitmap::kEventMark, {x, kEventMarkRow.top});
}

void CJXQ_PCMgrDlg::drawTimeTexts() {
    if (!adapter_ || !playing_ || atEndBound())
        return;
    const int length = adapter_->lengthSeconds.load();
    if (length <= 0)
        return;
    QPainter painter(&canvas_.backBuffer());
    painter.setFont(pointFont(kTimeFont, displayScale_));
    painter.setPen(Qt::white);
    drawTextAt(painter, kElapsedText, QString::fromStdString(elapsedText(adapter_->DisplaySecond())));
    drawTextAt(painter, kLengthText, QString::fromStdString(lengthText(length)));
}

// Button down on the bars: the knobs first, then the play list, then the
// strips (the progress bar's strip and the bar as drawn).
bool CJXQ_PCMgrDlg::controlsPress(int x, int y) {
    using Target = BarHit::Target;
    const BarHit knob = knobAt(x, y, {progressPosition_, speedPosition_, volumePosition_});
    switch (knob.target) {
    case Target::ProgressKnob:
        if (playing_ && adapter_) {
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
        if (playing_ && adapter_) {
            holdPicture();
            progressPosition_ = strip.position;
            seekTo(static_cast<float>(seekSecondForClick(progressPosition_, adapter_->lengthSeconds.load())), false);
            frameCounter_ = 0;
            for (const Rect& r : {kProgressRegion, kTimeRegion, kGSensorPanel})
                invalidate(r);
        }
        return true;
    case Target::SpeedStrip:
        if (playing_) {
            speedPosition_ = strip.position;
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
    volumePosition_ = volumePositionFromX(x);
    applyVolume();
    canvas_.erase(kVolumeSliderErase);
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
            progressPosition_ = progressFromX(x);
            canvas_.erase(kProgressDragErase);
            frameCounter_ = 0;
            for (const Rect& r : {kProgressRegion, kTimeRegion, kGSensorPanel})
                invalidate(r);
        }
        break;
    case DragTarget::Speed:
        if (playing_ && adapter_) {
            adapter_->stepping.store(0);
            speedPosition_ = speedPositionFromX(x);
            canvas_.erase(kSpeedSliderErase);
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
            seekTo(static_cast<float>(seekSecondForRelease(progressPosition_, length)), false);
    } else if (dragTarget_ == DragTarget::Speed && playing_) {
        applySpeed();
    }
}

bool CJXQ_PCMgrDlg::stepKey(int key) {
    switch (key) {
    case Qt::Key_Left: stepSeconds(-1); return true;
    case Qt::Key_Right: stepSeconds(1); return true;
    case Qt::Key_Period: stepFrame(); return true;
    default: return false;
    }
}

} // namespace kyvo::app
