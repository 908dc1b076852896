#pragma once
// Small shapes the selector paints itself: check boxes (the list rows and
// "Select All"), the folder glyph of the folder button and the ring mark of
// the title strip. They are drawn with QPainter so that they look the same
// under every widget style.

#include <QColor>
#include <QIcon>
#include <QPointF>
#include <QRectF>

class QPainter;

namespace kyvo::recordings {

struct CheckBoxLook {
    bool checked = false;
    bool hovered = false;
    bool onSelection = false; // drawn on the light selected row
};

void paintCheckBox(QPainter& painter, const QRectF& box, const CheckBoxLook& state);

// The viewer's ring mark, centred on `centre`.
void paintRingMark(QPainter& painter, const QPointF& centre, qreal radius, qreal dot);

// A folder glyph in `colour`, kGlyphSize pixels square.
QIcon folderIcon(const QColor& colour, qreal devicePixelRatio);

} // namespace kyvo::recordings
