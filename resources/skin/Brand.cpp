#include "Brand.h"

#include <QFontMetricsF>
#include <QPolygonF>
#include <QRadialGradient>
#include <QtMath>

#include <algorithm>
#include <cmath>

#include "Glyphs.h"
#include "Paint.h"
#include "SkinIds.h"
#include "SkinLayout.h"
#include "SkinStyle.h"

namespace kyvo::skin {

namespace {

// Proportions of the lens mark, as fractions of its box.
constexpr qreal kRingRadius = 0.42;
constexpr qreal kRingWidth = 0.085;
constexpr qreal kLensRadius = 0.30;
constexpr qreal kIrisRadius = 0.15;
constexpr qreal kSpecularOffset = 0.075;
constexpr qreal kSpecularRadius = 0.045;
constexpr qreal kRecDotRadius = 0.075;
constexpr qreal kRecDotAngle = 45.0;  // degrees, upper right

const QString kBrandFirst = QStringLiteral("Kyvo");
const QString kBrandSecond = QStringLiteral(" Viewer");

// App icon.
constexpr int kIconSize = 256;
constexpr qreal kIconMargin = 12;
constexpr qreal kIconRadius = 56;
constexpr qreal kIconMarkSize = 150;
constexpr qreal kIconMarkTop = 20;
constexpr qreal kIconHorizon = 176;
constexpr qreal kIconRoadNear = 116;  // half width of the road at the bottom edge
constexpr qreal kIconRoadFar = 8;     // half width at the horizon

// Brand plate.
constexpr int kPlateWidth = 170;
constexpr int kPlateHeight = 40;
constexpr qreal kPlateMark = 26;
constexpr int kPlateText = 16;

// Unlock animation: a ring that fills around a padlock, the shackle opens,
// then the badge turns green with a check.
constexpr int kUnlockFrames = kUnlockLast - kUnlockFirst + 1;
constexpr int kRingFrames = 5;       // frames 0..4 fill the ring
constexpr int kShackleFrames = 3;    // frames 5..7 lift the shackle
constexpr qreal kBadgeRadius = 17.0;
constexpr qreal kRingStroke = 2.6;
constexpr qreal kRingInset = 1.5;
constexpr QColor kBadgeTop{0x1E, 0x24, 0x2B};
constexpr QColor kBadgeBottom{0x12, 0x16, 0x1A};
constexpr qreal kLockBox = 22.0;

} // namespace

void paintLogoMark(QPainter& painter, const QRectF& box, qreal opacity) {
    painter.save();
    prepare(painter);
    painter.setOpacity(opacity);
    const qreal s = std::min(box.width(), box.height());
    const QPointF c = box.center();

    QLinearGradient ring(c + QPointF(-s / 2, -s / 2), c + QPointF(s / 2, s / 2));
    ring.setColorAt(0, style::kAccentLight);
    ring.setColorAt(0.5, style::kAccent);
    ring.setColorAt(1, style::kAccentDeep);
    painter.setPen(QPen(QBrush(ring), s * kRingWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(c, s * kRingRadius, s * kRingRadius);

    QRadialGradient lens(c, s * kLensRadius);
    lens.setColorAt(0, QColor(0x1E, 0x33, 0x3A));
    lens.setColorAt(1, QColor(0x06, 0x0A, 0x0C));
    painter.setPen(QPen(withAlpha(style::kAccentDeep, 160), s * 0.02));
    painter.setBrush(lens);
    painter.drawEllipse(c, s * kLensRadius, s * kLensRadius);

    QRadialGradient iris(c + QPointF(-s * 0.04, -s * 0.04), s * kIrisRadius * 1.4);
    iris.setColorAt(0, style::kAccentLight);
    iris.setColorAt(0.55, style::kAccent);
    iris.setColorAt(1, style::kAccentDeep);
    painter.setPen(Qt::NoPen);
    painter.setBrush(iris);
    painter.drawEllipse(c, s * kIrisRadius, s * kIrisRadius);
    painter.setBrush(withAlpha(Qt::white, 220));
    painter.drawEllipse(c + QPointF(-s * kSpecularOffset, -s * kSpecularOffset), s * kSpecularRadius,
                        s * kSpecularRadius);

    // Recording dot on the ring, set off from it by a thin dark gap.
    const qreal rad = qDegreesToRadians(kRecDotAngle);
    const QPointF dot = c + QPointF(std::cos(rad), -std::sin(rad)) * s * kRingRadius;
    painter.setBrush(style::kTitle);
    painter.drawEllipse(dot, s * kRecDotRadius * 1.5, s * kRecDotRadius * 1.5);
    painter.setBrush(style::kDangerLight);
    painter.drawEllipse(dot, s * kRecDotRadius, s * kRecDotRadius);
    painter.restore();
}

qreal wordmarkWidth(int pixelSize) {
    const QFontMetricsF bold(style::font(pixelSize, QFont::Bold));
    const QFontMetricsF light(style::font(pixelSize, QFont::Light));
    return bold.horizontalAdvance(kBrandFirst) + light.horizontalAdvance(kBrandSecond);
}

qreal paintWordmark(QPainter& painter, QPointF topLeft, int pixelSize, qreal opacity) {
    painter.save();
    prepare(painter);
    painter.setOpacity(opacity);
    const QFont bold = style::font(pixelSize, QFont::Bold);
    const QFont light = style::font(pixelSize, QFont::Light);
    const QFontMetricsF metrics(bold);
    const QPointF baseline = topLeft + QPointF(0, metrics.ascent());
    painter.setFont(bold);
    painter.setPen(style::kText);
    painter.drawText(baseline, kBrandFirst);
    const qreal first = metrics.horizontalAdvance(kBrandFirst);
    painter.setFont(light);
    painter.setPen(style::kAccentLight);
    painter.drawText(baseline + QPointF(first, 0), kBrandSecond);
    painter.restore();
    return wordmarkWidth(pixelSize);
}

QImage paintAppIcon() {
    QImage image = newCanvas(kIconSize, kIconSize);
    QPainter p(&image);
    prepare(p);
    const QRectF tile(kIconMargin, kIconMargin, kIconSize - 2 * kIconMargin, kIconSize - 2 * kIconMargin);

    // Drop shadow, tile, rim.
    p.setPen(Qt::NoPen);
    for (int i = 4; i >= 1; --i) {
        p.setBrush(withAlpha(Qt::black, 28));
        p.drawRoundedRect(tile.adjusted(-i, -i + 3, i, i + 3), kIconRadius + i, kIconRadius + i);
    }
    p.setBrush(vertical(tile, QColor(0x23, 0x2A, 0x32), QColor(0x0B, 0x0E, 0x11)));
    p.drawRoundedRect(tile, kIconRadius, kIconRadius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(style::kEdgeLight, 200), 2));
    p.drawRoundedRect(tile.adjusted(1, 1, -1, -1), kIconRadius - 1, kIconRadius - 1);

    // A road running to the horizon under the lens: the camera's view.
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(tile.adjusted(2, 2, -2, -2), kIconRadius - 2, kIconRadius - 2);
    p.setClipPath(clip);
    const qreal mid = kIconSize / 2.0;
    const QRectF ground(0, kIconHorizon, kIconSize, kIconSize - kIconHorizon);
    p.fillRect(ground, vertical(ground, QColor(0x10, 0x14, 0x18), QColor(0x16, 0x1B, 0x20)));
    QLinearGradient horizon(QPointF(tile.left(), 0), QPointF(tile.right(), 0));
    horizon.setColorAt(0, withAlpha(style::kAccent, 0));
    horizon.setColorAt(0.5, withAlpha(style::kAccent, 150));
    horizon.setColorAt(1, withAlpha(style::kAccent, 0));
    p.fillRect(QRectF(tile.left(), kIconHorizon - 1, tile.width(), 2), horizon);
    QPainterPath road;
    road.moveTo(mid - kIconRoadFar, kIconHorizon);
    road.lineTo(mid + kIconRoadFar, kIconHorizon);
    road.lineTo(mid + kIconRoadNear, kIconSize);
    road.lineTo(mid - kIconRoadNear, kIconSize);
    road.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(ground, QColor(0x1C, 0x23, 0x2A), QColor(0x2C, 0x35, 0x3F)));
    p.drawPath(road);
    p.setPen(QPen(style::kAccent, 4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(mid - kIconRoadFar, kIconHorizon), QPointF(mid - kIconRoadNear + 10, kIconSize));
    p.drawLine(QPointF(mid + kIconRoadFar, kIconHorizon), QPointF(mid + kIconRoadNear - 10, kIconSize));
    // Centre dashes growing towards the viewer.
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(style::kText, 210));
    const qreal dashes[][2] = {{kIconHorizon + 8, kIconHorizon + 14}, {kIconHorizon + 24, kIconHorizon + 36},
                               {kIconHorizon + 50, kIconSize}};
    for (const auto& d : dashes) {
        const qreal w0 = 1 + (d[0] - kIconHorizon) * 0.06;
        const qreal w1 = 1 + (d[1] - kIconHorizon) * 0.06;
        p.drawPolygon(QPolygonF({{mid - w0, d[0]}, {mid + w0, d[0]}, {mid + w1, d[1]}, {mid - w1, d[1]}}));
    }
    p.restore();

    const QRectF mark(mid - kIconMarkSize / 2, kIconMarkTop, kIconMarkSize, kIconMarkSize);
    QPainterPath halo;
    halo.addEllipse(mark.center(), kIconMarkSize * kRingRadius, kIconMarkSize * kRingRadius);
    glow(p, halo, style::kAccent, 14, 90);
    paintLogoMark(p, mark);
    return image;
}

QImage paintBrandPlate() {
    QImage image = newCanvas(kPlateWidth, kPlateHeight);
    QPainter p(&image);
    prepare(p);
    const QRectF plate(0, 0, kPlateWidth, kPlateHeight);
    p.setPen(QPen(style::kEdge, 1));
    p.setBrush(vertical(plate, style::kCardTop, style::kTitle));
    p.drawRoundedRect(plate.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    const qreal markLeft = 8;
    paintLogoMark(p, QRectF(markLeft, (kPlateHeight - kPlateMark) / 2, kPlateMark, kPlateMark));
    const QFontMetricsF metrics(style::font(kPlateText, QFont::Bold));
    paintWordmark(p, QPointF(markLeft + kPlateMark + 8, (kPlateHeight - metrics.height()) / 2), kPlateText);
    return image;
}

QImage paintUnlockFrame(int index, const QImage& passwordBackground) {
    QImage image = canvasOver(passwordBackground, layout::kUnlockAnimation, skinSize(kUnlockFirst + index));
    QPainter p(&image);
    prepare(p);
    const QPointF c = QRectF(image.rect()).center();
    const QRectF badge(c.x() - kBadgeRadius, c.y() - kBadgeRadius, 2 * kBadgeRadius, 2 * kBadgeRadius);
    const bool done = index == kUnlockFrames - 1;
    const qreal ring = std::min(1.0, (index + 1) / static_cast<qreal>(kRingFrames));
    const int shackleStep = index - (kRingFrames - 1);
    const qreal lift = done ? 1.0 : std::clamp(shackleStep / static_cast<qreal>(kShackleFrames), 0.0, 1.0);

    p.setPen(Qt::NoPen);
    p.setBrush(done ? vertical(badge, style::kGo, mix(style::kGo, Qt::black, 0.35))
                    : vertical(badge, kBadgeTop, kBadgeBottom));
    p.drawEllipse(badge);
    if (!done) {
        // Ring track, then the part filled so far, clockwise from twelve o'clock.
        const QRectF track = badge.adjusted(kRingInset, kRingInset, -kRingInset, -kRingInset);
        p.setPen(QPen(style::kAccentShadow, kRingStroke));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(track);
        QPainterPath arc;
        arc.arcMoveTo(track, 90);
        arc.arcTo(track, 90, -360.0 * ring);
        glow(p, arc, style::kAccent, 3, 70);
        p.setPen(roundPen(style::kAccent, kRingStroke));
        p.drawPath(arc);
    }
    const QRectF lockBox(c.x() - kLockBox / 2, c.y() - kLockBox / 2 + 0.5, kLockBox, kLockBox);
    if (done) {
        paintGlyph(p, Glyph::Check, lockBox.adjusted(1, 1, -1, -1), Qt::white, 3.0);
    } else {
        const QColor lock = lift > 0 ? style::kAccentLight : style::kGlyph;
        paintPadlock(p, lockBox.adjusted(2, 2, -2, -2), lock, kBadgeBottom, lift, 2.0);
    }
    return image;
}

} // namespace kyvo::skin
