// Every bitmap of the skin: its numeric id and exact size. The main window
// loads them by id from "<exe dir>/skin/<id>.png" and copies them onto its
// back buffer unblended, so the sizes below are part of its layout.
#pragma once

#include <array>

namespace kyvo::skin {

enum SkinId : int {
    kAppIcon = 128,
    kPasswordBackground = 129,
    kMainBackground = 130,
    kUnlockFirst = 131,  // 131..139: unlock animation frames
    kUnlockLast = 139,
    kBrandPlate = 140,
    kCloseNormal = 141,
    kClosePressed = 142,
    kMinimiseNormal = 143,
    kMinimisePressed = 144,
    kPrintNormal = 145,
    kPrintPressed = 147,
    kCaptureNormal = 149,
    kCapturePressed = 151,
    kSettingsNormal = 157,
    kSettingsPressed = 159,
    kPrevNormal = 160,
    kPrevPressed = 162,
    kPauseNormal = 166,
    kPausePressed = 168,
    kStopNormal = 169,
    kStopPressed = 171,
    kPlayNormal = 172,
    kPlayPressed = 174,
    kNextNormal = 175,
    kNextPressed = 177,
    kOpenFilesNormal = 178,
    kOpenFilesPressed = 180,
    kBarLeftCap = 181,
    kBarFill = 182,
    kBarRightCap = 183,
    kProgressKnob = 184,
    kUnitKmh = 185,
    kUnitMph = 186,
    kUnitKnots = 187,
    kPlaybackSpeedIcon = 191,
    kVolumeMutedIcon = 192,
    kVolumeOnIcon = 193,
    kSliderKnob = 194,
    kKindNormal = 195,
    kKindEvent = 196,
    kScrollUp = 205,
    kScrollDown = 206,
    // Close buttons of the enlarged video popups, drawn on the popups' black
    // inside with their grey frame line along the top.
    kRightPopupCloseNormal = 207,
    kLeftPopupCloseNormal = 208,
    kRightPopupClosePressed = 209,
    kLeftPopupClosePressed = 210,
    kInfoNormal = 235,
    kInfoPressed = 237,
    kOkNormal = 240,
    kOkPressed = 242,
    kDigitFirst = 243,  // 243..252: speed digits 0..9
    kDigitLast = 252,
    kClearListNormal = 264,
    kClearListPressed = 265,
    kTriangleRight = 266,
    kEventMark = 267,
    kSavePressed = 274,
    kSaveNormal = 275,
    kTriangleLeft = 278,
    kUsbTool = 294,
    kChannelNormal = 296,  // the channel dialog's button in the top strip
    kChannelPressed = 297,
    kKindManual = 302,
    // The settings, password and information popups: drawn on the popups'
    // own dark fill, RGB(4, 0, 0).
    kPopupCloseNormal = 400,
    kPopupClosePressed = 401,
    kFolderChooserNormal = 402,
    kFolderChooserPressed = 403,
    kCaptureConfirmNormal = 404,
    kCaptureConfirmPressed = 405,
    kPopupOkNormal = 406,
    kPopupOkPressed = 407,
    kPopupExitNormal = 408,
    kPopupExitPressed = 409,
    kCheckBoxOff = 410,
    kCheckBoxOn = 411,
    kFoldClosed = 412,  // the speed-unit list folded: the button offers to open it
    kFoldOpen = 413,
    kLevelThumb = 414,
};

struct SkinImage {
    int id;
    int width;
    int height;
    int normalId;  // for a pressed image: the id of its normal image, else 0
};

// clang-format off
inline constexpr std::array kSkinImages{
    SkinImage{kAppIcon, 256, 256, 0},
    SkinImage{kPasswordBackground, 440, 300, 0},
    SkinImage{kMainBackground, 1020, 780, 0},
    SkinImage{kUnlockFirst + 0, 40, 40, 0},     SkinImage{kUnlockFirst + 1, 40, 40, 0},
    SkinImage{kUnlockFirst + 2, 40, 40, 0},     SkinImage{kUnlockFirst + 3, 40, 40, 0},
    SkinImage{kUnlockFirst + 4, 40, 40, 0},     SkinImage{kUnlockFirst + 5, 40, 40, 0},
    SkinImage{kUnlockFirst + 6, 40, 40, 0},     SkinImage{kUnlockFirst + 7, 40, 40, 0},
    SkinImage{kUnlockLast, 40, 40, 0},
    SkinImage{kBrandPlate, 170, 40, 0},
    SkinImage{kCloseNormal, 45, 25, 0},         SkinImage{kClosePressed, 45, 25, kCloseNormal},
    SkinImage{kMinimiseNormal, 45, 25, 0},      SkinImage{kMinimisePressed, 45, 25, kMinimiseNormal},
    SkinImage{kPrintNormal, 48, 48, 0},         SkinImage{kPrintPressed, 48, 48, kPrintNormal},
    SkinImage{kCaptureNormal, 48, 48, 0},       SkinImage{kCapturePressed, 48, 48, kCaptureNormal},
    SkinImage{kSaveNormal, 48, 48, 0},          SkinImage{kSavePressed, 48, 48, kSaveNormal},
    SkinImage{kInfoNormal, 48, 48, 0},          SkinImage{kInfoPressed, 48, 48, kInfoNormal},
    SkinImage{kSettingsNormal, 48, 48, 0},      SkinImage{kSettingsPressed, 48, 48, kSettingsNormal},
    SkinImage{kPrevNormal, 30, 30, 0},          SkinImage{kPrevPressed, 30, 30, kPrevNormal},
    SkinImage{kPauseNormal, 30, 30, 0},         SkinImage{kPausePressed, 30, 30, kPauseNormal},
    SkinImage{kStopNormal, 30, 30, 0},          SkinImage{kStopPressed, 30, 30, kStopNormal},
    SkinImage{kPlayNormal, 30, 30, 0},          SkinImage{kPlayPressed, 30, 30, kPlayNormal},
    SkinImage{kNextNormal, 30, 30, 0},          SkinImage{kNextPressed, 30, 30, kNextNormal},
    SkinImage{kOpenFilesNormal, 105, 22, 0},    SkinImage{kOpenFilesPressed, 105, 22, kOpenFilesNormal},
    SkinImage{kClearListNormal, 74, 22, 0},     SkinImage{kClearListPressed, 74, 22, kClearListNormal},
    SkinImage{kOkNormal, 29, 29, 0},            SkinImage{kOkPressed, 29, 29, kOkNormal},
    SkinImage{kUsbTool, 35, 36, 0},
    SkinImage{kChannelNormal, 45, 25, 0},       SkinImage{kChannelPressed, 45, 25, kChannelNormal},
    SkinImage{kBarLeftCap, 5, 8, 0},            SkinImage{kBarFill, 1, 8, 0},
    SkinImage{kBarRightCap, 5, 8, 0},
    SkinImage{kProgressKnob, 33, 20, 0},        SkinImage{kSliderKnob, 23, 20, 0},
    SkinImage{kUnitKmh, 65, 10, 0},             SkinImage{kUnitMph, 65, 10, 0},
    SkinImage{kUnitKnots, 65, 10, 0},
    SkinImage{kPlaybackSpeedIcon, 25, 20, 0},           SkinImage{kVolumeOnIcon, 25, 20, 0},
    SkinImage{kVolumeMutedIcon, 25, 20, 0},
    SkinImage{kKindNormal, 14, 14, 0},          SkinImage{kKindEvent, 14, 14, 0},
    SkinImage{kKindManual, 14, 14, 0},
    SkinImage{kScrollUp, 15, 13, 0},            SkinImage{kScrollDown, 15, 13, 0},
    SkinImage{kRightPopupCloseNormal, 45, 25, 0},
    SkinImage{kRightPopupClosePressed, 45, 25, kRightPopupCloseNormal},
    SkinImage{kLeftPopupCloseNormal, 45, 25, 0},
    SkinImage{kLeftPopupClosePressed, 45, 25, kLeftPopupCloseNormal},
    SkinImage{kDigitFirst + 0, 15, 31, 0},      SkinImage{kDigitFirst + 1, 15, 31, 0},
    SkinImage{kDigitFirst + 2, 15, 31, 0},      SkinImage{kDigitFirst + 3, 15, 31, 0},
    SkinImage{kDigitFirst + 4, 15, 31, 0},      SkinImage{kDigitFirst + 5, 15, 31, 0},
    SkinImage{kDigitFirst + 6, 15, 31, 0},      SkinImage{kDigitFirst + 7, 15, 31, 0},
    SkinImage{kDigitFirst + 8, 15, 31, 0},      SkinImage{kDigitLast, 15, 31, 0},
    SkinImage{kTriangleRight, 7, 9, 0},         SkinImage{kTriangleLeft, 7, 9, 0},
    SkinImage{kEventMark, 19, 19, 0},
    SkinImage{kPopupCloseNormal, 45, 23, 0},      SkinImage{kPopupClosePressed, 45, 23, kPopupCloseNormal},
    SkinImage{kFolderChooserNormal, 120, 27, 0},  SkinImage{kFolderChooserPressed, 120, 27, kFolderChooserNormal},
    SkinImage{kCaptureConfirmNormal, 86, 29, 0},  SkinImage{kCaptureConfirmPressed, 86, 29, kCaptureConfirmNormal},
    SkinImage{kPopupOkNormal, 86, 29, 0},         SkinImage{kPopupOkPressed, 86, 29, kPopupOkNormal},
    SkinImage{kPopupExitNormal, 86, 29, 0},       SkinImage{kPopupExitPressed, 86, 29, kPopupExitNormal},
    SkinImage{kCheckBoxOff, 25, 25, 0},           SkinImage{kCheckBoxOn, 25, 25, 0},
    SkinImage{kFoldClosed, 25, 25, 0},            SkinImage{kFoldOpen, 25, 25, 0},
    SkinImage{kLevelThumb, 33, 20, 0},
};
// clang-format on

// The table entry of an id, or nullptr when the skin has no such bitmap.
constexpr const SkinImage* findSkinImage(int id) {
    for (const SkinImage& image : kSkinImages) {
        if (image.id == id)
            return &image;
    }
    return nullptr;
}

} // namespace kyvo::skin
