#include "ConsolePanels.h"

#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <cmath>

#include "Paint.h"
#include "SkinLayout.h"
#include "SkinStyle.h"

namespace kyvo::skin {

namespace {

using namespace layout;

// Section captions all sit on one row above the console's panels.
constexpr int kCaptionRowTop = 538;
constexpr int kCaptionRowHeight = 12;

// Heading dial around kHeadingCentre.
constexpr qreal kDialBezel = 48;
constexpr qreal kDialFace = 44;
constexpr qreal kDialTickOuter = 42;
constexpr qreal kDialTickMinor = 3;
constexpr qreal kDialTickMajor = 6;
constexpr qreal kDialLetters = 31;
constexpr qreal kDialInnerRing = 23;
constexpr qreal kDialHub = 3.5;

// Speed window: LED recess behind the digits, framed by a 240 degree ring.
constexpr QRect kLedWindow{205, 595, 55, 41};
constexpr QPointF kSpeedRingCentre{232.5, 614};
constexpr qreal kSpeedRing = 46;
constexpr qreal kSpeedRingStart = -30;   // degrees, counter-clockwise from three o'clock
constexpr qreal kSpeedRingSpan = 240;
constexpr int kSpeedRingTicks = 24;
constexpr qreal kSpeedRedZone = 0.8;     // share of the ring before the warm end

// Position well and its caption.
constexpr QRect kPositionWell{16, 655, 252, 45};

// Console dividers.
constexpr int kDividerTop = 540;
constexpr int kDividerBottom = 766;
constexpr std::array kDividerX{349, 652};
constexpr int kToolbarRuleY = 711;
constexpr int kToolbarRuleLeft = 16;
constexpr int kToolbarRuleRight = 338;

// G-sensor panel.
constexpr QRect kGPanel{362, 566, 264, 182};
constexpr int kGChipWidth = 3;
constexpr int kGChipHeight = 11;
constexpr int kGChipGap = 6;
constexpr int kGGridColumns = 10;
constexpr int kGLabelGap = 6;

// Play list panel.
constexpr QRect kListPanel{678, 566, 328, 182};
constexpr int kListHeaderBottom = 604;
constexpr QRect kListScrollChannel{985, 609, 15, 131};

void sectionCaption(QPainter& p, int left, int right, const QString& text, int flags) {
    caption(p, QRectF(left, kCaptionRowTop, right - left, kCaptionRowHeight), text, flags | Qt::AlignVCenter,
            style::kCaption);
}

QPointF polar(QPointF centre, qreal radius, qreal degrees) {
    // Compass angle: 0 at north, clockwise.
    const qreal rad = qDegreesToRadians(degrees);
    return centre + QPointF(radius * std::sin(rad), -radius * std::cos(rad));
}

void fadedLine(QPainter& p, QPointF from, QPointF to) {
    QLinearGradient fade(from, to);
    fade.setColorAt(0, withAlpha(style::kHairline, 0));
    fade.setColorAt(0.2, style::kEdge);
    fade.setColorAt(0.8, style::kEdge);
    fade.setColorAt(1, withAlpha(style::kHairline, 0));
    p.setPen(QPen(QBrush(fade), 1));
    p.drawLine(from, to);
}

} // namespace

void paintHeadingDial(QPainter& p) {
    p.save();
    prepare(p);
    const QPointF c = QPointF(kHeadingCentre) + QPointF(0.5, 0.5);
    sectionCaption(p, kHeadingCentre.x() - 60, kHeadingCentre.x() + 60,
                   QStringLiteral("方位 HEADING"), Qt::AlignHCenter);

    // Bezel: a lit ring around a recessed face.
    p.setPen(QPen(style::kEdge, 1));
    p.setBrush(vertical(QRectF(c.x() - kDialBezel, c.y() - kDialBezel, 2 * kDialBezel, 2 * kDialBezel),
                        style::kEdgeLight, QColor(0x10, 0x13, 0x16)));
    p.drawEllipse(c, kDialBezel, kDialBezel);
    QRadialGradient face(c, kDialFace);
    face.setColorAt(0, QColor(0x14, 0x19, 0x1E));
    face.setColorAt(1, style::kWell);
    p.setPen(QPen(style::kEdgeDark, 1.5));
    p.setBrush(face);
    p.drawEllipse(c, kDialFace, kDialFace);

    for (int deg = 0; deg < 360; deg += 10) {
        const bool cardinal = deg % 90 == 0;
        const bool major = deg % 30 == 0;
        if (cardinal)
            continue;  // letters stand there
        const qreal len = major ? kDialTickMajor : kDialTickMinor;
        p.setPen(QPen(major ? style::kCaption : style::kFaint, major ? 1.4 : 1.0, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(polar(c, kDialTickOuter - len, deg), polar(c, kDialTickOuter, deg));
    }
    p.setPen(QPen(withAlpha(style::kEdge, 160), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, kDialInnerRing, kDialInnerRing);

    // North gets a small red pointer outside its letter.
    QPainterPath pointer;
    pointer.moveTo(polar(c, kDialTickOuter + 0.5, 0));
    pointer.lineTo(polar(c, kDialTickOuter - 5, -6));
    pointer.lineTo(polar(c, kDialTickOuter - 5, 6));
    pointer.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(style::kNorth);
    p.drawPath(pointer);

    const struct {
        const char* letter;
        qreal degrees;
    } kLetters[] = {{"N", 0}, {"E", 90}, {"S", 180}, {"W", 270}};
    for (const auto& l : kLetters) {
        const bool north = l.degrees == 0;
        p.setFont(style::font(north ? 11 : 10, QFont::Bold));
        p.setPen(north ? style::kNorth : style::kGlyph);
        const QPointF at = polar(c, kDialLetters, l.degrees);
        p.drawText(QRectF(at.x() - 8, at.y() - 8, 16, 16), Qt::AlignCenter, QString::fromLatin1(l.letter));
    }
    p.setPen(QPen(style::kEdgeLight, 1));
    p.setBrush(style::kCard);
    p.drawEllipse(c, kDialHub, kDialHub);
    p.restore();
}

void paintSpeedWindow(QPainter& p) {
    p.save();
    prepare(p);
    sectionCaption(p, kSpeedArea.center().x() - 60, kSpeedArea.center().x() + 62, QStringLiteral("速度 SPEED"),
                   Qt::AlignHCenter);

    // Framing ring: cool ticks running into a warm end, like a speedometer.
    const QPointF c = kSpeedRingCentre;
    for (int i = 0; i <= kSpeedRingTicks; ++i) {
        const qreal t = i / static_cast<qreal>(kSpeedRingTicks);
        const qreal angle = qDegreesToRadians(kSpeedRingStart + kSpeedRingSpan * (1.0 - t));
        const QPointF dir(std::cos(angle), -std::sin(angle));
        const bool major = i % 4 == 0;
        QColor colour = t < kSpeedRedZone ? mix(style::kAccentDeep, style::kAccent, t / kSpeedRedZone)
                                           : mix(style::kWarning, style::kDanger, (t - kSpeedRedZone) * 5);
        if (!major)
            colour = mix(colour, style::kCard, 0.45);
        p.setPen(QPen(colour, major ? 2.0 : 1.2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(c + dir * (kSpeedRing - (major ? 7 : 4)), c + dir * kSpeedRing);
    }
    QPainterPath arc;
    const QRectF ringBox(c.x() - kSpeedRing - 2, c.y() - kSpeedRing - 2, 2 * kSpeedRing + 4, 2 * kSpeedRing + 4);
    arc.arcMoveTo(ringBox, kSpeedRingStart);
    arc.arcTo(ringBox, kSpeedRingStart, kSpeedRingSpan);
    p.setPen(QPen(style::kEdge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);

    // The LED window: a recess with a faint glass sheen on its upper half.
    recess(p, kLedWindow, style::kWellRadius, style::kWell);
    const QRectF sheen(kLedWindow.left() + 1, kLedWindow.top() + 1, kLedWindow.width() - 2, kLedWindow.height() / 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(sheen, QColor(255, 255, 255, 14), QColor(255, 255, 255, 3)));
    p.drawRoundedRect(sheen, style::kWellRadius - 1, style::kWellRadius - 1);
    p.restore();
}

void paintPositionWell(QPainter& p) {
    p.save();
    prepare(p);
    recess(p, kPositionWell, style::kWellRadius, QColor(0x0D, 0x10, 0x13));
    const QRectF label(kPositionWell.right() - 44, kPositionWell.top() + 6, 38, 12);
    caption(p, label, QStringLiteral("GPS"), Qt::AlignRight | Qt::AlignVCenter, style::kAccent);
    // A small location pin under the caption.
    const QPointF tip(kPositionWell.right() - 13.5, kPositionWell.bottom() - 7);
    QPainterPath pin;
    pin.moveTo(tip);
    pin.cubicTo(tip + QPointF(-7, -9), tip + QPointF(-6, -17), tip + QPointF(0, -17));
    pin.cubicTo(tip + QPointF(6, -17), tip + QPointF(7, -9), tip);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(style::kAccent, 120));
    p.drawPath(pin);
    p.setBrush(QColor(0x0D, 0x10, 0x13));
    p.drawEllipse(tip + QPointF(0, -11.5), 2.2, 2.2);

    for (int x : kDividerX)
        fadedLine(p, QPointF(x + 0.5, kDividerTop), QPointF(x + 0.5, kDividerBottom));
    fadedLine(p, QPointF(kToolbarRuleLeft, kToolbarRuleY + 0.5), QPointF(kToolbarRuleRight, kToolbarRuleY + 0.5));
    p.restore();
}

void paintGSensorPanel(QPainter& p) {
    p.save();
    prepare(p);
    sectionCaption(p, kGPanel.left() + 2, kGPanel.right(), QStringLiteral("G-SENSOR 加速度"), Qt::AlignLeft);
    recess(p, kGPanel, style::kWellRadius + 1, QColor(0x0F, 0x12, 0x16));

    // A colour chip in front of each axis value.
    const QColor axes[] = {style::kAxisX, style::kAxisY, style::kAxisZ};
    for (std::size_t i = 0; i < kGSensorText.size(); ++i) {
        const QPointF at = kGSensorText[i];
        p.setPen(Qt::NoPen);
        p.setBrush(axes[i]);
        p.drawRoundedRect(QRectF(at.x() - kGChipGap - kGChipWidth, at.y() + 3, kGChipWidth, kGChipHeight), 1, 1);
    }

    // Graph: recess, grid, zero line, scale labels on the right.
    const QRect graph = kGSensorGraph;
    recess(p, graph, 2, style::kWell);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(style::kGrid);
    for (int i = 1; i < kGGridColumns; ++i) {
        const int x = graph.left() + graph.width() * i / kGGridColumns;
        p.drawLine(x, graph.top() + 1, x, graph.bottom() - 1);
    }
    const int quarter = (kGSensorZeroY - kGSensorPlusY) / 2;
    for (int y : {kGSensorPlusY, kGSensorPlusY + quarter, kGSensorMinusY - quarter, kGSensorMinusY})
        p.drawLine(graph.left() + 1, y, graph.right() - 1, y);
    p.setPen(style::kEdge);
    p.drawLine(graph.left() + 1, kGSensorZeroY, graph.right() - 1, kGSensorZeroY);
    p.setRenderHint(QPainter::Antialiasing, true);

    const struct {
        int y;
        QString text;
    } labels[] = {{kGSensorPlusY, QStringLiteral("+%1g").arg(kGSensorRange)},
                  {kGSensorZeroY, QStringLiteral("0")},
                  {kGSensorMinusY, QStringLiteral("\u2212%1g").arg(kGSensorRange)}};
    for (const auto& l : labels) {
        caption(p, QRectF(graph.right() + kGLabelGap, l.y - 6, 40, 12), l.text, Qt::AlignLeft | Qt::AlignVCenter,
                style::kCaption, 8);
    }
    p.restore();
}

void paintPlayListPanel(QPainter& p) {
    p.save();
    prepare(p);
    sectionCaption(p, kListPanel.left() + 2, kClearListButton.x() - 8, QStringLiteral("播放清單 PLAYLIST"),
                   Qt::AlignLeft);
    recess(p, kListPanel, style::kWellRadius + 1, style::kListInterior);
    // Header band behind the column titles.
    QPainterPath header;
    header.addRoundedRect(QRectF(kListPanel.left(), kListPanel.top(), kListPanel.width(),
                                 kListHeaderBottom - kListPanel.top() + 6),
                          style::kWellRadius + 1, style::kWellRadius + 1);
    QPainterPath body;
    body.addRect(QRectF(kListPanel.left(), kListHeaderBottom + 1, kListPanel.width(), kListPanel.height()));
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(header.boundingRect(), QColor(0x1A, 0x1F, 0x25), QColor(0x13, 0x17, 0x1B)));
    p.drawPath(header.subtracted(body));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(kListScrollChannel, style::kScrollTrack);
    p.restore();
}

} // namespace kyvo::skin
