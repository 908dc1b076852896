#include "SettingPopupState.h"

#include "LevelPosition.h"
#include "PopupLayout.h"

namespace kyvo::settings {

namespace {
constexpr int kLastUnit = kSpeedUnitKnots;
} // namespace

int unitFromListY(int y) {
    if (y >= popup::kUnitListBottom)
        return kLastUnit;
    const int unit = (y - popup::kUnitRowTop) / popup::kUnitRowHeight - 1;
    return unit < 0 ? 0 : unit;
}

int levelPositionFromX(int x) {
    if (x < popup::kDragFirstX)
        return kMinLevelPosition;
    if (x <= popup::kDragLastX)
        return x - popup::kDragFirstX;
    return kMaxLevelPosition;
}

PressOutcome SettingPopupState::press(int x, int y, SystemSettingsStore& store) {
    PressOutcome outcome;
    if (dragging_)
        return outcome;
    if (mode_ == PopupMode::ImageCapture) {
        if (popup::kCheckBox.contains(x, y)) {
            thirtyImages_ = !thirtyImages_;
            outcome.repaint = true;
        }
        return outcome;
    }
    if (mode_ != PopupMode::SystemSettingsMode)
        return outcome;

    SystemSettings& block = store.live();
    if (popup::levelThumb(store.levelPosition()).contains(x, y)) {
        dragging_ = true;
        outcome.startDrag = true;
    } else if (popup::kFoldButton.contains(x, y)) {
        unitListOpen_ = !unitListOpen_;
    } else if (unitListOpen_ && popup::kUnitListHit.contains(x, y)) {
        block.setSpeedUnit(unitFromListY(y));
        unitListOpen_ = false;
    } else if (popup::kCheckBox.contains(x, y)) {
        const bool use = block.usePassword() == 0;
        block.setUsePassword(use ? 1 : 0);
        outcome.passwordPopup = use ? PasswordPopupChange::Show : PasswordPopupChange::Hide;
    }
    outcome.repaint = true;
    return outcome;
}

bool SettingPopupState::drag(int x, SystemSettingsStore& store) {
    if (!dragging_ || mode_ != PopupMode::SystemSettingsMode)
        return false;
    const int position = levelPositionFromX(x);
    if (position == store.levelPosition())
        return false;
    store.setLevelPosition(position);
    store.live().setLevel(levelFromPosition(store.levelPosition()));
    return true;
}

ConfirmAction SettingPopupState::confirm(bool childShown, bool capturing, SystemSettingsStore& store) const {
    if (childShown || capturing)
        return ConfirmAction::Ignore;
    switch (mode_) {
    case PopupMode::ImageCapture: return ConfirmAction::StartCapture;
    case PopupMode::Backup: return ConfirmAction::RequestBackup;
    case PopupMode::SystemSettingsMode:
        store.live().setLevel(levelFromPosition(store.levelPosition()));
        return ConfirmAction::OpenCardSave;
    case PopupMode::Idle: break;
    }
    return ConfirmAction::Ignore;
}

ExitAction SettingPopupState::exit(bool childShown, bool capturing, SystemSettingsStore& store) {
    ExitAction action;
    // With the password or card-file popup open, leaving would hide this
    // popup without telling the main window, which would stay paused: exit
    // waits for the child, as confirm does.
    if (childShown || capturing)
        return action;
    switch (mode_) {
    case PopupMode::SystemSettingsMode:
        store.live().setLevel(levelFromPosition(store.levelPosition()));
        action = {ExitAction::NotifyDone, 0, 0};
        break;
    case PopupMode::ImageCapture:
        action = {ExitAction::NotifyDone, thirtyImages_ ? 1u : 0u, captured_};
        break;
    case PopupMode::Backup:
    case PopupMode::Idle: action.kind = ExitAction::HideOnly; break;
    }
    reset();
    return action;
}

void SettingPopupState::reset() {
    mode_ = PopupMode::Idle;
    unitListOpen_ = false;
    dragging_ = false;
    thirtyImages_ = false;
    captured_ = 0;
}

} // namespace kyvo::settings
