// Where things sit on the two skinned screens, for the skin generator: the
// layout table's values in the toolkit's types. The generator paints the
// backgrounds around these places and the windows draw their changing parts
// at the same places, read from the same table.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

#include "MainScreenLayout.h"
#include "SkinIds.h"

namespace kyvo::skin::layout {

namespace table = ::kyvo::layout;

constexpr QPoint q(table::Point p) { return {p.x, p.y}; }
constexpr QSize q(table::Size s) { return {s.width, s.height}; }
constexpr QRect q(const table::Rect& r) { return {r.left, r.top, r.width(), r.height()}; }

// ---- main window -------------------------------------------------------

inline constexpr QSize kMainSize = q(table::kMainSize);
inline constexpr int kTitleHeight = table::kCaptionHeight;
inline constexpr QRect kFileNameText = q(table::kTitleRegion); // current file name, white 15 pt
inline constexpr int kBrandLeft = table::kBrandLeft;
inline constexpr int kBrandRight = table::kBrandRight;
inline constexpr QPoint kMinimiseButton = q(table::kMinimiseButton);
inline constexpr QPoint kCloseButton = q(table::kCloseButton);
inline constexpr QPoint kChannelButton = q(table::kChannelButton);

inline constexpr QRect kVideo = q(table::kVideo);
inline constexpr QRect kMap = q(table::kMap);
inline constexpr QPoint kMapNoticeCentre{table::kNoticeCentreX, table::kNoticeTop};
inline constexpr QPoint kUsbButton = q(table::kUsbButton);

inline constexpr QPoint kPrevButton = q(table::kPrevButton);
inline constexpr QPoint kPauseButton = q(table::kPauseButton);
inline constexpr QPoint kStopButton = q(table::kStopButton);
inline constexpr QPoint kPlayButton = q(table::kPlayButton);
inline constexpr QPoint kNextButton = q(table::kNextButton);

inline constexpr int kEventMarkTop = table::kEventMarkTop;
inline constexpr int kEventMarkMinX = table::kEventMarkLeft;
inline constexpr int kEventMarkMaxX = table::kEventMarkLeft + table::kProgressBar.maxPosition;

// A horizontal bar: the groove of the background, the filled part built from
// a left cap, one-pixel fill columns and a right cap, and a knob whose left
// edge is knobLeft + position.
struct Bar {
    QRect groove;
    QPoint leftCap;
    int fillLeft; // first and last fill column
    int fillRight;
    QPoint rightCap;
    int knobLeft; // knob x at position 0
    int knobTop;
    int maxPosition;
};
constexpr Bar q(const table::Bar& b) {
    return {q(b.groove), q(b.leftCap), b.fillLeft, b.fillRight, q(b.rightCap), b.knobAtZero.left, b.knobAtZero.top,
            b.maxPosition};
}
inline constexpr Bar kProgressBar = q(table::kProgressBar);
inline constexpr Bar kSpeedBar = q(table::kSpeedBar);
inline constexpr Bar kVolumeBar = q(table::kVolumeBar);
inline constexpr QRect kProgressErase = q(table::kProgressRegion);
inline constexpr int kSpeedSteps = table::kSpeedSteps;

inline constexpr QPoint kSpeedIcon = q(table::kSpeedIcon);
inline constexpr QPoint kVolumeIcon = q(table::kVolumeIcon);
inline constexpr QPoint kTimeText = q(table::kElapsedText);
inline constexpr QPoint kDurationText = q(table::kLengthText);
inline constexpr QRect kTimeArea = q(table::kTimeRegion); // kept dark

inline constexpr QRect kHeadingArea = q(table::kHeadingRegion);
inline constexpr QPoint kHeadingCentre = q(table::kHeadingCentre);
inline constexpr int kHeadingNeedleLength = table::kNeedleLength;
inline constexpr int kHeadingNeedleWidth = table::kNeedleWidth;

inline constexpr QRect kSpeedArea = q(table::kSpeedRegion);
inline constexpr std::array kSpeedDigits{q(table::kSpeedDigits[0]), q(table::kSpeedDigits[1]),
                                         q(table::kSpeedDigits[2])};
inline constexpr QPoint kSpeedUnit{table::kUnitSignRegion.left, table::kUnitSignRegion.top};

inline constexpr QRect kGSensorErase = q(table::kGSensorPanel);
inline constexpr std::array kGSensorText{q(table::kGSensorTexts[0]), q(table::kGSensorTexts[1]),
                                         q(table::kGSensorTexts[2])};
inline constexpr QRect kGSensorGraph = q(table::kGSensorGraph);
inline constexpr int kGSensorZeroY = table::kGSensorZeroY;
inline constexpr int kGSensorPlusY = table::kGSensorPlusY;
inline constexpr int kGSensorMinusY = table::kGSensorMinusY;
inline constexpr int kGSensorRange = table::kGSensorRange;

inline constexpr QPoint kLatitudeText = q(table::kLatitudeText);
inline constexpr QPoint kLongitudeText = q(table::kLongitudeText);
inline constexpr QRect kPositionArea = q(table::kPositionRegion);

inline constexpr QPoint kPrintButton = q(table::kPrintButton);
inline constexpr QPoint kCaptureButton = q(table::kCaptureButton);
inline constexpr QPoint kSaveButton = q(table::kSaveButton);
inline constexpr QPoint kInfoButton = q(table::kInfoButton);
inline constexpr QPoint kSettingsButton = q(table::kSettingsButton);

inline constexpr QRect kListFrame = q(table::kListFrame);
inline constexpr int kListHeaderY = table::kListHeaderY;
inline constexpr int kListHeaderLeft = table::kListHeaderLeft;
inline constexpr int kListHeaderRight = table::kListHeaderRight;
inline constexpr std::array kListColumnLines{table::kListColumnX[0], table::kListColumnX[1]};
inline constexpr int kListColumnTop = table::kListColumnTop;
inline constexpr int kListColumnBottom = table::kListColumnBottom;
inline constexpr int kListTitleY = table::kListTitles[0].y;
inline constexpr std::array kListTitleX{table::kListTitles[0].x, table::kListTitles[1].x, table::kListTitles[2].x};
inline constexpr QRect kListRows = q(table::kListRows);
inline constexpr int kListRowHeight = table::kListRowHeight;
inline constexpr int kListRowCount = table::kListRowCount;
inline constexpr QRect kListScrollTrack = q(table::kListTrack);
inline constexpr QPoint kListScrollUp = q(table::kListArrowUp);
inline constexpr QPoint kListScrollDown = q(table::kListArrowDown);
inline constexpr QPoint kClearListButton = q(table::kClearListButton);
inline constexpr QPoint kOpenFilesButton = q(table::kOpenFilesButton);

// ---- password screen ---------------------------------------------------

inline constexpr QSize kPasswordSize = q(table::kPasswordSize);
inline constexpr QPoint kPasswordCaption = q(table::kPasswordCaption);
inline constexpr QRect kPasswordFieldFrame = q(table::kPasswordEditBorder);
inline constexpr QRect kPasswordField = q(table::kPasswordField);
inline constexpr QPoint kPasswordOk = q(table::kPasswordOkButton);
inline constexpr QPoint kPasswordClose = q(table::kPasswordCloseButton);
inline constexpr QPoint kUnlockAnimation = q(table::kUnlockAnimation);
inline constexpr int kUnlockFrameMs = table::kUnlockFrameMs;
inline constexpr int kUnlockRepeats = table::kUnlockRounds;

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
    Placement{kChannelNormal, Screen::Main, kChannelButton},
    Placement{kChannelPressed, Screen::Main, kChannelButton},
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
