#pragma once
// What the settings popup does with the pointer and its buttons, without a
// window: the mode, the folded or open speed-unit list, the level drag, the
// capture check box and counters, and the answers of confirm and exit. The
// window translates its events into these calls and draws what they leave.
//
// Not thread-safe: the GUI thread only. (The capture counters are written by
// the capture worker through the window, which owns the synchronisation.)

#include "PixelGeometry.h"
#include "SystemSettingsStore.h"

#include <cstdint>

namespace kyvo::settings {

enum class PopupMode : int { ImageCapture = 0, Backup = 1, SystemSettingsMode = 2, Idle = 3 };

// What a press asks of the password popup.
enum class PasswordPopupChange { None, Show, Hide };

struct PressOutcome {
    bool startDrag = false;  // the window grabs the pointer until release
    PasswordPopupChange passwordPopup = PasswordPopupChange::None;
    bool repaint = false;    // the field, the list and the check boxes
};

enum class ConfirmAction {
    Ignore,        // a capture runs, or a child popup is open
    StartCapture,  // capture mode
    RequestBackup, // backup mode: the main window copies the recording
    OpenCardSave,  // system-settings mode: the card-file popup opens
};

struct ExitAction {
    enum Kind {
        Ignore,      // a capture runs, or a child popup is open
        NotifyDone,  // WM_POPUP_DONE (wParam, lParam) to the main window, then reset and hide
        HideOnly,    // backup mode: reset and hide without a notice
    } kind = Ignore;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

class SettingPopupState {
public:
    PopupMode mode() const { return mode_; }
    void setMode(PopupMode mode) { mode_ = mode; }

    bool unitListOpen() const { return unitListOpen_; }
    bool dragging() const { return dragging_; }
    bool thirtyImages() const { return thirtyImages_; }
    int captured() const { return captured_; }

    // A press of the left button at client point (x, y). Ignored while a
    // drag runs. Changes the block's speed unit and use-password flag in
    // `store` as the controls do.
    PressOutcome press(int x, int y, SystemSettingsStore& store);
    // The pointer moved to x during a drag: the slider position follows and
    // the level with it. Answers whether anything changed.
    bool drag(int x, SystemSettingsStore& store);
    void release() { dragging_ = false; }

    // The capture loop has written its first still since the last reset.
    void markCaptured() { captured_ = 1; }

    // Confirm and exit; `childShown` when the password or card-file popup
    // is visible, `capturing` while the capture worker runs. Exit also sets
    // the level from the slider in system-settings mode and, unless ignored,
    // leaves the state reset (mode Idle).
    ConfirmAction confirm(bool childShown, bool capturing, SystemSettingsStore& store) const;
    ExitAction exit(bool childShown, bool capturing, SystemSettingsStore& store);

    // Mode Idle, list folded, no drag, check box and captured cleared. The
    // block keeps every change.
    void reset();

private:
    PopupMode mode_ = PopupMode::Idle;
    bool unitListOpen_ = false;
    bool dragging_ = false;
    bool thirtyImages_ = false;
    int captured_ = 0;
};

// The speed unit of a press at y inside the open list: the row under the
// pointer, the last unit from the list's bottom edge on.
int unitFromListY(int y);

// The slider position for pointer x during a drag.
int levelPositionFromX(int x);

} // namespace kyvo::settings
