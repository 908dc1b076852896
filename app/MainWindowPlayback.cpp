// Playback of the main window: pause and its hold, stop, previous and next
// file, the automatic advance, the step keys, the speed and the volume, and
// each frame the player shows.

#include "CJXQ_PCMgrDlg.h"

#include "ROVUAdap.h"
#include "SettingPopup.h"

#include <QKeyEvent>

#include <algorithm>
#include <cstring>

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
    if (bars_.speedStep() != kNormalSpeedStep) {
        bars_.setSpeed(kSpeedStartPosition);
        applySpeed();
    }
    endPlayback();
}

// The entry ends in the library and the window shows nothing playing.
void CJXQ_PCMgrDlg::endPlayback() {
    adapter_->operate(&player::ROVUState::SkipEntry);
    adapter_->resetClock();
    resetPlaybackInterface();
    eraseStoppedRegions();
    mapActive_ = false;
    updateMapShown();
}

// What a stop leaves: the bars, the time, the G-sensor panel, the list panel
// and the top of the video area as on the clean skin.
void CJXQ_PCMgrDlg::eraseStoppedRegions() {
    gauges_.hideGSensor();
    for (const Rect& r : {kProgressRegion, kTimeRegion, kGSensorPanel, kPlayListPanel, kVideoTextArea, kListTrack})
        invalidate(r);
}

void CJXQ_PCMgrDlg::resetPlaybackInterface() {
    bars_.reset();
    gauges_.restartGraphCount();
    playing_ = false;
    paused_ = false;
    invalidate(kEventMarkRow);
    listPanel_.list().setPlayingIndex(-1);
}

bool CJXQ_PCMgrDlg::atEndBound() const {
    return adapter_ && app::atEndBound(adapter_->currentSecond.load(), adapter_->frameCount.load());
}

void CJXQ_PCMgrDlg::stepFile(bool next) {
    PlayList& list = listPanel_.list();
    if (!settingIdle() || !adapter_ || list.empty())
        return;
    if (playing_ && atEndBound())
        return;
    const int count = static_cast<int>(list.count());
    list.selectAndShow(next ? nextIndex(list.playingIndex(), count) : previousIndex(list.playingIndex(), count));
    openSelectedFile();
}

// WM_PLAYER_END: the next file, or the first after the last: the list loops.
LResult CJXQ_PCMgrDlg::onPlayerEnd(LParam lParam) {
    if (lParam == 1) {
        PlayList& list = listPanel_.list();
        playing_ = false;
        list.setSelected(list.playingIndex());
        list.selectAndShow(advanceIndex(list.playingIndex(), static_cast<int>(list.count())));
    }
    openSelectedFile();
    return 1;
}

// WM_PLAYER_FRAME: progress, GPS sentence and G-sensor of the frame just shown.
LResult CJXQ_PCMgrDlg::onPlayerFrame() {
    if (!playing_ || !adapter_)
        return 1;
    frameShown_.store(true);
    std::array<char, player::kGpsRecordSize> gps{};
    std::array<float, 3> sensor{};
    const bool haveTelemetry = adapter_->telemetry(gps, sensor);
    const std::string_view sentence(gps.data(), haveTelemetry ? strnlen(gps.data(), gps.size()) : 0);
    bars_.setProgress(progressPosition(adapter_->lengthSeconds.load(), adapter_->DisplaySecond(), bars_.progress()));
    if (holdAt_ >= 0 && adapter_->lengthSeconds.load() > 0) {
        const int length = adapter_->lengthSeconds.load();
        const double at = holdAt_ < length ? holdAt_ : std::max(0, length - 1);
        holdAt_ = -1;
        adapter_->stepping.store(1); // the seek holds the picture
        seekTo(static_cast<float>(at), false);
    }
    std::optional<std::array<float, 3>> sample;
    if (adapter_->noTelemetry.load() == 0 && haveTelemetry)
        sample = sensor;
    gauges_.takeFrame(sentence, sample);
    if (!videoPopupsActive_) {
        invalidate(kProgressRegion);
        invalidate(kTimeRegion);
    }
    invalidate(kHeadingRegion);
    invalidate(kGSensorPanel);
    // The marks stand where the length puts them, which the first frames bring.
    if (bars_.hasEventMarks())
        invalidate(kEventMarkRow);
    return 1;
}

// The step keys (hidden buttons 1081, 1082 and 1094) hold the picture: the
// stepping flag is set before the seek, so that the first press holds it too.
void CJXQ_PCMgrDlg::stepSeconds(int seconds) {
    if (!adapter_ || !playing_ || captureRunning())
        return;
    adapter_->stepping.store(1);
    seekTo(static_cast<float>(seconds), true);
    invalidate(kProgressRegion);
    adapter_->currentSecond.store(adapter_->currentSecond.load() + seconds);
    const int length = adapter_->lengthSeconds.load();
    if (length > 0)
        bars_.setProgress(std::clamp(adapter_->currentSecond.load() * kProgressMax / length, 0, kProgressMax));
}

// One frame on; the library holds the picture after it.
void CJXQ_PCMgrDlg::stepFrame() {
    if (!adapter_ || !playing_ || captureRunning())
        return;
    adapter_->operate(&player::ROVUState::FrameStep);
    adapter_->stepping.store(1);
    paused_ = true;
    invalidate(kProgressRegion);
}

bool CJXQ_PCMgrDlg::stepKey(int key) {
    switch (key) {
    case Qt::Key_Left: stepSeconds(-1); return true;
    case Qt::Key_Right: stepSeconds(1); return true;
    case Qt::Key_Period: stepFrame(); return true;
    default: return false;
    }
}

void CJXQ_PCMgrDlg::applySpeed() {
    const SpeedStep step = speedFor(bars_.speed());
    if (!step.valid)
        return;
    bars_.setSpeedStep(step.step);
    if (adapter_)
        adapter_->operate(&player::ROVUState::SetSpeed, static_cast<float>(step.value), false);
    invalidate(kSpeedSliderArea);
}

void CJXQ_PCMgrDlg::applyVolume() {
    const std::optional<int> value = volumeFor(bars_.volume(), adapter_ != nullptr);
    if (value && adapter_)
        adapter_->operate(&player::ROVUState::SetVolume, static_cast<float>(*value), false);
}

} // namespace kyvo::app
