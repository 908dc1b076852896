// Small drawing helpers shared by every part of the skin: canvases, panels,
// recesses, soft glows and captions.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

namespace kyvo::skin {

// A transparent ARGB canvas of the given size.
QImage newCanvas(int width, int height);

// The size of a skin bitmap, from the id table.
QSize skinSize(int id);

// A canvas that starts as a copy of the background under (at, size): bitmaps
// are copied to the screen unblended, so they carry the colours they cover.
QImage canvasOver(const QImage& background, QPoint at, QSize size);

// A painter with antialiasing for shapes and text.
void prepare(QPainter& painter);

// A pen with round caps and joins.
QPen roundPen(const QColor& color, qreal width);

QColor withAlpha(QColor color, int alpha);
QColor mix(const QColor& a, const QColor& b, qreal t);

// A vertical two-colour gradient over rect.
QLinearGradient vertical(const QRectF& rect, const QColor& top, const QColor& bottom);

// A raised panel: soft shadow, sheen from top to bottom, border and a lit
// upper edge.
void raisedPanel(QPainter& painter, const QRectF& rect, qreal radius);

// A recess cut into the surface: dark fill, shadowed upper edge and a faint
// lit lower edge.
void recess(QPainter& painter, const QRectF& rect, qreal radius, const QColor& fill);

// A soft glow around path: the path stroked several times with growing width
// and falling opacity.
void glow(QPainter& painter, const QPainterPath& path, const QColor& color, qreal radius, int strength = 60);

// A caption in the small spaced-out style, aligned inside rect (left, centre
// or right; vertically centred unless Qt::AlignTop).
void caption(QPainter& painter, const QRectF& rect, const QString& text, int flags,
             const QColor& color, int pixelSize = 9);

} // namespace kyvo::skin
