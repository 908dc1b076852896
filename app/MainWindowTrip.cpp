// Ctrl+E: the trip of the recording that plays (its folder's recordings
// joined while their gaps stay within five seconds) written as GPX into the
// backup folder, with a message that names the file.

#include "CJXQ_PCMgrDlg.h"

#include "MessageBox.h"
#include "ROVUAdap.h"
#include "SettingPopup.h"
#include "StringIds.h"
#include "Strings.h"
#include "TripExport.h"
#include "TripWriters.h"

#include <cstdio>
#include <filesystem>

namespace kyvo::app {

void CJXQ_PCMgrDlg::exportTrip() {
    if (currentFile_.isEmpty() || !adapter_)
        return;
    const std::string folder = settingPopup_->store().backupFolder();
    if (folder.empty()) {
        messageBox(this, strings::kChooseFolder);
        return;
    }
    const auto mode = adapter_->encryptedViewMode.load() ? player::ViewMode::Encrypted : player::ViewMode::General;
    const std::string recording = currentFile_.toStdString();
    const auto trip = trip::tripOf(recording, mode, adapter_->key.load());
    if (!trip) {
        messageBox(this, strings::kTripNoTelemetry, MessageIcon::Warning);
        return;
    }
    const std::string path = (std::filesystem::path(folder) / trip::tripFileName(recording)).string();
    std::string error;
    if (!trip::writeFileWhole(path, trip::writeTrips(trip::Format::Gpx, {*trip}), error)) {
        std::fprintf(stderr, "tessaro-viewer: %s\n", error.c_str());
        messageBox(this, loadString(strings::kTripExportFailed).arg(QString::fromStdString(path)),
                   MessageIcon::Warning);
        return;
    }
    messageBox(this, loadString(strings::kTripExported).arg(QString::fromStdString(path)));
}

} // namespace kyvo::app
