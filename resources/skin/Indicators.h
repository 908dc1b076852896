// Small indicator bitmaps: speed digits and unit signs, bar parts and knobs,
// slider icons, event mark, recording-kind badges, list arrows, triangles.
// Those that sit on a screen paint onto a canvas already holding the
// background under them.
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>

#include "Glyphs.h"

namespace kyvo::skin {

void paintDigit(QImage& canvas, int digit);
void paintUnitSign(QImage& canvas, const QString& unit);

// The filled part of a bar: a run of identical one-pixel columns between two
// rounded caps.
QImage paintBarFill();
void paintBarCap(QImage& canvas, bool left);

// A knob over a bar groove: filled groove to its left, empty to its right.
void paintKnob(QImage& canvas, qreal bodyWidth);

// The knob alone, horizontally centred on canvas, painted with p (which
// paints on canvas) over whatever the canvas already holds.
void paintKnobBody(QPainter& p, const QImage& canvas, qreal bodyWidth);

enum class SliderIcon { Speed, Volume, Muted };
void paintSliderIcon(QImage& canvas, SliderIcon icon);

void paintEventMark(QImage& canvas);

enum class RecordingKind { Normal, Event, Manual };
QImage paintKindBadge(RecordingKind kind);

void paintScrollArrow(QImage& canvas, bool up);
QImage paintTriangle(bool pointsRight);

} // namespace kyvo::skin
