// Vector glyphs of the skin's buttons and icons. Each glyph is drawn on a
// 24 x 24 design grid and scaled into a box, with its stroke width given in
// device pixels so that all glyphs of one size share the same line weight.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace kyvo::skin {

enum class Glyph {
    Print,
    Camera,
    Backup,
    Info,
    Gear,
    Previous,
    Pause,
    Stop,
    Play,
    Next,
    Folder,
    ClearList,
    Check,
    ArrowRight,
    Usb,
    Speaker,
    SpeakerWaves,
    SpeakerMuted,
    Gauge,
    Minimise,
    Close,
    ChevronUp,
    ChevronDown,
    Channels, // a recorder with two lenses: the channel dialog
};

// Draws glyph centred in box (a square is best) in color. strokePx is the
// line weight in device pixels; filled glyphs use it to round their corners.
void paintGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& color, qreal strokePx);

// Padlock on the same 24 grid: shackleLift raises the shackle (0 closed,
// 1 fully open); hole is the colour of the keyhole.
void paintPadlock(QPainter& painter, const QRectF& box, const QColor& color, const QColor& hole, qreal shackleLift,
                  qreal strokePx);

} // namespace kyvo::skin
