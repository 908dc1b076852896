#pragma once
// The popup for image capture, backup and the system settings. It owns the
// system-settings block, the folders and the card settings file logic; the
// main window reads the block from it and keeps it in its configuration.
// Its window is created hidden with the main window and shown per mode.
//
// GUI thread only.

#include "SystemSettingsStore.h"
#include "WindowMessage.h"

#include <QRect>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kyvo {

enum class PopupMode : int { ImageCapture = 0, Backup = 1, SystemSettingsMode = 2, Idle = 3 };

class SettingPopup : public MessageWindow {
public:
    explicit SettingPopup(QWidget* mainWindow);

    PopupMode mode() const { return mode_; }
    bool idle() const { return mode_ == PopupMode::Idle; }
    void setMode(PopupMode mode) { mode_ = mode; }

    // Places the popup relative to the main window's rectangle.
    void place(const QRect& mainWindowRect);
    QRect mainWindowRect() const { return mainRect_; }

    // The block as the main window hands it in at start-up (markers forced).
    void loadBlock(std::span<const std::uint8_t> block);
    // The current block, as the 56 bytes the main window keeps.
    std::array<std::uint8_t, settings::SystemSettings::kSize> blockBytes();
    // The folder fragment of the configuration text, at most maxBytes long.
    std::string buildFragment(std::size_t maxBytes);
    void parseFragment(std::string_view fragment);

    int speedUnit() const;

    settings::SystemSettingsStore& store() { return store_; }

protected:
    LResult windowMessage(unsigned message, WParam wParam, LParam lParam) override;

private:
    void writeCardSettings();

    settings::SystemSettingsStore store_;
    PopupMode mode_ = PopupMode::Idle;
    QRect mainRect_;
};

} // namespace kyvo
