#pragma once
// Control ids of the popups' buttons.

namespace kyvo::popup_control {

enum : int {
    kConfirm = 1,       // capture, OK
    kClose = 2,         // the close button in the top right
    kExit = 3,
    kChooseFolder = 4,
};

} // namespace kyvo::popup_control
