#include "Indicators.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>

#include "Paint.h"
#include "SkinIds.h"
#include "SkinLayout.h"
#include "SkinStyle.h"

namespace kyvo::skin {

namespace {

// ---- seven-segment digits ---------------------------------------------------
// Segment centre lines inside the 15 x 31 cell; segments are hexagons with
// pointed ends and a small gap where they meet.
constexpr qreal kSegLeft = 3.6;
constexpr qreal kSegRight = 11.4;
constexpr qreal kSegTop = 3.2;
constexpr qreal kSegMiddle = 15.5;
constexpr qreal kSegBottom = 27.8;
constexpr qreal kSegThickness = 2.4;
constexpr qreal kSegGap = 0.6;

enum Segment { A, B, C, D, E, F, G, kSegments };

// Lit segments a..g of each digit, one bit per segment.
constexpr std::array<unsigned, 10> kDigitSegments{
    0b0111111,  // 0: a b c d e f
    0b0000110,  // 1: b c
    0b1011011,  // 2: a b d e g
    0b1001111,  // 3: a b c d g
    0b1100110,  // 4: b c f g
    0b1101101,  // 5: a c d f g
    0b1111101,  // 6: a c d e f g
    0b0000111,  // 7: a b c
    0b1111111,  // 8
    0b1101111,  // 9: a b c d f g
};

QPainterPath horizontalSegment(qreal x0, qreal x1, qreal y) {
    const qreal h = kSegThickness / 2;
    QPainterPath path;
    path.addPolygon(QPolygonF({{x0, y}, {x0 + h, y - h}, {x1 - h, y - h}, {x1, y}, {x1 - h, y + h}, {x0 + h, y + h}}));
    path.closeSubpath();
    return path;
}

QPainterPath verticalSegment(qreal y0, qreal y1, qreal x) {
    const qreal h = kSegThickness / 2;
    QPainterPath path;
    path.addPolygon(QPolygonF({{x, y0}, {x + h, y0 + h}, {x + h, y1 - h}, {x, y1}, {x - h, y1 - h}, {x - h, y0 + h}}));
    path.closeSubpath();
    return path;
}

QPainterPath segmentPath(int segment) {
    const qreal g = kSegGap;
    switch (segment) {
    case A: return horizontalSegment(kSegLeft + g, kSegRight - g, kSegTop);
    case B: return verticalSegment(kSegTop + g, kSegMiddle - g, kSegRight);
    case C: return verticalSegment(kSegMiddle + g, kSegBottom - g, kSegRight);
    case D: return horizontalSegment(kSegLeft + g, kSegRight - g, kSegBottom);
    case E: return verticalSegment(kSegMiddle + g, kSegBottom - g, kSegLeft);
    case F: return verticalSegment(kSegTop + g, kSegMiddle - g, kSegLeft);
    default: return horizontalSegment(kSegLeft + g, kSegRight - g, kSegMiddle);
    }
}

// ---- bars -------------------------------------------------------------------
constexpr int kBarHeight = 8;

// The colour of each row of the filled bar: a lit top edge over a cyan body.
QColor fillRow(int row) {
    const qreal t = row / static_cast<qreal>(kBarHeight - 1);
    if (row == 0)
        return style::kAccentLight;
    return t < 0.5 ? mix(mix(style::kAccentLight, style::kAccent, 0.5), style::kAccent, t * 2)
                   : mix(style::kAccent, style::kAccentDeep, (t - 0.5) * 2);
}

// A strip of the fill, wide enough to cut caps from.
QImage fillStrip(int width) {
    QImage strip(width, kBarHeight, QImage::Format_ARGB32_Premultiplied);
    for (int row = 0; row < kBarHeight; ++row) {
        const QRgb rgb = fillRow(row).rgba();
        for (int x = 0; x < width; ++x)
            strip.setPixel(x, row, rgb);
    }
    return strip;
}

// Knob faces.
const QColor kKnobTop{0xF4, 0xF7, 0xF9};
const QColor kKnobBottom{0xA9, 0xB3, 0xBC};
const QColor kKnobEdge{0x05, 0x07, 0x09};
constexpr qreal kKnobHeight = 15;
constexpr qreal kKnobTopInset = 2;

// Recording-kind badges.
constexpr qreal kBadgeRadius = 2.5;
const QColor kBadgeOutline{0x05, 0x07, 0x0A};
const QColor kKindNormalFill{0x2E, 0x7F, 0xCF};
const QColor kKindEventFill{0xE5, 0x44, 0x35};
const QColor kKindManualFill{0xF2, 0xA9, 0x1E};

} // namespace

void paintDigit(QImage& canvas, int digit) {
    QPainter p(&canvas);
    prepare(p);
    const unsigned lit = kDigitSegments.at(static_cast<std::size_t>(digit));
    QPainterPath litPath;
    for (int s = 0; s < kSegments; ++s) {
        const QPainterPath path = segmentPath(s);
        if (lit & (1u << s)) {
            litPath.addPath(path);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(style::kLedUnlit);
            p.drawPath(path);
        }
    }
    glow(p, litPath, style::kLedLit, 2.2, 55);
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(QRectF(canvas.rect()), style::kLedCore, style::kLedLit));
    p.drawPath(litPath);
}

void paintUnitSign(QImage& canvas, const QString& unit) {
    QPainter p(&canvas);
    prepare(p);
    QFont f = style::font(9, QFont::Bold);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    p.setFont(f);
    p.setPen(style::kCaption);
    p.drawText(QRectF(canvas.rect()), Qt::AlignCenter, unit);
}

QImage paintBarFill() {
    return fillStrip(skinSize(kBarFill).width());
}

void paintBarCap(QImage& canvas, bool left) {
    QPainter p(&canvas);
    prepare(p);
    const int w = canvas.width();
    // A pill twice the cap's width, cut in half: the rounded end lands in the cap.
    const QRectF pill = left ? QRectF(0, 0, 2 * w, kBarHeight) : QRectF(-w, 0, 2 * w, kBarHeight);
    QPainterPath path;
    path.addRoundedRect(pill, kBarHeight / 2.0, kBarHeight / 2.0);
    p.setClipPath(path);
    p.drawImage(QPoint(0, 0), fillStrip(w));
}

void paintKnob(QImage& canvas, qreal bodyWidth) {
    const int grooveRow = layout::kProgressBar.groove.top() - layout::kProgressBar.knobTop;
    QPainter p(&canvas);
    // Left half over the filled part of the bar, right half over the groove.
    p.drawImage(QPoint(0, grooveRow), fillStrip(canvas.width() / 2));
    paintKnobBody(p, canvas, bodyWidth);
}

void paintKnobBody(QPainter& p, const QImage& canvas, qreal bodyWidth) {
    prepare(p);
    const QRectF body((canvas.width() - bodyWidth) / 2, kKnobTopInset, bodyWidth, kKnobHeight);
    const qreal radius = kKnobHeight / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(Qt::black, 120));
    p.drawRoundedRect(body.adjusted(-0.5, 0.5, 0.5, 2), radius + 0.5, radius + 0.5);
    p.setPen(QPen(kKnobEdge, 1));
    p.setBrush(vertical(body, kKnobTop, kKnobBottom));
    p.drawRoundedRect(body, radius, radius);
    p.setPen(QPen(withAlpha(Qt::white, 200), 1));
    p.drawLine(QPointF(body.left() + radius, body.top() + 1.5), QPointF(body.right() - radius, body.top() + 1.5));

    // Grip: a short cyan bar in the middle.
    const QPointF c = body.center();
    p.setPen(roundPen(style::kAccentDeep, 2));
    p.drawLine(c + QPointF(0, -3), c + QPointF(0, 3));
}

void paintSliderIcon(QImage& canvas, SliderIcon icon) {
    QPainter p(&canvas);
    prepare(p);
    const qreal size = canvas.height() - 2;
    const QRectF box((canvas.width() - size) / 2, 1, size, size);
    switch (icon) {
    case SliderIcon::Speed:
        paintGlyph(p, Glyph::Gauge, box, style::kGlyph, 1.6);
        break;
    case SliderIcon::Volume:
        paintGlyph(p, Glyph::SpeakerWaves, box, style::kGlyph, 1.6);
        break;
    case SliderIcon::Muted:
        paintGlyph(p, Glyph::Speaker, box, style::kCaption, 1.6);
        paintGlyph(p, Glyph::Close, QRectF(box.center().x() + 1.5, box.top() + 4, box.width() / 2 - 1,
                                           box.width() / 2 - 1),
                   style::kDangerLight, 1.6);
        break;
    }
}

void paintEventMark(QImage& canvas) {
    QPainter p(&canvas);
    prepare(p);
    const qreal cx = canvas.width() / 2.0;
    const qreal r = 6.5;
    const QPointF head(cx, r + 1);
    const QPointF tip(cx, canvas.height() - 1);
    // A pin: round head narrowing to a point that marks the moment.
    QPainterPath pin;
    pin.moveTo(tip);
    pin.cubicTo(QPointF(cx - 2, tip.y() - 4), QPointF(cx - r - 0.5, head.y() + 5), QPointF(cx - r, head.y()));
    pin.arcTo(QRectF(cx - r, head.y() - r, 2 * r, 2 * r), 180, -180);
    pin.cubicTo(QPointF(cx + r + 0.5, head.y() + 5), QPointF(cx + 2, tip.y() - 4), tip);
    glow(p, pin, style::kDanger, 1.5, 50);
    p.setPen(QPen(mix(style::kDanger, Qt::black, 0.45), 1));
    p.setBrush(vertical(pin.boundingRect(), style::kDangerLight, style::kDanger));
    p.drawPath(pin);
    p.setPen(roundPen(Qt::white, 1.8));
    p.drawLine(QPointF(cx, head.y() - 3.2), QPointF(cx, head.y() + 0.6));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(cx, head.y() + 3.3), 1.0, 1.0);
}

QImage paintKindBadge(RecordingKind kind) {
    const QSize size = skinSize(kKindNormal);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(style::kListInterior);
    QPainter p(&image);
    prepare(p);
    const QRectF r = QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor fill = kind == RecordingKind::Normal  ? kKindNormalFill
                        : kind == RecordingKind::Event ? kKindEventFill
                                                       : kKindManualFill;
    p.setPen(QPen(kBadgeOutline, 1));
    p.setBrush(vertical(r, mix(fill, Qt::white, 0.18), fill));
    p.drawRoundedRect(r, kBadgeRadius, kBadgeRadius);
    const QPointF c = r.center();
    switch (kind) {
    case RecordingKind::Normal: {
        // A play triangle: an ordinary, continuous recording.
        QPainterPath play;
        play.addPolygon(QPolygonF({c + QPointF(-2.2, -3.5), c + QPointF(-2.2, 3.5), c + QPointF(3.6, 0)}));
        play.closeSubpath();
        p.setPen(roundPen(Qt::white, 1));
        p.setBrush(Qt::white);
        p.drawPath(play);
        break;
    }
    case RecordingKind::Event:
        // An exclamation mark: recorded because of a jolt.
        p.setPen(roundPen(Qt::white, 2));
        p.drawLine(c + QPointF(0, -3.8), c + QPointF(0, 0.8));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(c + QPointF(0, 3.6), 1.15, 1.15);
        break;
    case RecordingKind::Manual: {
        // A hand-raised flag: recorded on the driver's request.
        p.setPen(roundPen(kBadgeOutline, 1.4));
        p.drawLine(c + QPointF(-3, -4.2), c + QPointF(-3, 4.5));
        QPainterPath flag;
        flag.addPolygon(QPolygonF({c + QPointF(-2.5, -4.2), c + QPointF(4, -2.2), c + QPointF(-2.5, 0.4)}));
        flag.closeSubpath();
        p.setPen(roundPen(kBadgeOutline, 0.8));
        p.setBrush(kBadgeOutline);
        p.drawPath(flag);
        break;
    }
    }
    return image;
}

void paintScrollArrow(QImage& canvas, bool up) {
    QPainter p(&canvas);
    prepare(p);
    const qreal size = canvas.height() - 2;
    const QRectF box((canvas.width() - size) / 2, 1, size, size);
    paintGlyph(p, up ? Glyph::ChevronUp : Glyph::ChevronDown, box, QColor(0xB4, 0xBD, 0xC6), 1.6);
}

QImage paintTriangle(bool pointsRight) {
    const QSize size = skinSize(kTriangleRight);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(style::kCard);
    QPainter p(&image);
    prepare(p);
    const qreal w = size.width();
    const qreal h = size.height();
    QPolygonF triangle = pointsRight ? QPolygonF({{1, 0.5}, {w - 0.5, h / 2}, {1, h - 0.5}})
                                     : QPolygonF({{w - 1, 0.5}, {0.5, h / 2}, {w - 1, h - 0.5}});
    p.setPen(Qt::NoPen);
    p.setBrush(style::kAccent);
    p.drawPolygon(triangle);
    return image;
}

} // namespace kyvo::skin
