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

#include <QKeyEvent>
#include <QPainter>

namespace kyvo::app {

namespace {

constexpr int kTimeFont = 120;
constexpr Point kElapsedAt{435, 500};
constexpr Point kLengthAt{498, 500};
constexpr int kEventMarkY = 466;
constexpr Rect kSpeedSliderErase = rectAt(639, 499, 143, 30);
constexpr Rect kSpeedSliderArea{639, 499, 782, 529};
constexpr Rect kVolumeSliderErase = rectAt(792, 489, 223, 30);
constexpr Rect kVolumeSliderArea{792, 489, 1065, 529};
constexpr Rect kProgressDragErase = rectAt(20, 501, 373, 23);
constexpr Rect kVideoTextArea = rectAt(25, 55, 315, 80);

} // namespace

bool CJXQ_PCMgrDlg::settingIdle() const {
    return settingPopup_ && settingPopup_->idle();
}

void CJXQ_PCMgrDlg::yieldAdapter() {
    if (adapter_)
        adapter_->current()->Yield();
}

void CJXQ_PCMgrDlg::pause() {
    if (!adapter_)
        return;
    adapter_->stepping.store(0);
    if (playing_ && !paused_ && settingIdle() && adapter_->DisplaySecond() != adapter_->lengthSeconds.load()) {
        paused_ = true;
        adapter_->current()->TogglePause();
        yieldAdapter();
    }
}

void CJXQ_PCMgrDlg::stop() {
    if (!settingIdle() || !adapter_ || !playing_)
        return;
    if (speedStep_ != kNormalSpeedStep) {
        speedPosition_ = kSpeedStartPosition;
        applySpeed();
    }
    adapter_->current()->SkipEntry();
    yieldAdapter();
    adapter_->currentTime.store(0);
    adapter_->currentSecond.store(0);
    adapter_->length.store(0);
    adapter_->lengthSeconds.store(0);
    resetPlaybackInterface();
    for (const Rect& r : {kProgressRegion, kTimeRegion, kGSensorPanel, rectAt(685, 608, 315, 126), kVideoTextArea}) {
        canvas_.erase(r);
        invalidate(r);
    }
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

// The step keys (hidden buttons 1081, 1082 and 1094).
void CJXQ_PCMgrDlg::stepSeconds(int seconds) {
    if (!adapter_ || !playing_)
        return;
    adapter_->current()->Seek(static_cast<float>(seconds), true);
    yieldAdapter();
    adapter_->stepping.store(1);
    invalidate(kProgressRegion);
    adapter_->currentSecond.store(adapter_->currentSecond.load() + seconds);
    const int length = adapter_->lengthSeconds.load();
    if (length > 0)
        progressPosition_ = std::clamp(adapter_->currentSecond.load() * 360 / length, 0, 360);
}

void CJXQ_PCMgrDlg::stepFrame() {
    if (!adapter_ || !playing_)
        return;
    adapter_->current()->FrameStep();
    yieldAdapter();
    adapter_->stepping.store(1);
    invalidate(kProgressRegion);
}

void CJXQ_PCMgrDlg::applySpeed() {
    const SpeedStep step = speedFor(speedPosition_);
    if (!step.valid)
        return;
    speedStep_ = step.step;
    if (adapter_) {
        adapter_->current()->SetSpeed(static_cast<float>(step.value), false);
        yieldAdapter();
    }
    canvas_.erase(kSpeedSliderErase);
    invalidate(kSpeedSliderArea);
}

void CJXQ_PCMgrDlg::applyVolume() {
    const std::optional<int> value = volumeFor(volumePosition_, adapter_ != nullptr);
    if (value && adapter_) {
        adapter_->current()->SetVolume(static_cast<float>(*value), false);
        yieldAdapter();
    }
}

void CJXQ_PCMgrDlg::readEventMarks() {
    eventRecords_.clear();
    eventMarksPresent_ = false;
    const int at = static_cast<int>(currentFile_.indexOf(QStringLiteral("evt_")));
    if (at <= 0)
        return;
    eventRecords_ = readEventMarksFromFile(currentFile_.toStdString());
    eventMarksPresent_ = !eventRecords_.empty();
}

void CJXQ_PCMgrDlg::drawEventMarks() {
    if (!eventMarksPresent_ || !adapter_)
        return;
    const int start = startTimeOf(currentFile_.toStdU16String());
    for (int x : markPositions(eventRecords_, start, adapter_->lengthSeconds.load()))
        canvas_.drawImage(bitmap::kEventMark, {x, kEventMarkY});
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
    drawTextAt(painter, kElapsedAt, QString::fromStdString(elapsedText(adapter_->DisplaySecond())));
    drawTextAt(painter, kLengthAt, QString::fromStdString(lengthText(length)));
}

// Button down on the bars, in the order of the knobs, then the strips.
bool CJXQ_PCMgrDlg::controlsPress(int x, int y) {
    const int length = adapter_ ? adapter_->lengthSeconds.load() : 0;
    if (inRect(progressKnobRect(progressPosition_), x, y)) {
        if (playing_ && adapter_) {
            adapter_->current()->TogglePause();
            yieldAdapter();
            beginDrag(0);
        }
        return true;
    }
    if (inRect(speedKnobRect(speedPosition_), x, y)) {
        if (playing_)
            beginDrag(1);
        return true;
    }
    if (inRect(volumeKnobRect(volumePosition_), x, y)) {
        if (playing_)
            beginDrag(2);
        return true;
    }
    if (playListPress(x, y))
        return true;
    if (inRect(kProgressStrip, x, y)) {
        if (playing_ && adapter_) {
            adapter_->current()->TogglePause();
            yieldAdapter();
            progressPosition_ = progressFromX(x);
            adapter_->current()->Seek(static_cast<float>(seekSecondForClick(progressPosition_, length)), false);
            frameCounter_ = 0;
            for (const Rect& r : {kProgressRegion, kTimeRegion, kGSensorPanel})
                invalidate(r);
            yieldAdapter();
        }
        return true;
    }
    if (inRect(kSpeedStrip, x, y)) {
        if (playing_) {
            speedPosition_ = speedPositionFromX(x);
            applySpeed();
        }
        return true;
    }
    if (inRect(kVolumeStrip, x, y)) {
        if (playing_)
            setVolumeFromX(x);
        return true;
    }
    return false;
}

void CJXQ_PCMgrDlg::setVolumeFromX(int x) {
    volumePosition_ = volumePositionFromX(x);
    applyVolume();
    canvas_.erase(kVolumeSliderErase);
    invalidate(kVolumeSliderArea);
}

void CJXQ_PCMgrDlg::beginDrag(int target) {
    dragInProgress_ = true;
    dragTarget_ = target;
    grabMouse();
}

void CJXQ_PCMgrDlg::controlsDrag(int x) {
    switch (dragTarget_) {
    case 0:
        if (playing_) {
            progressPosition_ = progressFromX(x);
            canvas_.erase(kProgressDragErase);
            frameCounter_ = 0;
            for (const Rect& r : {kProgressRegion, kTimeRegion, kGSensorPanel})
                invalidate(r);
        }
        break;
    case 1:
        if (playing_ && adapter_) {
            adapter_->stepping.store(0);
            speedPosition_ = speedPositionFromX(x);
            canvas_.erase(kSpeedSliderErase);
            invalidate(kSpeedSliderRect);
        }
        break;
    case 2:
        if (playing_)
            setVolumeFromX(x);
        break;
    default:
        break;
    }
}

void CJXQ_PCMgrDlg::controlsRelease() {
    if (dragTarget_ == 0 && playing_ && adapter_) {
        const int length = adapter_->lengthSeconds.load();
        if (length > 0)
            adapter_->current()->Seek(static_cast<float>(seekSecondForRelease(progressPosition_, length)), false);
        yieldAdapter();
    } else if (dragTarget_ == 1 && playing_) {
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
