#pragma once
// The main window's controls: skin bitmap ids, control ids with their images
// and places, and its timer. Where everything sits is the layout table's.

#include "AppLayout.h"
#include "SkinIds.h"

#include <array>

namespace kyvo::app {

// Skin bitmaps (ids and sizes are the skin's own table).
namespace bitmap = ::kyvo::skin;
inline constexpr int kUnlockFrames = bitmap::kUnlockLast - bitmap::kUnlockFirst + 1;

// Control ids.
namespace control {
inline constexpr int kMinimise = 1001;
inline constexpr int kClose = 1002;
inline constexpr int kPrint = 1003;
inline constexpr int kCapture = 1004;
inline constexpr int kSave = 1005;
inline constexpr int kSetting = 1006;
inline constexpr int kPrevFile = 1007;
inline constexpr int kUsb = 1008;
inline constexpr int kPause = 1009;
inline constexpr int kStop = 1010;
inline constexpr int kPlay = 1011;
inline constexpr int kNextFile = 1012;
inline constexpr int kInfo = 1049;
inline constexpr int kPasswordEdit = 1058;
inline constexpr int kPasswordOk = 1059;
inline constexpr int kClearList = 1072;
inline constexpr int kForwardSeek = 1081;
inline constexpr int kBackSeek = 1082;
inline constexpr int kFrameStep = 1094;
inline constexpr int kOpenFiles = 1241;
inline constexpr int kChannel = 1100; // opens the channel dialog
} // namespace control

// A bitmap button: its images and its place (its size is its image's).
struct BitmapButtonSpec {
    int id;
    int normalImage;
    int pressedImage; // 0: the normal image serves for both
    Point place;
};

inline constexpr std::array<BitmapButtonSpec, 17> kBitmapButtons{{
    {control::kMinimise, bitmap::kMinimiseNormal, bitmap::kMinimisePressed, kMinimiseButton},
    {control::kClose, bitmap::kCloseNormal, bitmap::kClosePressed, kCloseButton},
    {control::kPrint, bitmap::kPrintNormal, bitmap::kPrintPressed, kPrintButton},
    {control::kCapture, bitmap::kCaptureNormal, bitmap::kCapturePressed, kCaptureButton},
    {control::kSave, bitmap::kSaveNormal, bitmap::kSavePressed, kSaveButton},
    {control::kInfo, bitmap::kInfoNormal, bitmap::kInfoPressed, kInfoButton},
    {control::kSetting, bitmap::kSettingsNormal, bitmap::kSettingsPressed, kSettingsButton},
    {control::kPrevFile, bitmap::kPrevNormal, bitmap::kPrevPressed, kPrevButton},
    {control::kPause, bitmap::kPauseNormal, bitmap::kPausePressed, kPauseButton},
    {control::kStop, bitmap::kStopNormal, bitmap::kStopPressed, kStopButton},
    {control::kPlay, bitmap::kPlayNormal, bitmap::kPlayPressed, kPlayButton},
    {control::kNextFile, bitmap::kNextNormal, bitmap::kNextPressed, kNextButton},
    {control::kOpenFiles, bitmap::kOpenFilesNormal, bitmap::kOpenFilesPressed, kOpenFilesButton},
    {control::kClearList, bitmap::kClearListNormal, bitmap::kClearListPressed, kClearListButton},
    {control::kPasswordOk, bitmap::kOkNormal, bitmap::kOkPressed, kPasswordOkButton},
    // The USB tool's button; shown so that the tool can be reached.
    {control::kUsb, bitmap::kUsbTool, 0, kUsbButton},
    // The channel dialog: channel count, encrypted view mode and its password.
    {control::kChannel, bitmap::kChannelNormal, bitmap::kChannelPressed, kChannelButton},
}};

// The hidden step controls: plain push buttons that are placed but never shown.
struct PushButtonSpec {
    int id;
    const char* text;
    Rect rect;
};
inline constexpr std::array<PushButtonSpec, 3> kHiddenStepButtons{{
    {control::kForwardSeek, "F_Seek", kForwardSeekButton},
    {control::kBackSeek, "B_Seek", kBackSeekButton},
    {control::kFrameStep, "FrameStep", kFrameStepButton},
}};

// Timer 100: the map push and the position and speed refresh.
inline constexpr int kTimer100 = 100;
inline constexpr int kTimer100PeriodMs = 1200;

} // namespace kyvo::app
