#include "Controls.h"

#include <QFontMetricsF>
#include <QPainter>

#include "Paint.h"
#include "SkinStyle.h"

namespace kyvo::skin {

namespace {

// A key's resting and pressed faces.
const QColor kKeyTop{0x27, 0x2D, 0x35};
const QColor kKeyBottom{0x1A, 0x1E, 0x23};
const QColor kKeyEdge{0x34, 0x3C, 0x46};
const QColor kSunkTop{0x0C, 0x0F, 0x12};
const QColor kSunkBottom{0x15, 0x19, 0x1D};

constexpr qreal kToolInset = 3.5;
constexpr qreal kToolRadius = 10;
constexpr qreal kToolGlyph = 24;

constexpr qreal kTransportRadius = 13.5;
constexpr qreal kTransportGlyph = 14;

constexpr qreal kTitleGlyph = 12;
constexpr qreal kTitleStroke = 1.3;

constexpr qreal kTextRadius = 5;
constexpr int kTextSize = 12;
constexpr qreal kTextGlyph = 14;
constexpr qreal kTextGlyphGap = 5;

constexpr qreal kOkRadius = 7;
constexpr qreal kOkGlyph = 17;

constexpr qreal kUsbRadius = 8;
constexpr qreal kUsbGlyph = 25;

QRectF centredBox(const QImage& canvas, qreal size, Press press) {
    const qreal shift = press == Press::Pressed ? kPressShift : 0;
    return QRectF((canvas.width() - size) / 2, (canvas.height() - size) / 2 + shift, size, size);
}

} // namespace

void paintKey(QPainter& p, const QRectF& r, qreal radius, Press press) {
    p.setPen(Qt::NoPen);
    if (press == Press::Normal) {
        p.setBrush(withAlpha(Qt::black, 110));
        p.drawRoundedRect(r.translated(0, 1.5), radius, radius);
        p.setBrush(vertical(r, kKeyTop, kKeyBottom));
        p.setPen(QPen(kKeyEdge, 1));
        p.drawRoundedRect(r, radius, radius);
        p.setPen(QPen(withAlpha(Qt::white, 22), 1));
        p.drawLine(QPointF(r.left() + radius, r.top() + 1), QPointF(r.right() - radius, r.top() + 1));
    } else {
        p.setBrush(withAlpha(style::kAccent, 40));
        p.drawRoundedRect(r.adjusted(-1, -1, 1, 1), radius + 1, radius + 1);
        p.setBrush(vertical(r, kSunkTop, kSunkBottom));
        p.setPen(QPen(style::kAccentDeep, 1));
        p.drawRoundedRect(r, radius, radius);
        p.setPen(QPen(withAlpha(Qt::black, 160), 1));
        p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
    }
}

void paintToolButton(QImage& canvas, Glyph glyph, Press press) {
    QPainter p(&canvas);
    prepare(p);
    const QRectF r = QRectF(canvas.rect()).adjusted(kToolInset, kToolInset, -kToolInset, -kToolInset);
    paintKey(p, r, kToolRadius, press);
    const QColor ink = press == Press::Pressed ? style::kAccentLight : style::kGlyph;
    paintGlyph(p, glyph, centredBox(canvas, kToolGlyph, press), ink, style::kToolGlyphStroke);
}

void paintTransportButton(QImage& canvas, Glyph glyph, Press press, bool primary) {
    QPainter p(&canvas);
    prepare(p);
    const QPointF c = QRectF(canvas.rect()).center();
    const QRectF r(c.x() - kTransportRadius, c.y() - kTransportRadius, 2 * kTransportRadius, 2 * kTransportRadius);
    QColor ink;
    if (press == Press::Normal) {
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(Qt::black, 110));
        p.drawEllipse(r.translated(0, 1.2));
        p.setBrush(vertical(r, kKeyTop, kKeyBottom));
        p.setPen(QPen(primary ? style::kAccentDeep : kKeyEdge, 1));
        p.drawEllipse(r);
        ink = primary ? style::kAccent : style::kText;
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(style::kAccent, 60));
        p.drawEllipse(r.adjusted(-1, -1, 1, 1));
        p.setBrush(vertical(r, style::kAccent, style::kAccentDeep));
        p.setPen(QPen(style::kAccentLight, 1));
        p.drawEllipse(r);
        ink = style::kTitle;
    }
    QRectF box = centredBox(canvas, kTransportGlyph, press);
    if (glyph == Glyph::Play)
        box.translate(0.75, 0);  // a triangle looks centred slightly right of centre
    paintGlyph(p, glyph, box, ink, style::kSmallGlyphStroke);
}

void paintTitleButton(QImage& canvas, Glyph glyph, Press press, bool danger) {
    QPainter p(&canvas);
    prepare(p);
    QColor ink = style::kGlyph;
    if (press == Press::Pressed) {
        const QColor fill = danger ? style::kDanger : QColor(0x2A, 0x31, 0x39);
        p.fillRect(canvas.rect(), vertical(canvas.rect(), fill, mix(fill, Qt::black, 0.15)));
        ink = Qt::white;
    }
    paintGlyph(p, glyph, centredBox(canvas, kTitleGlyph, Press::Normal), ink, kTitleStroke);
}

void paintTextButton(QImage& canvas, const QString& text, Press press, bool withFolder) {
    QPainter p(&canvas);
    prepare(p);
    const QRectF r = QRectF(canvas.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool pressed = press == Press::Pressed;
    p.setPen(QPen(pressed ? style::kAccent : kKeyEdge, 1));
    p.setBrush(pressed ? vertical(r, style::kAccentShadow, mix(style::kAccentShadow, Qt::black, 0.3))
                       : vertical(r, kKeyTop, kKeyBottom));
    p.drawRoundedRect(r, kTextRadius, kTextRadius);

    const QFont font = style::font(kTextSize, QFont::Normal, true);
    const QFontMetricsF metrics(font);
    const qreal textWidth = metrics.horizontalAdvance(text);
    const qreal total = textWidth + (withFolder ? kTextGlyph + kTextGlyphGap : 0);
    const qreal shift = pressed ? kPressShift : 0;
    qreal x = (canvas.width() - total) / 2;
    if (withFolder) {
        const QRectF box(x, (canvas.height() - kTextGlyph) / 2 + shift, kTextGlyph, kTextGlyph);
        paintGlyph(p, Glyph::Folder, box, pressed ? style::kAccentLight : style::kAccent, 1.0);
        x += kTextGlyph + kTextGlyphGap;
    }
    p.setFont(font);
    p.setPen(pressed ? style::kAccentLight : style::kText);
    p.drawText(QRectF(x, shift, textWidth + 1, canvas.height()), Qt::AlignLeft | Qt::AlignVCenter, text);
}

void paintOkButton(QImage& canvas, Press press) {
    QPainter p(&canvas);
    prepare(p);
    const QRectF r = QRectF(canvas.rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    const bool pressed = press == Press::Pressed;
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(Qt::black, 100));
    p.drawRoundedRect(r.translated(0, 1.2), kOkRadius, kOkRadius);
    p.setBrush(pressed ? vertical(r, style::kAccentDeep, style::kAccentShadow)
                       : vertical(r, style::kAccentLight, style::kAccentDeep));
    p.setPen(QPen(pressed ? style::kAccentDeep : style::kAccent, 1));
    p.drawRoundedRect(r, kOkRadius, kOkRadius);
    paintGlyph(p, Glyph::ArrowRight, centredBox(canvas, kOkGlyph, press),
               pressed ? style::kAccentLight : style::kTitle, 2.2);
}

void paintUsbButton(QImage& canvas) {
    QPainter p(&canvas);
    prepare(p);
    const QRectF r = QRectF(canvas.rect()).adjusted(2.5, 2.5, -2.5, -2.5);
    paintKey(p, r, kUsbRadius, Press::Normal);
    paintGlyph(p, Glyph::Usb, centredBox(canvas, kUsbGlyph, Press::Normal), style::kAccent, 1.7);
}

} // namespace kyvo::skin
