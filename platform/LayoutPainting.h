#pragma once
// The toolkit-free layout values (rectangles, colours, points) in Qt's
// types, and text placed the way the skinned windows place it: its cell's
// top-left corner at the given point. Shared by the main window and the
// popups.

#include "PixelGeometry.h"

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QString>

namespace kyvo {

inline QRect toQRect(const layout::Rect& rect) {
    return QRect(rect.left, rect.top, rect.width(), rect.height());
}

inline QColor toQColor(layout::Rgb colour) {
    return QColor(colour.red(), colour.green(), colour.blue());
}

inline void drawTextAt(QPainter& painter, layout::Point at, const QString& text) {
    painter.drawText(at.x, at.y + painter.fontMetrics().ascent(), text);
}

} // namespace kyvo
