#pragma once
// The popup for image capture, backup and the system settings. It owns the
// system-settings block, the folders and the card settings file logic; the
// main window reads the block from it and keeps it in its configuration.
//
// Created hidden with the main window, with its two children (the card-file
// popup and the password popup); the main window sets a mode, lays it out
// and shows it. Confirm and exit return it to Idle and hide it:
//   - system settings: confirm opens the card-file popup; exit sends
//     WM_POPUP_DONE (0, 0) to the main window;
//   - image capture: confirm starts the capture worker (one still, or
//     thirty of consecutive frames) with its progress shown; exit sends
//     WM_POPUP_DONE (thirty images, captured);
//   - backup: confirm sends WM_BACKUP_REQUEST (1, 0) to the main window.
// While the password or card-file popup is open, or a capture runs, confirm
// and exit wait.
//
// The speed unit and the password change the live block at once; the level
// follows the slider while it is dragged.
//
// GUI thread only.

#include "CaptureThread.h"
#include "OwnerDrawnPopup.h"
#include "SettingPopupState.h"
#include "SystemSettingsStore.h"

#include <QRect>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace kyvo {

using settings::PopupMode;

class PasswordSetting;
class SettingSavePopup;
class SkinButton;

class SettingPopup : public OwnerDrawnPopup {
public:
    // Messages go to `mainWindow`, the parent.
    explicit SettingPopup(QWidget* mainWindow);
    ~SettingPopup() override;

    PopupMode mode() const { return state_.mode(); }
    bool idle() const { return state_.mode() == PopupMode::Idle; }
    void setMode(PopupMode mode) { state_.setMode(mode); }

    // The main window's rectangle (screen coordinates), kept for placing
    // this popup and its children.
    void place(const QRect& mainWindowRect);
    QRect mainWindowRect() const { return mainRect_; }
    // Places the popup and its buttons for the current mode.
    void layOut();

    // The result messages: 1 capture done, 2 backup saved, 3 the passwords differ.
    void showResult(int which);

    // Image capture: where the pictures come from and the recording they
    // belong to (for the stills' names). Given before the popup is shown.
    void setCaptureSource(std::shared_ptr<capture::CaptureSource> source, std::string recording);
    // From confirm until the capture's end has been taken on this thread (the
    // worker may have ended a moment before): confirm and exit wait meanwhile.
    bool capturing() const { return capture_.running() || showingProgress_; }
    // Ends a running capture and waits for its worker (before the player goes).
    void stopCapture() { capture_.stop(); }

    // The block as the main window hands it in at start-up (markers forced).
    void loadBlock(std::span<const std::uint8_t> block);
    // The current block, as the 56 bytes the main window keeps.
    std::array<std::uint8_t, settings::SystemSettings::kSize> blockBytes();
    // The folder fragment of the configuration text, at most maxBytes long.
    std::string buildFragment(std::size_t maxBytes);
    void parseFragment(std::string_view fragment);

    int speedUnit() const;
    // Called whenever a control changed the block (the speed unit, the
    // password, the level), so the main window can show it at once.
    void setChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }

    settings::SystemSettingsStore& store() { return store_; }
    const settings::SettingPopupState& state() const { return state_; }

    SettingSavePopup* savePopup() const { return savePopup_; }
    PasswordSetting* passwordPopup() const { return passwordPopup_; }
    SkinButton* confirmButton() const { return confirmButton_; }
    SkinButton* exitButton() const { return exitButton_; }
    SkinButton* folderButton() const { return folderButton_; }

protected:
    LResult windowMessage(unsigned message, WParam wParam, LParam lParam) override;
    QString title() const override;
    void drawContent(QPainter& painter) override;
    void onClose() override { exitPopup(); }
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void confirm();
    void exitPopup();
    void startCapture();
    void captureFinished(const capture::CaptureReport& report);
    void chooseFolder();
    void writeCardSettings();
    void takePasswordAnswer(WParam number, LParam accepted);
    bool childShown() const;
    // The folder of the current mode (capture or backup).
    std::string modeFolder() const;

    // Drawing (SettingPopupPaint.cpp).
    void drawFolderBox(QPainter& painter);
    void drawCaptureOptions(QPainter& painter);
    void drawCaptureProgress(QPainter& painter);
    void drawSystemSettings(QPainter& painter);
    void drawLevelSlider(QPainter& painter);

    QWidget* mainWindow_;
    settings::SystemSettingsStore store_;
    settings::SettingPopupState state_;
    QRect mainRect_;
    std::function<void()> changed_;
    SkinButton* folderButton_ = nullptr;
    SkinButton* confirmButton_ = nullptr;
    SkinButton* exitButton_ = nullptr;
    std::shared_ptr<capture::CaptureSource> captureSource_;
    std::string captureRecording_;
    bool showingProgress_ = false; // from the start of a capture to its end message
    int captureCount_ = 0;
    int captureTotal_ = 0;
    SettingSavePopup* savePopup_ = nullptr;   // owned; a window of its own
    PasswordSetting* passwordPopup_ = nullptr; // owned; a window of its own
    CaptureThread capture_;                    // last member: stopped first when the popup goes
};

} // namespace kyvo
