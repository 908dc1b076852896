// The two full-window backgrounds: the main window (130) and the password
// screen (129).
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

namespace kyvo::skin {

QImage paintMainBackground();
QImage paintPasswordBackground();

// The dark title strip shared by both screens, with its bottom hairline.
void paintTitleStrip(QPainter& painter, const QRect& strip);

// An empty bar groove; the filled part and the knob are drawn over it.
void paintGroove(QPainter& painter, const QRect& groove);

} // namespace kyvo::skin
