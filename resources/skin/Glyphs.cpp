#include "Glyphs.h"

#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "Paint.h"

// All coordinates below are on the 24 x 24 design grid.

namespace kyvo::skin {

namespace {

constexpr qreal kGrid = 24.0;

// Pen and brush helpers for one glyph: "line" strokes in the glyph weight,
// "solid" fills a shape and rounds its corners with the same weight.
struct Ink {
    QPainter& p;
    QColor color;
    qreal stroke;  // in grid units

    void line(const QPainterPath& path) const {
        p.setPen(roundPen(color, stroke));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    void solid(const QPainterPath& path) const {
        p.setPen(roundPen(color, stroke * 0.75));
        p.setBrush(color);
        p.drawPath(path);
    }
    void dot(QPointF centre, qreal radius) const {
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawEllipse(centre, radius, radius);
    }
};

QPainterPath polygon(std::initializer_list<QPointF> points, bool closed = true) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    if (closed)
        path.closeSubpath();
    return path;
}

QPainterPath roundedRect(qreal x, qreal y, qreal w, qreal h, qreal r) {
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), r, r);
    return path;
}

QPainterPath circle(QPointF centre, qreal radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath arc(QPointF centre, qreal radius, qreal startDeg, qreal spanDeg) {
    const QRectF box(centre.x() - radius, centre.y() - radius, radius * 2, radius * 2);
    QPainterPath path;
    path.arcMoveTo(box, startDeg);
    path.arcTo(box, startDeg, spanDeg);
    return path;
}

void print(const Ink& ink) {
    ink.line(roundedRect(7, 3, 10, 5, 1));
    // The body is interrupted where the printed sheet comes out.
    ink.p.save();
    QPainterPath outside;
    outside.addRect(QRectF(0, 0, kGrid, kGrid));
    QPainterPath sheetGap;
    sheetGap.addRect(QRectF(5.5, 12.5, 13, 12));
    ink.p.setClipPath(outside.subtracted(sheetGap));
    ink.line(roundedRect(2.5, 8, 19, 9.5, 2.5));
    ink.p.restore();
    ink.line(roundedRect(7, 14, 10, 7, 0.5));
    ink.dot({17.8, 11.2}, 1.1);
}

void camera(const Ink& ink) {
    QPainterPath body;
    body.moveTo(8.2, 6.5);
    body.lineTo(9.6, 4);
    body.lineTo(14.4, 4);
    body.lineTo(15.8, 6.5);
    body.lineTo(19, 6.5);
    body.quadTo(21.5, 6.5, 21.5, 9);
    body.lineTo(21.5, 17.5);
    body.quadTo(21.5, 20, 19, 20);
    body.lineTo(5, 20);
    body.quadTo(2.5, 20, 2.5, 17.5);
    body.lineTo(2.5, 9);
    body.quadTo(2.5, 6.5, 5, 6.5);
    body.closeSubpath();
    ink.line(body);
    ink.line(circle({12, 13.2}, 3.8));
    ink.dot({18.2, 9.6}, 1.0);
}

void backup(const Ink& ink) {
    ink.line(polygon({{3, 14}, {3, 20}, {21, 20}, {21, 14}}, false));
    ink.line(polygon({{12, 3}, {12, 15}}, false));
    ink.line(polygon({{7.5, 10.5}, {12, 15}, {16.5, 10.5}}, false));
}

void info(const Ink& ink) {
    ink.line(circle({12, 12}, 9.5));
    ink.dot({12, 7.6}, 1.35);
    ink.line(polygon({{12, 11}, {12, 17}}, false));
}

void gear(const Ink& ink) {
    constexpr int kTeeth = 8;
    constexpr qreal kOuter = 10.2;
    constexpr qreal kRoot = 7.6;
    constexpr qreal kTipHalf = 9.0;   // degrees
    constexpr qreal kRootHalf = 15.0;
    const QPointF c(12, 12);
    const auto at = [&c](qreal deg, qreal r) {
        const qreal rad = deg * std::numbers::pi / 180.0;
        return QPointF(c.x() + r * std::cos(rad), c.y() + r * std::sin(rad));
    };
    QPainterPath path;
    for (int i = 0; i < kTeeth; ++i) {
        const qreal a = 360.0 / kTeeth * i;
        if (i == 0)
            path.moveTo(at(a - kRootHalf, kRoot));
        else
            path.lineTo(at(a - kRootHalf, kRoot));
        path.lineTo(at(a - kTipHalf, kOuter));
        path.lineTo(at(a + kTipHalf, kOuter));
        path.lineTo(at(a + kRootHalf, kRoot));
        // Root arc to the next tooth, drawn as a few short segments.
        const qreal next = 360.0 / kTeeth * (i + 1) - kRootHalf;
        for (qreal d = a + kRootHalf + 5; d < next; d += 5)
            path.lineTo(at(d, kRoot));
    }
    path.closeSubpath();
    ink.line(path);
    ink.line(circle(c, 3.2));
}

void previous(const Ink& ink) {
    ink.solid(roundedRect(4.5, 5, 3, 14, 1));
    ink.solid(polygon({{19.5, 5.5}, {19.5, 18.5}, {9.5, 12}}));
}

void next(const Ink& ink) {
    ink.solid(roundedRect(16.5, 5, 3, 14, 1));
    ink.solid(polygon({{4.5, 5.5}, {4.5, 18.5}, {14.5, 12}}));
}

void pause(const Ink& ink) {
    ink.solid(roundedRect(6, 5, 4, 14, 1));
    ink.solid(roundedRect(14, 5, 4, 14, 1));
}

void stop(const Ink& ink) {
    ink.solid(roundedRect(6, 6, 12, 12, 2));
}

void play(const Ink& ink) {
    ink.solid(polygon({{7.5, 4.5}, {7.5, 19.5}, {19.5, 12}}));
}

void folder(const Ink& ink) {
    QColor back = ink.color;
    back.setAlphaF(0.55f);
    const Ink backInk{ink.p, back, ink.stroke};
    backInk.solid(polygon({{2, 4}, {9, 4}, {11, 6.5}, {21, 6.5}, {21, 19.5}, {2, 19.5}}));
    ink.solid(polygon({{5, 10}, {23, 10}, {20.5, 19.5}, {2, 19.5}}));
}

void clearList(const Ink& ink) {
    ink.line(polygon({{3, 6.5}, {15, 6.5}}, false));
    ink.line(polygon({{3, 12}, {11, 12}}, false));
    ink.line(polygon({{3, 17.5}, {9, 17.5}}, false));
    ink.line(polygon({{14.5, 12.5}, {20.5, 18.5}}, false));
    ink.line(polygon({{20.5, 12.5}, {14.5, 18.5}}, false));
}

void check(const Ink& ink) {
    ink.line(polygon({{5, 12.5}, {10, 17.5}, {19.5, 7}}, false));
}

void arrowRight(const Ink& ink) {
    ink.line(polygon({{5, 12}, {18.5, 12}}, false));
    ink.line(polygon({{13, 6.5}, {18.5, 12}, {13, 17.5}}, false));
}

void usb(const Ink& ink) {
    ink.solid(polygon({{12, 1.5}, {9.6, 5.4}, {14.4, 5.4}}));
    ink.line(polygon({{12, 5}, {12, 19}}, false));
    ink.dot({12, 20.2}, 2.3);
    ink.line(polygon({{12, 15.5}, {7, 12.5}, {7, 9.6}}, false));
    ink.dot({7, 8.4}, 1.9);
    ink.line(polygon({{12, 13}, {17, 10}, {17, 8.2}}, false));
    ink.solid(roundedRect(15.3, 5.2, 3.4, 3.4, 0.3));
}

void speaker(const Ink& ink) {
    ink.solid(polygon({{2.5, 9}, {6.5, 9}, {11.5, 4.5}, {11.5, 19.5}, {6.5, 15}, {2.5, 15}}));
}

void speakerWaves(const Ink& ink) {
    speaker(ink);
    ink.line(arc({12, 12}, 4.2, -50, 100));
    ink.line(arc({12, 12}, 8.2, -55, 110));
}

void speakerMuted(const Ink& ink) {
    speaker(ink);
    ink.line(polygon({{15.5, 9}, {21.5, 15}}, false));
    ink.line(polygon({{21.5, 9}, {15.5, 15}}, false));
}

void gauge(const Ink& ink) {
    ink.line(arc({12, 14}, 9, -25, 230));
    ink.line(polygon({{12, 14}, {16.8, 8.6}}, false));
    ink.dot({12, 14}, 2.0);
    ink.dot({3.8, 14}, 0.9);
    ink.dot({20.2, 14}, 0.9);
}

void minimise(const Ink& ink) {
    ink.line(polygon({{6, 12}, {18, 12}}, false));
}

void close(const Ink& ink) {
    ink.line(polygon({{6.5, 6.5}, {17.5, 17.5}}, false));
    ink.line(polygon({{17.5, 6.5}, {6.5, 17.5}}, false));
}

// A recorder's body with its two lenses: front and rear channel.
void channels(const Ink& ink) {
    ink.line(roundedRect(2.5, 6.5, 19, 11, 2.5));
    ink.line(circle({8.5, 12}, 2.6));
    ink.line(circle({15.5, 12}, 2.6));
}

void chevronUp(const Ink& ink) {
    ink.line(polygon({{5, 15.5}, {12, 8.5}, {19, 15.5}}, false));
}

void chevronDown(const Ink& ink) {
    ink.line(polygon({{5, 8.5}, {12, 15.5}, {19, 8.5}}, false));
}

void dispatch(const Ink& ink, Glyph glyph) {
    switch (glyph) {
    case Glyph::Print: print(ink); break;
    case Glyph::Camera: camera(ink); break;
    case Glyph::Backup: backup(ink); break;
    case Glyph::Info: info(ink); break;
    case Glyph::Gear: gear(ink); break;
    case Glyph::Previous: previous(ink); break;
    case Glyph::Pause: pause(ink); break;
    case Glyph::Stop: stop(ink); break;
    case Glyph::Play: play(ink); break;
    case Glyph::Next: next(ink); break;
    case Glyph::Folder: folder(ink); break;
    case Glyph::ClearList: clearList(ink); break;
    case Glyph::Check: check(ink); break;
    case Glyph::ArrowRight: arrowRight(ink); break;
    case Glyph::Usb: usb(ink); break;
    case Glyph::Speaker: speaker(ink); break;
    case Glyph::SpeakerWaves: speakerWaves(ink); break;
    case Glyph::SpeakerMuted: speakerMuted(ink); break;
    case Glyph::Gauge: gauge(ink); break;
    case Glyph::Minimise: minimise(ink); break;
    case Glyph::Close: close(ink); break;
    case Glyph::ChevronUp: chevronUp(ink); break;
    case Glyph::ChevronDown: chevronDown(ink); break;
    case Glyph::Channels: channels(ink); break;
    }
}

// Maps the design grid onto box and returns the grid units of one pixel.
qreal enterGrid(QPainter& painter, const QRectF& box) {
    const qreal scale = std::min(box.width(), box.height()) / kGrid;
    painter.translate(box.center());
    painter.scale(scale, scale);
    painter.translate(-kGrid / 2, -kGrid / 2);
    return 1.0 / scale;
}

} // namespace

void paintGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& color, qreal strokePx) {
    painter.save();
    prepare(painter);
    const qreal unit = enterGrid(painter, box);
    dispatch(Ink{painter, color, strokePx * unit}, glyph);
    painter.restore();
}

void paintPadlock(QPainter& painter, const QRectF& box, const QColor& color, const QColor& hole, qreal shackleLift,
                  qreal strokePx) {
    constexpr qreal kLiftUnits = 6.5;
    painter.save();
    prepare(painter);
    const qreal unit = enterGrid(painter, box);
    const Ink ink{painter, color, strokePx * unit};
    // The shackle rises straight up out of the body; its left leg clears it.
    QPainterPath shackle;
    const qreal lift = shackleLift * kLiftUnits;
    shackle.moveTo(8, 11.5 - lift);
    shackle.lineTo(8, 8 - lift);
    shackle.arcTo(QRectF(8, 4 - lift, 8, 8), 180, -180);
    shackle.lineTo(16, 11.5);
    ink.line(shackle);
    ink.solid(roundedRect(4.5, 11, 15, 10.5, 2.2));
    const Ink holeInk{painter, hole, strokePx * unit};
    holeInk.dot({12, 15.2}, 1.6);
    holeInk.solid(roundedRect(11.3, 15.5, 1.4, 3.2, 0.6));
    painter.restore();
}

} // namespace kyvo::skin
