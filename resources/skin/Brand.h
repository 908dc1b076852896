// The product's mark and name, and the bitmaps built from them: the
// application icon, the brand plate and the unlock animation.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>

namespace kyvo::skin {

// The lens mark centred in box (a square). opacity < 1 gives the faint
// watermark used on idle screens.
void paintLogoMark(QPainter& painter, const QRectF& box, qreal opacity = 1.0);

// "Kyvo Viewer" with its top-left corner at topLeft; returns its width.
qreal paintWordmark(QPainter& painter, QPointF topLeft, int pixelSize, qreal opacity = 1.0);
qreal wordmarkWidth(int pixelSize);

QImage paintAppIcon();
QImage paintBrandPlate();

// Frame index (0-based) of the unlock animation, over the password screen.
QImage paintUnlockFrame(int index, const QImage& passwordBackground);

} // namespace kyvo::skin
