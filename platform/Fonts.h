#pragma once
// Fonts of the viewer's windows.
//
// Windows are laid out in pixels. A "point font" is given in tenths of a
// point and divided by the display scale (logical DPI / 96), so that its
// pixel height is the same at every display scale: 120 tenths is 16 pixels.
// Faces: "Tahoma" where installed, else Noto Sans CJK TC (the interface is in
// Traditional Chinese), else DejaVu Sans.

#include <QFont>

class QWidget;

namespace kyvo {

// logical DPI of the widget's screen / 96; 1.0 without a screen.
double displayScale(const QWidget* widget);

QFont pointFont(int tenthsOfPoint, double displayScale);

// A font of the given pixel height (a LOGFONT height).
QFont pixelFont(int pixelHeight);

} // namespace kyvo
