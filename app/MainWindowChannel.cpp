// The channel dialog and the encrypted view mode: the dialog's choice reaches
// the adapter (channel mode, encrypted view mode, key), whose every load reads
// it; the key goes into the settings block's last word; the choice is kept in
// the store beside the viewer's configuration and comes back at the next run.
// A scrambled recording that the key does not open is refused with a message.

#include "CJXQ_PCMgrDlg.h"

#include "CDialogChannel.h"
#include "CentredDialog.h"
#include "MessageBox.h"
#include "ROVUAdap.h"
#include "SettingPopup.h"
#include "StringIds.h"
#include "SystemSettings.h"
#include "VideoPopupLayout.h"

#include <cstdio>

namespace kyvo::app {

namespace {
constexpr char kChannelChoiceKey[] = "SOFTWARE\\Orvanel\\Kyvo Viewer\\01.00.01\\Channel";
constexpr char kChannelChoiceValue[] = "choice";
} // namespace

// Modal over the main window; a popup of the settings button in use keeps it shut.
void CJXQ_PCMgrDlg::onChannelDialog() {
    if (!settingIdle())
        return;
    CDialogChannel dialog(channelChoice_);
    if (execCentredOver(dialog, this) == QDialog::Accepted)
        takeChannelChoice(dialog.choice());
}

void CJXQ_PCMgrDlg::takeChannelChoice(const settings::ChannelChoice& choice) {
    channelChoice_ = choice;
    applyChannelChoice();
    const std::string text = settings::channelChoiceText(channelChoice_);
    store_->write(QString::fromLatin1(kChannelChoiceKey), QString::fromLatin1(kChannelChoiceValue),
                  QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

// At initialisation, after the adapter was set to one channel and the general
// view mode: the choice of an earlier run, when there is one.
void CJXQ_PCMgrDlg::restoreChannelChoice() {
    const auto value =
        store_->read(QString::fromLatin1(kChannelChoiceKey), QString::fromLatin1(kChannelChoiceValue));
    if (!value)
        return;
    channelChoice_ = settings::readChannelChoiceText(std::string_view(value->constData(), value->size()));
    applyChannelChoice();
}

// The adapter reads these at every load; the file playing now plays on.
void CJXQ_PCMgrDlg::applyChannelChoice() {
    if (adapter_) {
        adapter_->channelMode.store(channelChoice_.channelMode());
        adapter_->encryptedViewMode.store(channelChoice_.encrypted);
        adapter_->key.store(channelChoice_.key);
        adapter_->rearView.store(channelChoice_.rearView);
        // The rear's window takes its place as soon as the library makes it.
        if (channelChoice_.channelMode() == 2) {
            const layout::Rect& rear = layout::video_popup::kChannel1InWindow;
            adapter_->operate(&player::ROVUState::SetVideoRect, 1, static_cast<std::int16_t>(rear.left),
                              static_cast<std::int16_t>(rear.top), static_cast<std::int16_t>(rear.width()),
                              static_cast<std::int16_t>(rear.height()));
        }
    }
    updateMapShown();
    if (settingPopup_) {
        settings::SystemSettings block = settings::SystemSettings::fromBytes(settingPopup_->blockBytes());
        block.setKey(static_cast<std::int32_t>(channelChoice_.key));
        const auto bytes = block.toBytes();
        settingPopup_->loadBlock(bytes);
    }
}

// The key does not open the scrambled recording: nothing of it plays, and what
// played before stops as at the stop button.
void CJXQ_PCMgrDlg::refuseWrongKey() {
    std::fprintf(stderr, "tessaro-viewer: the password does not open %s\n", currentFile_.toUtf8().constData());
    endPlayback();
    messageBox(this, strings::kWrongKey, MessageIcon::Warning);
}

} // namespace kyvo::app
