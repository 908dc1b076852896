// Push buttons of the skin. Each paints onto a canvas that already holds the
// background under the button, so the button's corners match the screen.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

#include "Glyphs.h"

namespace kyvo::skin {

enum class Press { Normal, Pressed };

// Glyphs and labels sink by this many pixels when their button is pressed.
inline constexpr qreal kPressShift = 1.0;

// A raised key face, or its pressed, sunk counterpart, with a soft shadow.
void paintKey(QPainter& painter, const QRectF& rect, qreal radius, Press press);

// 48 x 48 keys of the bottom tool row.
void paintToolButton(QImage& canvas, Glyph glyph, Press press);

// 30 x 30 round transport buttons; the primary one (play) is lit in the accent.
void paintTransportButton(QImage& canvas, Glyph glyph, Press press, bool primary);

// 45 x 25 title-bar buttons; the close button turns red when pressed.
void paintTitleButton(QImage& canvas, Glyph glyph, Press press, bool danger);

// 22 pixel high text buttons above the play list, with an optional glyph.
void paintTextButton(QImage& canvas, const QString& text, Press press, bool withFolder);

// 29 x 29 OK button of the password screen.
void paintOkButton(QImage& canvas, Press press);

// 35 x 36 USB tool button on the map panel's edge.
void paintUsbButton(QImage& canvas);

} // namespace kyvo::skin
