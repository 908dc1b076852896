#pragma once
// The main window's fixed layout: skin bitmap ids, control ids with their
// images and places, and the regions that painting erases and redraws.
// All coordinates are client pixels of the 1020 x 780 skin.

#include "Geometry.h"
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
} // namespace control

// A bitmap button: its images and its place (its size is its image's).
struct BitmapButtonSpec {
    int id;
    int normalImage;
    int pressedImage; // 0: the normal image serves for both
    Point place;
};

inline constexpr std::array<BitmapButtonSpec, 16> kBitmapButtons{{
    {control::kMinimise, bitmap::kMinimiseNormal, bitmap::kMinimisePressed, {910, 1}},
    {control::kClose, bitmap::kCloseNormal, bitmap::kClosePressed, {955, 1}},
    {control::kPrint, bitmap::kPrintNormal, bitmap::kPrintPressed, {15, 721}},
    {control::kCapture, bitmap::kCaptureNormal, bitmap::kCapturePressed, {75, 721}},
    {control::kSave, bitmap::kSaveNormal, bitmap::kSavePressed, {135, 721}},
    {control::kInfo, bitmap::kInfoNormal, bitmap::kInfoPressed, {195, 721}},
    {control::kSetting, bitmap::kSettingsNormal, bitmap::kSettingsPressed, {255, 721}},
    {control::kPrevFile, bitmap::kPrevNormal, bitmap::kPrevPressed, {98, 431}},
    {control::kPause, bitmap::kPauseNormal, bitmap::kPausePressed, {208, 431}},
    {control::kStop, bitmap::kStopNormal, bitmap::kStopPressed, {318, 431}},
    {control::kPlay, bitmap::kPlayNormal, bitmap::kPlayPressed, {428, 431}},
    {control::kNextFile, bitmap::kNextNormal, bitmap::kNextPressed, {538, 431}},
    {control::kOpenFiles, bitmap::kOpenFilesNormal, bitmap::kOpenFilesPressed, {892, 536}},
    {control::kClearList, bitmap::kClearListNormal, bitmap::kClearListPressed, {815, 536}},
    {control::kPasswordOk, bitmap::kOkNormal, bitmap::kOkPressed, {278, 197}},
    // The USB tool's button; shown so that the tool can be reached.
    {control::kUsb, bitmap::kUsbTool, 0, {740, 47}},
}};

// The hidden step controls: plain push buttons that are placed but never shown.
struct PushButtonSpec {
    int id;
    const char* text;
    Rect rect;
};
inline constexpr std::array<PushButtonSpec, 3> kHiddenStepButtons{{
    {control::kForwardSeek, "F_Seek", rectAt(186, 503, 60, 20)},
    {control::kBackSeek, "B_Seek", rectAt(120, 503, 60, 20)},
    {control::kFrameStep, "FrameStep", rectAt(34, 503, 80, 20)},
}};

// Window and screens.
inline constexpr Size kSkinSize{1020, 780};
inline constexpr Size kPasswordScreenSize{440, 300};
inline constexpr int kCaptionHeight = 35;                  // the top strip drags the window
inline constexpr Point kCloseOnPasswordScreen{390, 1};
inline constexpr Point kCloseOnMainScreen{955, 1};

// Password screen.
inline constexpr Rect kPasswordEditFrame{160, 199, 260, 224}; // the edit sits inset in it
inline constexpr Rect kPasswordEditBorder{160, 198, 266, 225};
inline constexpr unsigned kPasswordBorderColour = 0x828282;
inline constexpr Point kPasswordCaption{80, 200};
inline constexpr int kPasswordCaptionFont = 140;             // tenths of a point
inline constexpr int kPasswordEditFontHeight = 18;           // pixels
inline constexpr int kPasswordDigits = 4;
inline constexpr Point kUnlockAnimationAt{272, 192};
inline constexpr int kUnlockAnimationRounds = 2;
inline constexpr int kUnlockFrameMs = 100;

// Main screen regions.
inline constexpr Rect kVideoRect = rectAt(24, 45, 640, 360);
inline constexpr Rect kMapRect = rectAt(689, 52, 310, 410);
inline constexpr Rect kTitleRegion{25, 7, 325, 37};
inline constexpr Rect kProgressRegion{20, 501, 447, 526};
inline constexpr Rect kTimeRegion{430, 495, 580, 574};
inline constexpr Rect kHeadingRegion{38, 541, 146, 650};
inline constexpr Point kHeadingCentre{90, 596};
inline constexpr Rect kGSensorPanel{355, 562, 630, 780};
// The position lines' region: the inside of the GPS well left of its caption,
// so that the longest lines ("-179° -59' -59.99\" W") stay inside it and are
// erased whole.
inline constexpr Rect kPositionRegion{20, 657, 222, 697};
inline constexpr Rect kSpeedRegion{195, 569, 255, 631};
inline constexpr std::array<Point, 3> kSpeedDigitsAt{{{210, 600}, {225, 600}, {240, 600}}};
inline constexpr Rect kUnitSignRegion{200, 638, 266, 648};
inline constexpr Rect kSpeedSliderRect{639, 499, 782, 524};
inline constexpr Rect kPlayListPanel = rectAt(685, 608, 315, 126);
// The row of event marks above the progress bar: a mark (19 x 19) at
// x = 44 + seconds x 360 / length, y 466. Marks are drawn only inside it.
inline constexpr int kEventMarkLeftX = 44;
inline constexpr int kEventMarkSide = 19;
inline constexpr Rect kEventMarkRow = rectAt(kEventMarkLeftX, 466, 360 + kEventMarkSide, kEventMarkSide);

// Timer 100: the map push and the position and speed refresh.
inline constexpr int kTimer100 = 100;
inline constexpr int kTimer100PeriodMs = 1200;

// Map panel notice shown without a connection.
inline constexpr int kNoticeCentreX = 840;
inline constexpr int kNoticeTop = 255;
inline constexpr int kNoticeBottom = 335;
inline constexpr int kNoticeFont = 140;
inline constexpr unsigned kNoticeColour = 0xFF0000; // red (RGB)

} // namespace kyvo::app

namespace kyvo::app {

// Bars and sliders.
struct BarLayout {
    Point leftCap;
    int fillX;      // first fill column; column i is at fillX + i
    int fillY;
    Point rightCap; // drawn when the position is at its end
    int knobX;      // knob at knobX + position
    int knobY;
    int maxPosition;
    bool capOverKnob; // the right cap is drawn after the knob
};
inline constexpr BarLayout kProgressBar{{20, 506}, 25, 506, {414, 506}, 23, 501, 360, false};
inline constexpr BarLayout kSpeedBar{{639, 503}, 644, 503, {774, 503}, 644, 498, 107, true};
inline constexpr BarLayout kVolumeBar{{842, 503}, 847, 503, {998, 503}, 847, 498, 128, false};
inline constexpr Point kSpeedIconAt{608, 499};
inline constexpr Point kVolumeIconAt{810, 499};

// Heading needle: white, 3 pixels wide, 22 pixels long.
inline constexpr int kNeedleLength = 22;
inline constexpr int kNeedleWidth = 3;

// Play-list panel.
inline constexpr unsigned kListLineColour = 0xD9D285; // COLORREF: red 85, green D2, blue D9
inline constexpr int kListHeaderY = 605;
inline constexpr int kListHeaderLeft = 683;
inline constexpr int kListHeaderRight = 1001;
inline constexpr std::array<int, 2> kListColumnX{725, 795};
inline constexpr int kListColumnTop = 585;
inline constexpr int kListColumnBottom = 740;
inline constexpr int kListTitleFont = 120;
inline constexpr std::array<Point, 3> kListTitlesAt{{{687, 583}, {742, 583}, {850, 583}}};
inline constexpr Rect kListTitleStrip{kListHeaderLeft, 583, kListHeaderRight, kListHeaderY}; // above the header line
inline constexpr Rect kListTrack{985, 627, 1000, 723};
inline constexpr unsigned kListTrackColour = 0x232323;
inline constexpr Point kListArrowUpAt{985, 612};
inline constexpr Point kListArrowDownAt{985, 725};

// A COLORREF (0x00BBGGRR) as red, green and blue.
constexpr unsigned colorRefRed(unsigned c) { return c & 0xFF; }
constexpr unsigned colorRefGreen(unsigned c) { return (c >> 8) & 0xFF; }
constexpr unsigned colorRefBlue(unsigned c) { return (c >> 16) & 0xFF; }

} // namespace kyvo::app
