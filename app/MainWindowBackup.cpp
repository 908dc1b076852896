// Evidence from the recording. The capture button holds the picture and
// opens the settings popup in its capture mode, whose worker writes stills of
// the frames on screen. The save button stops playback and opens the popup in
// its backup mode; its confirm comes back as WM_BACKUP_REQUEST, and the
// recording is copied into the backup folder on a worker thread while the
// window keeps working.

#include "CJXQ_PCMgrDlg.h"

#include "AdapterCaptureSource.h"
#include "BackupRunner.h"
#include "MessageBox.h"
#include "ROVUAdap.h"
#include "SettingPopup.h"
#include "StringIds.h"

namespace kyvo::app {

void CJXQ_PCMgrDlg::onCapture() {
    if (!adapter_ || !playing_ || !settingIdle())
        return;
    if (!paused_)
        pause();
    savedPosition_ = adapter_->DisplaySecond();
    settingPopup_->setMode(PopupMode::ImageCapture);
    settingPopup_->place(windowRect_);
    settingPopup_->layOut();
    settingPopup_->setCaptureSource(std::make_shared<AdapterCaptureSource>(*adapter_, this, frameShown_),
                                    currentFile_.toStdString());
    settingPopup_->setShown(true);
    updateMapShown();
}

bool CJXQ_PCMgrDlg::captureRunning() const {
    return settingPopup_ && settingPopup_->capturing();
}

void CJXQ_PCMgrDlg::onSave() {
    if (!adapter_ || !playing_ || listPanel_.list().empty() || !settingIdle())
        return;
    stop();
    settingPopup_->setMode(PopupMode::Backup);
    settingPopup_->place(windowRect_);
    settingPopup_->layOut();
    settingPopup_->setShown(true);
    updateMapShown();
}

// WM_BACKUP_REQUEST: answers 0 when no backup folder is set, else 1 (the copy
// then runs on). The sound is muted for the copy and restored on every path.
LResult CJXQ_PCMgrDlg::onBackupRequest() {
    if (!adapter_ || listPanel_.list().empty() || currentFile_.isEmpty())
        return 1;
    if (backup_ && backup_->running())
        return 1;
    if (bars_.speedStep() != kNormalSpeedStep) {
        bars_.setSpeed(kSpeedStartPosition);
        applySpeed();
    }
    volumeBeforeBackup_ = bars_.volume();
    bars_.setVolume(0);
    applyVolume();
    eraseStoppedRegions();

    const std::string folder = settingPopup_->store().backupFolder();
    if (folder.empty()) {
        restoreVolumeAfterBackup();
        messageBox(this, strings::kChooseFolder);
        return 0;
    }
    if (!backup_) {
        backup_ = std::make_unique<BackupRunner>(
            this, [this](CopyResult result, const std::filesystem::path&) { onBackupFinished(result); });
    }
    const std::filesystem::path source = currentFile_.toStdString();
    backup_->start(source, backupTarget(folder, source));
    return 1;
}

void CJXQ_PCMgrDlg::onBackupFinished(CopyResult result) {
    restoreVolumeAfterBackup();
    switch (result) {
    case CopyResult::Copied: settingPopup_->showResult(2); break;
    case CopyResult::SameFile: messageBox(this, strings::kBackupSameFile, MessageIcon::Warning); break;
    case CopyResult::SourceUnreadable:
        messageBox(this, strings::kBackupSourceUnreadable, MessageIcon::Warning);
        break;
    case CopyResult::TargetFailed: messageBox(this, strings::kBackupFailed, MessageIcon::Warning); break;
    case CopyResult::Cancelled: messageBox(this, strings::kBackupCancelled); break;
    }
}

void CJXQ_PCMgrDlg::restoreVolumeAfterBackup() {
    if (volumeBeforeBackup_ < 0)
        return;
    bars_.setVolume(volumeBeforeBackup_);
    volumeBeforeBackup_ = -1;
    applyVolume();
    invalidate(kVolumeSliderArea);
}

} // namespace kyvo::app
