#pragma once
// The main window and the password screen, once: every control's place, every
// region that painting erases and redraws, the bars, the text positions and
// fonts, and the colours. The skin generator paints the backgrounds around
// these places and the windows draw their changing parts at them.
//
// Client pixels of the unscaled skin. Fonts are in tenths of a point (120 is
// 16 pixels at every display scale). Colours are 0xRRGGBB.

#include "PixelGeometry.h"

#include <array>

namespace kyvo::layout {

// ---- window ------------------------------------------------------------------

inline constexpr Size kMainSize{1020, 780};
inline constexpr Size kPasswordSize{440, 300};
inline constexpr int kCaptionHeight = 35; // the top strip the window is dragged by
inline constexpr int kBrandLeft = 360;    // the product name lies in x 360..880
inline constexpr int kBrandRight = 880;

// ---- bitmap buttons (top-left corners; a button's size is its image's) ----------

inline constexpr Point kMinimiseButton{910, 1};
inline constexpr Point kCloseButton{955, 1};
inline constexpr Point kChannelButton{865, 1}; // the channel dialog, left of the minimise button
inline constexpr Point kUsbButton{740, 47};
inline constexpr Point kPrevButton{98, 431};
inline constexpr Point kPauseButton{208, 431};
inline constexpr Point kStopButton{318, 431};
inline constexpr Point kPlayButton{428, 431};
inline constexpr Point kNextButton{538, 431};
inline constexpr Point kPrintButton{15, 721};
inline constexpr Point kCaptureButton{75, 721};
inline constexpr Point kSaveButton{135, 721};
inline constexpr Point kInfoButton{195, 721};
inline constexpr Point kSettingsButton{255, 721};
inline constexpr Point kClearListButton{815, 536};
inline constexpr Point kOpenFilesButton{892, 536};

// The step controls: placed but never shown, reached by their keys.
inline constexpr Rect kForwardSeekButton = Rect::sized(186, 503, 60, 20);
inline constexpr Rect kBackSeekButton = Rect::sized(120, 503, 60, 20);
inline constexpr Rect kFrameStepButton = Rect::sized(34, 503, 80, 20);

// ---- video, title and map ---------------------------------------------------------

inline constexpr Rect kVideo = Rect::sized(24, 45, 640, 360);
// The top of the video where the library writes its texts; a stop clears it.
inline constexpr Rect kVideoTextArea = Rect::sized(25, 55, 315, 80);
inline constexpr Rect kTitleRegion = Rect::edges(25, 7, 325, 37); // the file's name, white
inline constexpr int kTitleFont = 150;

inline constexpr Rect kMap = Rect::sized(689, 52, 310, 410);
// The notice without a connection: centred on x, from its top to its bottom.
inline constexpr int kNoticeCentreX = 840;
inline constexpr int kNoticeTop = 255;
inline constexpr int kNoticeBottom = 335;
inline constexpr int kNoticeFont = 140;
inline constexpr Rgb kNoticeColour = rgb(0xFF0000);

// ---- bars ------------------------------------------------------------------------

// A horizontal bar: the groove of the background; the filled part built from
// a left cap, one-pixel fill columns (fillLeft + i) and a right cap drawn at
// the end position; a knob whose rectangle at position 0 moves right by the
// position. The speed bar's right cap lies over its knob.
struct Bar {
    Rect groove;
    Point leftCap;
    int fillLeft;
    int fillRight;
    int fillTop;
    Point rightCap;
    Rect knobAtZero;
    int maxPosition;
    bool capOverKnob;
    constexpr Point knobAt(int position) const { return {knobAtZero.left + position, knobAtZero.top}; }
};
inline constexpr Bar kProgressBar{Rect::sized(20, 506, 399, 8), {20, 506}, 25, 384, 506, {414, 506},
                                  Rect::edges(23, 501, 56, 521), 360, false};
inline constexpr Bar kSpeedBar{Rect::sized(639, 503, 140, 8), {639, 503}, 644, 750, 503, {774, 503},
                               Rect::edges(644, 498, 667, 518), 107, true};
inline constexpr Bar kVolumeBar{Rect::sized(842, 503, 161, 8), {842, 503}, 847, 974, 503, {998, 503},
                                Rect::edges(847, 498, 870, 518), 128, false};

// The progress bar as drawn (caps, fill and knob), and the strip above it:
// a click on either seeks.
inline constexpr Rect kProgressRegion = Rect::edges(20, 501, 447, 526);
inline constexpr Rect kProgressStrip = Rect::edges(35, 486, 415, 493);
// x where a click or drag maps onto positions: at or left of `left` 0, from
// `right` on the end, between them x - origin.
struct BarMapping {
    int left;
    int origin;
    int right;
};
inline constexpr BarMapping kProgressMapping{38, 39, 400};
inline constexpr BarMapping kSpeedMapping{655, 655, 746}; // below 656: 0
inline constexpr BarMapping kVolumeMapping{857, 858, 987};

inline constexpr Rect kSpeedStrip = Rect::edges(639, 498, 784, 518);
inline constexpr Rect kSpeedSliderRect = Rect::edges(639, 499, 782, 524); // repainted while its knob moves
inline constexpr Rect kSpeedSliderArea = Rect::edges(608, 499, 782, 529); // with its icon
// The volume bar as drawn, and the strip below it (mostly under the list buttons).
inline constexpr Rect kVolumeBarArea = Rect::edges(842, 498, 1003, 518);
inline constexpr Rect kVolumeStrip = Rect::edges(847, 532, 998, 552);
inline constexpr Rect kVolumeSliderArea = Rect::edges(792, 489, 1065, 529);
inline constexpr Point kSpeedIcon{608, 499};
inline constexpr Point kVolumeIcon{810, 499};
inline constexpr int kSpeedSteps = 7; // 0.15x 0.25x 0.5x 1x 2x 4x 6x

// Event marks (19 x 19) in their row above the progress bar, at
// x = left + seconds x 360 / length.
inline constexpr int kEventMarkLeft = 44;
inline constexpr int kEventMarkTop = 466;
inline constexpr int kEventMarkSide = 19;
inline constexpr Rect kEventMarkRow =
    Rect::sized(kEventMarkLeft, kEventMarkTop, kProgressBar.maxPosition + kEventMarkSide, kEventMarkSide);

// "00:01:15" and " / 00:03:00", white, in the dark time box.
inline constexpr Rect kTimeRegion = Rect::edges(430, 495, 580, 574);
inline constexpr Point kElapsedText{435, 500};
inline constexpr Point kLengthText{498, 500};
inline constexpr int kTimeFont = 120;

// ---- gauges ----------------------------------------------------------------------

inline constexpr Rect kHeadingRegion = Rect::edges(38, 541, 146, 650);
inline constexpr Point kHeadingCentre{90, 596};
inline constexpr int kNeedleLength = 22; // white, round ends
inline constexpr int kNeedleWidth = 3;

inline constexpr Rect kSpeedRegion = Rect::edges(195, 569, 255, 631);
inline constexpr std::array<Point, 3> kSpeedDigits{{{210, 600}, {225, 600}, {240, 600}}};
inline constexpr Rect kUnitSignRegion = Rect::edges(200, 638, 266, 648);

// The position lines' region: the inside of the GPS well left of its caption,
// so that the longest lines stay inside it and are erased whole. Each line's
// capitals start kPositionCapGap below its top.
inline constexpr Rect kPositionRegion = Rect::edges(20, 657, 222, 697);
inline constexpr Point kLatitudeText{23, 660};
inline constexpr Point kLongitudeText{23, 677};
inline constexpr int kPositionCapGap = 2;
inline constexpr int kPositionFont = 120;

// The G-sensor panel: three value texts above the graph of three traces.
inline constexpr Rect kGSensorPanel = Rect::edges(355, 562, 630, 780);
inline constexpr std::array<Point, 3> kGSensorTexts{{{380, 572}, {463, 572}, {546, 572}}};
inline constexpr std::array<Rgb, 3> kGSensorTextColours{rgb(0xFF006E), rgb(0x87FF00), rgb(0x00E1FF)};
inline constexpr std::array<Rgb, 3> kGSensorTraceColours{rgb(0xFF006E), rgb(0x87FF00), rgb(0x00FFFF)};
inline constexpr int kGSensorFont = 90;
inline constexpr Rect kGSensorGraph = Rect::edges(372, 612, 582, 708);
inline constexpr int kGSensorZeroY = 658;  // 0 g
inline constexpr int kGSensorPlusY = 620;  // +8 g, a grid line
inline constexpr int kGSensorMinusY = 696; // -8 g
inline constexpr int kGSensorRange = 8;    // g at 38 pixels from the zero line
inline constexpr int kGSensorPixelsPerRange = 38;
inline constexpr int kGSensorStep = 7;                 // pixels per shown frame
inline constexpr Point kGSensorTraceStart{370, 650};   // every trace's point when the window opens

// ---- play list -------------------------------------------------------------------

inline constexpr Rect kListFrame = Rect::edges(678, 570, 1006, 748);
inline constexpr Rgb kListLineColour = fromColorRef(0xD9D285);
inline constexpr int kListHeaderY = 605; // the header line, x 683..1001
inline constexpr int kListHeaderLeft = 683;
inline constexpr int kListHeaderRight = 1001;
inline constexpr std::array<int, 2> kListColumnX{725, 795}; // column lines from y 585 to 740
inline constexpr int kListColumnTop = 585;
inline constexpr int kListColumnBottom = 740;
inline constexpr std::array<Point, 3> kListTitles{{{687, 583}, {742, 583}, {850, 583}}};
inline constexpr int kListTitleFont = 120;
// Seven rows of 18 pixels; the panel they are drawn in reaches over the scroll bar.
inline constexpr Rect kListRows = Rect::edges(685, 608, 985, 734);
inline constexpr Rect kPlayListPanel = Rect::sized(685, 608, 315, 126);
inline constexpr int kListRowHeight = 18;
inline constexpr int kListRowCount = 7;
inline constexpr int kListRowFont = 100;
inline constexpr Rgb kSelectedRowColour = fromColorRef(0x4BFFAA);
inline constexpr int kKindIconX = 700;
inline constexpr int kKindIconDrop = 2; // below the row's top
inline constexpr int kDateX = 727;
inline constexpr int kNameX = 796;
// The scroll bar: its track, thumb and arrows; dragging the thumb repaints the
// bar alone, or the whole panel when the page changes.
inline constexpr Rect kListTrack = Rect::edges(985, 627, 1000, 723);
inline constexpr Rgb kListTrackColour = rgb(0x232323);
inline constexpr Rgb kListThumbColour = rgb(0x878787);
inline constexpr Point kListArrowUp{985, 612};
inline constexpr Point kListArrowDown{985, 725};
inline constexpr Rect kListUpArrow = Rect::edges(985, 612, 1000, 625);
inline constexpr Rect kListDownArrow = Rect::edges(985, 725, 1000, 738);
inline constexpr Rect kListScrollBarRepaint = Rect::edges(985, 608, 1000, 762);
inline constexpr Rect kListPanelRepaint = Rect::sized(685, 608, 315, 154);

// ---- password screen ---------------------------------------------------------------

inline constexpr Point kPasswordCloseButton{390, 1};
inline constexpr Point kPasswordOkButton{278, 197};
inline constexpr Point kPasswordCaption{80, 200}; // white
inline constexpr int kPasswordCaptionFont = 140;
inline constexpr Rect kPasswordEditBorder = Rect::edges(160, 198, 266, 225); // grey frame
inline constexpr Rgb kPasswordBorderColour = rgb(0x828282);
inline constexpr Rect kPasswordEditFrame = Rect::edges(160, 199, 260, 224);  // the edit sits inset in it
inline constexpr Rect kPasswordField = Rect::sized(165, 203, 95, 18);        // the black text field
inline constexpr int kPasswordEditFontHeight = 18;                          // pixels
inline constexpr Point kUnlockAnimation{272, 192};
inline constexpr Size kUnlockFrameSize{40, 40};
inline constexpr int kUnlockFrameMs = 100;
inline constexpr int kUnlockRounds = 2;

} // namespace kyvo::layout
