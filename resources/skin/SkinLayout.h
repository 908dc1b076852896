// Where things sit on the two skinned screens, in client pixels. The skin
// generator paints the backgrounds around these places and the windows draw
// their dynamic parts at them, so both read the numbers from here.
// A rectangle noted (left, top)-(right, bottom) excludes its right column and
// bottom row.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

#include "SkinIds.h"

namespace kyvo::skin::layout {

// ---- main window -------------------------------------------------------

inline constexpr QSize kMainSize{1020, 780};
inline constexpr int kTitleHeight = 35;                     // the strip the window is dragged by
inline constexpr QRect kFileNameText{25, 7, 300, 30};       // current file name, white 15 pt
inline constexpr int kBrandLeft = 360;                      // the product name lives in x 360..880
inline constexpr int kBrandRight = 880;
inline constexpr QPoint kMinimiseButton{910, 1};
inline constexpr QPoint kCloseButton{955, 1};

inline constexpr QRect kVideo{24, 45, 640, 360};
inline constexpr QRect kMap{689, 52, 310, 410};
inline constexpr QPoint kMapNoticeCentre{840, 255};         // "no network" notice, red, centred
inline constexpr QPoint kUsbButton{740, 47};

inline constexpr QPoint kPrevButton{98, 431};
inline constexpr QPoint kPauseButton{208, 431};
inline constexpr QPoint kStopButton{318, 431};
inline constexpr QPoint kPlayButton{428, 431};
inline constexpr QPoint kNextButton{538, 431};

inline constexpr int kEventMarkTop = 466;
inline constexpr int kEventMarkMinX = 44;
inline constexpr int kEventMarkMaxX = 404;

// A horizontal bar: the groove of the background, the filled part built from
// a left cap, one-pixel fill columns and a right cap, and a knob whose left
// edge is knobLeft + position.
struct Bar {
    QRect groove;        // the empty bar in the background
    QPoint leftCap;
    int fillLeft;        // first and last fill column
    int fillRight;
    QPoint rightCap;
    int knobLeft;        // knob x at position 0
    int knobTop;
    int maxPosition;
};
inline constexpr Bar kProgressBar{{20, 506, 399, 8}, {20, 506}, 25, 384, {414, 506}, 23, 501, 360};
inline constexpr Bar kSpeedBar{{639, 503, 140, 8}, {639, 503}, 644, 750, {774, 503}, 644, 498, 107};
inline constexpr Bar kVolumeBar{{842, 503, 161, 8}, {842, 503}, 847, 974, {998, 503}, 847, 498, 128};
inline constexpr QRect kProgressErase{20, 501, 427, 25};    // (20, 501)-(447, 526)
inline constexpr int kSpeedSteps = 7;                       // 0.15x 0.25x 0.5x 1x 2x 4x 6x

inline constexpr QPoint kSpeedIcon{608, 499};
inline constexpr QPoint kVolumeIcon{810, 499};
inline constexpr QPoint kTimeText{435, 500};                // "00:01:15", white 12 pt
inline constexpr QPoint kDurationText{498, 500};            // " / 00:03:00"
inline constexpr QRect kTimeArea{430, 495, 150, 79};        // (430, 495)-(580, 574), kept dark

inline constexpr QRect kHeadingArea{38, 541, 108, 109};     // (38, 541)-(146, 650)
inline constexpr QPoint kHeadingCentre{90, 596};
inline constexpr int kHeadingNeedleLength = 22;
inline constexpr int kHeadingNeedleWidth = 3;

inline constexpr QRect kSpeedArea{195, 569, 60, 62};        // (195, 569)-(255, 631)
inline constexpr std::array kSpeedDigits{QPoint{210, 600}, QPoint{225, 600}, QPoint{240, 600}};
inline constexpr QPoint kSpeedUnit{200, 638};

inline constexpr QRect kGSensorErase{355, 562, 275, 218};   // (355, 562)-(630, 780)
inline constexpr std::array kGSensorText{QPoint{380, 572}, QPoint{463, 572}, QPoint{546, 572}};
inline constexpr QRect kGSensorGraph{372, 612, 210, 96};    // (372, 612)-(582, 708)
inline constexpr int kGSensorZeroY = 658;
inline constexpr int kGSensorPlusY = 620;                   // +8 g
inline constexpr int kGSensorMinusY = 696;                  // -8 g
inline constexpr int kGSensorRange = 8;

inline constexpr QPoint kLatitudeText{23, 660};
inline constexpr QPoint kLongitudeText{23, 677};
inline constexpr QRect kPositionArea{20, 657, 202, 40};     // (20, 657)-(222, 697)

inline constexpr QPoint kPrintButton{15, 721};
inline constexpr QPoint kCaptureButton{75, 721};
inline constexpr QPoint kSaveButton{135, 721};
inline constexpr QPoint kInfoButton{195, 721};
inline constexpr QPoint kSettingsButton{255, 721};

inline constexpr QRect kListFrame{678, 570, 328, 178};      // (678, 570)-(1006, 748)
inline constexpr int kListHeaderY = 605;                    // header line, x 683..1001
inline constexpr int kListHeaderLeft = 683;
inline constexpr int kListHeaderRight = 1001;
inline constexpr std::array kListColumnLines{725, 795};     // from y 585 to 740
inline constexpr int kListColumnTop = 585;
inline constexpr int kListColumnBottom = 740;
inline constexpr int kListTitleY = 583;
inline constexpr std::array kListTitleX{687, 742, 850};
inline constexpr QRect kListRows{685, 608, 300, 126};       // seven rows
inline constexpr int kListRowHeight = 18;
inline constexpr int kListRowCount = 7;
inline constexpr QRect kListScrollTrack{985, 627, 15, 96};  // (985, 627)-(1000, 723)
inline constexpr QPoint kListScrollUp{985, 612};
inline constexpr QPoint kListScrollDown{985, 725};
inline constexpr QPoint kClearListButton{815, 536};
inline constexpr QPoint kOpenFilesButton{892, 536};

// ---- password screen ---------------------------------------------------

inline constexpr QSize kPasswordSize{440, 300};
inline constexpr QPoint kPasswordCaption{80, 200};          // "密碼", white 14 pt
inline constexpr QRect kPasswordFieldFrame{160, 198, 106, 27};  // (160, 198)-(266, 225), grey
inline constexpr QRect kPasswordField{165, 203, 95, 18};    // black text field
inline constexpr QPoint kPasswordOk{278, 197};
inline constexpr QPoint kPasswordClose{390, 1};
inline constexpr QPoint kUnlockAnimation{272, 192};
inline constexpr int kUnlockFrameMs = 100;
inline constexpr int kUnlockRepeats = 2;

// ---- where each bitmap is painted against its background -----------------
// Bitmaps are copied onto the screens without blending, so each one is drawn
// over the background it covers. Bitmaps used at several places (bar caps,
// knobs, digits) sit on the same colours at all of them.

enum class Screen { Main, Password };

struct Placement {
    int id;
    Screen screen;
    QPoint at;
};

inline constexpr std::array kPlacements{
    Placement{kMinimiseNormal, Screen::Main, kMinimiseButton},
    Placement{kMinimisePressed, Screen::Main, kMinimiseButton},
    Placement{kCloseNormal, Screen::Main, kCloseButton},
    Placement{kClosePressed, Screen::Main, kCloseButton},
    Placement{kUsbTool, Screen::Main, kUsbButton},
    Placement{kPrevNormal, Screen::Main, kPrevButton},
    Placement{kPrevPressed, Screen::Main, kPrevButton},
    Placement{kPauseNormal, Screen::Main, kPauseButton},
    Placement{kPausePressed, Screen::Main, kPauseButton},
    Placement{kStopNormal, Screen::Main, kStopButton},
    Placement{kStopPressed, Screen::Main, kStopButton},
    Placement{kPlayNormal, Screen::Main, kPlayButton},
    Placement{kPlayPressed, Screen::Main, kPlayButton},
    Placement{kNextNormal, Screen::Main, kNextButton},
    Placement{kNextPressed, Screen::Main, kNextButton},
    Placement{kEventMark, Screen::Main, {kEventMarkMinX, kEventMarkTop}},
    Placement{kBarLeftCap, Screen::Main, kProgressBar.leftCap},
    Placement{kBarFill, Screen::Main, {kProgressBar.fillLeft, kProgressBar.groove.top()}},
    Placement{kBarRightCap, Screen::Main, kProgressBar.rightCap},
    // Knobs half-way along their bar, where the groove runs straight.
    Placement{kProgressKnob, Screen::Main,
              {kProgressBar.knobLeft + kProgressBar.maxPosition / 2, kProgressBar.knobTop}},
    Placement{kSliderKnob, Screen::Main, {kVolumeBar.knobLeft + kVolumeBar.maxPosition / 2, kVolumeBar.knobTop}},
    Placement{kPlaybackSpeedIcon, Screen::Main, kSpeedIcon},
    Placement{kVolumeOnIcon, Screen::Main, kVolumeIcon},
    Placement{kVolumeMutedIcon, Screen::Main, kVolumeIcon},
    Placement{kUnitKmh, Screen::Main, kSpeedUnit},
    Placement{kUnitMph, Screen::Main, kSpeedUnit},
    Placement{kUnitKnots, Screen::Main, kSpeedUnit},
    Placement{kPrintNormal, Screen::Main, kPrintButton},
    Placement{kPrintPressed, Screen::Main, kPrintButton},
    Placement{kCaptureNormal, Screen::Main, kCaptureButton},
    Placement{kCapturePressed, Screen::Main, kCaptureButton},
    Placement{kSaveNormal, Screen::Main, kSaveButton},
    Placement{kSavePressed, Screen::Main, kSaveButton},
    Placement{kInfoNormal, Screen::Main, kInfoButton},
    Placement{kInfoPressed, Screen::Main, kInfoButton},
    Placement{kSettingsNormal, Screen::Main, kSettingsButton},
    Placement{kSettingsPressed, Screen::Main, kSettingsButton},
    Placement{kClearListNormal, Screen::Main, kClearListButton},
    Placement{kClearListPressed, Screen::Main, kClearListButton},
    Placement{kOpenFilesNormal, Screen::Main, kOpenFilesButton},
    Placement{kOpenFilesPressed, Screen::Main, kOpenFilesButton},
    Placement{kScrollUp, Screen::Main, kListScrollUp},
    Placement{kScrollDown, Screen::Main, kListScrollDown},
    Placement{kOkNormal, Screen::Password, kPasswordOk},
    Placement{kOkPressed, Screen::Password, kPasswordOk},
};

// Digits sit in the speed window; every digit has the same background.
inline constexpr Placement kDigitPlacement{kDigitFirst, Screen::Main, kSpeedDigits[0]};

// Where a bitmap sits, or nullptr for bitmaps that are not placed on a screen.
constexpr const Placement* findPlacement(int id) {
    for (const Placement& placement : kPlacements) {
        if (placement.id == id)
            return &placement;
    }
    return nullptr;
}

} // namespace kyvo::skin::layout
