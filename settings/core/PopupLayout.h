#pragma once
// Where everything of the settings, card-file, password and information
// popups stands, in the popups' client pixels, and their colours. The
// windows draw from these tables and the input rules hit-test against them.

#include "PixelGeometry.h"

#include <array>

namespace kyvo::settings::popup {

using layout::Point;
using layout::Rect;
using layout::Rgb;
using layout::Size;

// ---- Shared by every popup ----------------------------------------------------

inline constexpr Rgb kBorder = layout::rgb(0x969696);       // RGB(150, 150, 150)
inline constexpr Rgb kFill = layout::rgb(0x040000);         // RGB(4, 0, 0)
inline constexpr Rgb kPasswordFill = layout::rgb(0x000000); // the password popup is black
inline constexpr Rgb kTitleColour = layout::rgb(0x0979D5);  // RGB(9, 121, 213)
inline constexpr Rgb kRuleColour = layout::rgb(0x183E65);   // RGB(24, 62, 101)
inline constexpr Rgb kLabelColour = layout::rgb(0x85D2D9);  // RGB(133, 210, 217)
inline constexpr Rgb kEditFrameColour = layout::rgb(0x828282); // RGB(130, 130, 130)
inline constexpr Rgb kValueColour = layout::rgb(0xFFFFFF);

inline constexpr Point kTitleAt{16, 9};
inline constexpr int kRuleWidth = 2;
inline constexpr int kRuleY = 39;
inline constexpr int kRuleLeft = 11;

// Point sizes in tenths.
inline constexpr int kTitleFont = 180;
inline constexpr int kSmallTitleFont = 160;
inline constexpr int kLabelFont = 140;
inline constexpr int kProgressFont = 100;
// The texts of the folder box, the unit field and the labels.
inline constexpr int kTextFont = 100;

// ---- SettingPopup ----------------------------------------------------------------

inline constexpr Point kSettingOffset{324, 155}; // from the main window's top left
inline constexpr Size kSettingSize{377, 380};
inline constexpr int kSettingRuleRight = 361;

inline constexpr Rect kSettingClose = Rect::sized(320, 0, 45, 23);
inline constexpr Rect kFolderChooser = Rect::sized(231, 79, 120, 27);
inline constexpr Rect kConfirm = Rect::sized(88, 295, 86, 29);
inline constexpr Rect kExit = Rect::sized(198, 295, 86, 29);

// The folder box of the capture and backup modes.
inline constexpr Point kFolderLabelAt{21, 51};
inline constexpr Point kFolderTextAt{30, 79};
inline constexpr Rect kFolderBox = Rect::edges(21, 79, 227, 106);

// Capture mode.
inline constexpr Rect kCheckBox = Rect::sized(21, 147, 25, 25); // also the password check box
inline constexpr Point kCheckLabelAt{54, 150};
inline constexpr int kCapturingTextY = 202;
inline constexpr Point kProgressAt{162, 242};
inline constexpr Rect kProgressArea = Rect::edges(65, 200, 315, 275);

// System-settings mode.
inline constexpr Point kUnitLabelAt{21, 51};
inline constexpr Point kPasswordLabelAt{21, 121};
inline constexpr Rect kUnitField = Rect::edges(21, 78, 276, 103);
inline constexpr Point kUnitTextAt{26, 83};
inline constexpr Rect kFoldButton = Rect::sized(251, 79, 25, 25);
inline constexpr int kUnitListTop = 104;
inline constexpr int kUnitListBottom = 178;  // the list's frame ends here
inline constexpr Rect kUnitListHit = Rect::edges(21, 104, 506, 204);
inline constexpr int kUnitRowTop = 78;       // the rows are counted from the field's top
inline constexpr int kUnitRowHeight = 25;
inline constexpr int kUnitNameX = 26;
inline constexpr std::array<int, 3> kUnitNameY{108, 133, 158};
// The field, its list and the password check box are repainted together.
inline constexpr Rect kUnitArea = Rect::edges(21, 78, 277, 205);

// The level slider. Its track and thumb are drawn in the free band under the
// password check box, so that dragging the level never starts from a press
// on the speed-unit field; the rule from pointer x to position is the
// slider's own.
inline constexpr Point kLevelLabelAt{21, 191};
inline constexpr Rect kLevelTrack = Rect::sized(23, 215, 260, 40);
inline constexpr int kThumbLeftOfPosition = 26; // the thumb's left edge is position + 26
inline constexpr Size kThumbSize{33, 20};
inline constexpr int kThumbTop = 221;
inline constexpr int kDragFirstX = 37;          // x at or left of 36: position 0
inline constexpr int kDragLastX = 250;          // x right of 250: the last position
inline constexpr Rect kLevelArea = Rect::edges(21, 188, 356, 262);

// The thumb of the slider at `position`, where a press starts a drag.
constexpr Rect levelThumb(int position) {
    return Rect::sized(position + kThumbLeftOfPosition, kThumbTop, kThumbSize.width, kThumbSize.height);
}

// A folder text longer than this many characters is cut and ends in "...".
inline constexpr int kFolderTextChars = 13;

// ---- SettingSavePopup -----------------------------------------------------------

inline constexpr Point kSaveOffset{514, 398}; // from the main window's top left
inline constexpr Size kSaveSize{377, 254};
inline constexpr Point kSaveFolderLabelAt{21, 53};
inline constexpr Point kSaveFolderTextAt{30, 80};
inline constexpr Rect kSaveFolderBox = Rect::edges(21, 79, 227, 106);
// The buttons stand where they do on the settings popup, the confirm and exit
// pair moved up into the smaller window.
inline constexpr Rect kSaveOk = Rect::sized(88, 195, 86, 29);
inline constexpr Rect kSaveExit = Rect::sized(198, 195, 86, 29);
inline constexpr Rect kSaveClose = kSettingClose;
inline constexpr Rect kSaveFolderChooser = kFolderChooser;
inline constexpr int kSaveRuleRight = kSettingRuleRight;

// ---- PasswordSetting -----------------------------------------------------------

inline constexpr Point kPasswordOffset{374, 220};
inline constexpr Size kPasswordSize{272, 340};
inline constexpr int kPasswordRuleRight = 261;
inline constexpr Rect kPasswordClose = Rect::sized(220, 0, 45, 23);
inline constexpr Rect kPasswordOk = Rect::sized(93, 287, 86, 29);
inline constexpr Rect kNewPasswordEdit = Rect::sized(88, 117, 96, 18);
inline constexpr Rect kVerifyPasswordEdit = Rect::sized(88, 187, 96, 18);
inline constexpr int kEditFontPixels = 18;
inline constexpr Rect kNewPasswordFrame = Rect::edges(83, 109, 189, 136);
inline constexpr Rect kVerifyPasswordFrame = Rect::edges(83, 179, 189, 206);
inline constexpr int kNewPasswordLabelY = 75;
inline constexpr int kVerifyPasswordLabelY = 140;

// ---- InfoPopup -------------------------------------------------------------------

inline constexpr Point kInfoOffset{324, 263};
inline constexpr Size kInfoSize{372, 254};
inline constexpr int kInfoRuleRight = 361;
inline constexpr Rect kInfoClose = Rect::sized(320, 0, 45, 23);
// The two lines stand left of the centre by these many pixels.
inline constexpr int kVersionLineLeftOfCentre = 35;
inline constexpr int kVersionLineY = 109;
inline constexpr int kSecondLineLeftOfCentre = 100;
inline constexpr int kSecondLineY = 160;

} // namespace kyvo::settings::popup
