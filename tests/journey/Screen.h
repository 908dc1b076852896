#pragma once
// Reading the viewer off the screen. The main window stands at (0, 0) of the
// virtual display, so screen pixels are its client pixels; what the user sees
// is read back from the skin images the viewer draws (knobs, icons, marks)
// and from the colours of its panels.

#include <QImage>
#include <QPoint>
#include <QRect>

#include <functional>

#include "PixelGeometry.h"

namespace kyvo::journey {

inline const QRect kMainWindowArea(0, 0, 1020, 780);
inline const QRect kVideoArea(24, 45, 640, 360);
inline const QRect kTitleStrip(25, 7, 300, 30);
inline const QRect kGSensorPanel(355, 562, 275, 150);
inline const QRect kMapPanel(689, 52, 310, 410);
// The G-sensor trace inside its panel: how much of it is drawn depends on
// how many frames were shown.
inline const QRect kGSensorTrace(371, 611, 213, 99);
inline const QRect kEventMarkRow(44, 466, 379, 19);
inline const QRect kPlayListRows(685, 608, 300, 126);

// Controls of the main window (client pixels, inside each control).
inline const QPoint kPlayButton(450, 451);
inline const QPoint kPauseButton(230, 451);
inline const QPoint kStopButton(340, 451);
inline const QPoint kPrevButton(120, 451);
inline const QPoint kNextButton(560, 451);
inline const QPoint kOpenFilesButton(930, 546);
inline const QPoint kClearListButton(850, 546);
inline const QPoint kCloseButton(977, 12);
// The progress bar: the knob of position p covers x 23 + p .. 55 + p, y 501..520;
// a click at x seeks to position x - 39 (0 at 38 and below, 360 from 400 on).
inline constexpr int kProgressBarY = 510;
inline constexpr int kProgressKnobCentre = 39;
inline constexpr int kSpeedKnobCentre = 655;  // + speed position, y 508
inline constexpr int kVolumeKnobCentre = 858; // + volume position, y 508
inline constexpr int kSliderY = 508;
// The file selector, placed at ((1020 - 360) / 2, (780 - 448) / 2).
inline const QPoint kSelectorOrigin(330, 166);
inline const QPoint kSelectorFolderButton = kSelectorOrigin + QPoint(64, 57);
inline const QPoint kSelectorSelectAll = kSelectorOrigin + QPoint(27, 379);
inline const QPoint kSelectorAddToList = kSelectorOrigin + QPoint(183, 420);
inline const QPoint kSelectorFirstRow = kSelectorOrigin + QPoint(100, 127);
// Play-list row i (0..6 of the page): its centre.
inline QPoint playListRow(int i) { return {830, 617 + 18 * i}; }

// A place of a popup's layout table on the screen, the popup standing at `origin`.
inline QPoint topLeftOf(QPoint origin, const layout::Rect& r) {
    return origin + QPoint(r.left, r.top);
}
inline QPoint centreOf(QPoint origin, const layout::Rect& r) {
    return origin + QPoint(r.left + r.width() / 2, r.top + r.height() / 2);
}

// Polls `condition` every 50 ms until it holds or `timeoutMs` pass.
bool waitUntil(int timeoutMs, const std::function<bool()>& condition);

// Whether the opaque pixels of skin image `id` stand at `at` on `screen`.
bool showsSkinImage(const QImage& screen, int id, QPoint at);
// The main screen is up: its close button is drawn at its place.
bool showsMainScreen(const QImage& screen);
// The bar positions read from their knobs; -1 when no knob is found.
int progressPosition(const QImage& screen);
int speedPosition(const QImage& screen);
int volumePosition(const QImage& screen);
// The play-list row (0..6 of the page) drawn selected, or -1.
int selectedRow(const QImage& screen);
// Whether play-list row i shows a recording (its kind icon).
bool rowFilled(const QImage& screen, int i);
// Event marks drawn in their row above the progress bar.
int eventMarkCount(const QImage& screen);
// Pixels of `area` that differ between two screens.
int differingPixels(const QImage& a, const QImage& b, const QRect& area);
// Of every fourth pixel in both directions of `area`, those that are not
// black: a picture, not an empty frame.
int litPixels(const QImage& screen, const QRect& area);

} // namespace kyvo::journey
