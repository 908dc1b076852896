#pragma once
// The viewer's private window messages and their values. Every value lies in
// the range that window messages can use (see platform/WindowMessage.h). The
// messages to the playback library's video windows are the library's own
// (orv::VideoWindowMessage in orvplayer/include/OrvPlayerAbi.h).

namespace kyvo {

enum ViewerMessage : unsigned {
    WM_VIDEO_POPUP_OPEN = 0x750,    // the library to the main window: open or close an enlarged channel view
    WM_PLAYER_END = 0x770,          // adapter to main window: the file has played to its end
    WM_POPUP_CLOSED = 0x780,        // video popup to main window
    WM_CARD_SETTINGS_WRITE = 0x790, // SettingSavePopup to SettingPopup
    WM_PLAYER_FRAME = 0x800,        // adapter to main window: a frame was shown
    WM_PASSWORD_RESULT = 0x810,     // PasswordSetting to SettingPopup
    WM_FILES_ADD = 0x820,           // FilesOpenPopup to main window
    WM_BACKUP_REQUEST = 0x830,      // SettingPopup to main window
    WM_FILES_POPUP_CLOSED = 0x860,  // FilesOpenPopup to main window
    WM_POPUP_DONE = 0x8064,         // SettingPopup to main window when it closes
};

} // namespace kyvo
