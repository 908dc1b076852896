#include "SettingPopup.h"

#include "MessageBox.h"
#include "StringIds.h"
#include "ViewerMessages.h"

namespace kyvo {

SettingPopup::SettingPopup(QWidget* mainWindow)
    : MessageWindow(mainWindow, Qt::Tool | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral("SettingPopup"));
    hide();
}

void SettingPopup::place(const QRect& mainWindowRect) {
    mainRect_ = mainWindowRect;
}

void SettingPopup::loadBlock(std::span<const std::uint8_t> block) {
    store_.loadBlock(block);
}

std::array<std::uint8_t, settings::SystemSettings::kSize> SettingPopup::blockBytes() {
    return store_.handOut().toBytes();
}

std::string SettingPopup::buildFragment(std::size_t maxBytes) {
    return store_.buildFragment(maxBytes);
}

void SettingPopup::parseFragment(std::string_view fragment) {
    store_.parseFragment(fragment);
}

int SettingPopup::speedUnit() const {
    return store_.live().speedUnit();
}

LResult SettingPopup::windowMessage(unsigned message, WParam wParam, LParam lParam) {
    if (message == WM_CARD_SETTINGS_WRITE) {
        writeCardSettings();
        return 1;
    }
    return MessageWindow::windowMessage(message, wParam, lParam);
}

void SettingPopup::writeCardSettings() {
    // A card file that cannot be written would leave the recorder with its old
    // settings while the user believes them changed: say so.
    if (!store_.writeCardSettings())
        messageBox(this, strings::kCardFileWriteFailed, MessageIcon::Warning);
}

} // namespace kyvo
