// The main window background (130), painted back to front:
//  1. window body and title strip with the product name,
//  2. video monitor with its idle watermark,
//  3. map panel with its idle street-grid motif,
//  4. transport dock under the video and the event-mark lane,
//  5. the lower console: slider row, instruments, G-sensor panel, play list.
#include <QPainterPath>

#include <cmath>

#include "Backgrounds.h"
#include "Brand.h"
#include "ConsolePanels.h"
#include "Paint.h"
#include "SkinLayout.h"
#include "SkinStyle.h"

namespace kyvo::skin {

namespace {

using namespace layout;

constexpr int kBrandMarkSize = 22;
constexpr int kBrandTextSize = 15;
constexpr int kBrandGap = 8;

constexpr int kVideoBezel = 5;
constexpr qreal kIdleMarkSize = 96;
constexpr int kIdleTextSize = 18;

constexpr int kMapBezel = 6;
constexpr int kMapHeader = 12;  // top bezel with the caption; its top lines up with the video's
constexpr int kMapGridStep = 24;

constexpr QRect kDock{82, 428, 503, 36};   // pill behind the five transport buttons
constexpr QRect kConsole{8, 489, 1004, 284};
constexpr QRect kTimeWell{429, 496, 152, 27};
constexpr int kSpeedTickTop = 521;
constexpr int kSpeedTickLength = 3;
constexpr qreal kSpeedStepFraction = 1.0 / 6.6;  // one speed step, as a share of the slider
constexpr int kNormalSpeedIndex = 3;             // 1x

void paintBody(QPainter& p) {
    p.fillRect(QRect(QPoint(0, 0), kMainSize), style::kBase);
    paintTitleStrip(p, QRect(0, 0, kMainSize.width(), kTitleHeight));

    const qreal brandWidth = kBrandMarkSize + kBrandGap + wordmarkWidth(kBrandTextSize);
    const qreal left = (kBrandLeft + kBrandRight - brandWidth) / 2;
    const qreal top = (kTitleHeight - kBrandMarkSize) / 2.0;
    paintLogoMark(p, QRectF(left, top, kBrandMarkSize, kBrandMarkSize));
    const QFontMetricsF metrics(style::font(kBrandTextSize, QFont::Bold));
    paintWordmark(p, QPointF(left + kBrandMarkSize + kBrandGap, (kTitleHeight - metrics.height()) / 2.0),
                  kBrandTextSize);

    // One-pixel window rim below the title strip.
    p.setPen(style::kEdge);
    p.drawLine(0, kTitleHeight, 0, kMainSize.height() - 1);
    p.drawLine(kMainSize.width() - 1, kTitleHeight, kMainSize.width() - 1, kMainSize.height() - 1);
    p.drawLine(0, kMainSize.height() - 1, kMainSize.width() - 1, kMainSize.height() - 1);
}

void paintVideoMonitor(QPainter& p) {
    const QRect frame = kVideo.adjusted(-kVideoBezel, -kVideoBezel, kVideoBezel, kVideoBezel);
    raisedPanel(p, frame, style::kCardRadius);
    recess(p, kVideo, 2, Qt::black);

    // Idle: a faint mark and name centred on black.
    const QPointF centre = QRectF(kVideo).center();
    const QRectF mark(centre.x() - kIdleMarkSize / 2, centre.y() - kIdleMarkSize / 2 - 18, kIdleMarkSize,
                      kIdleMarkSize);
    paintLogoMark(p, mark, 0.12);
    const qreal width = wordmarkWidth(kIdleTextSize);
    paintWordmark(p, QPointF(centre.x() - width / 2, mark.bottom() + 10), kIdleTextSize, 0.16);
}

// A few streets, blocks and a river in near-black: reads as a map at a glance
// but stays quiet behind the red notice that can be drawn over it.
void paintMapPanel(QPainter& p) {
    const QRect frame = kMap.adjusted(-kMapBezel, -kMapHeader, kMapBezel, kMapBezel);
    raisedPanel(p, frame, style::kCardRadius);
    recess(p, kMap, 2, QColor(0x0B, 0x0F, 0x12));
    caption(p, QRectF(kMap.left() + 2, frame.top() + 1, kUsbButton.x() - kMap.left() - 6, kMapHeader - 1),
            QStringLiteral("MAP"), Qt::AlignLeft, style::kCaption, 8);

    p.save();
    p.setClipRect(kMap);
    prepare(p);
    p.setPen(QPen(style::kGrid, 1));
    for (int x = kMap.left() + kMapGridStep / 2; x < kMap.right(); x += kMapGridStep)
        p.drawLine(x, kMap.top(), x, kMap.bottom());
    for (int y = kMap.top() + kMapGridStep / 2; y < kMap.bottom(); y += kMapGridStep)
        p.drawLine(kMap.left(), y, kMap.right(), y);

    const QPointF o = kMap.topLeft();
    QPainterPath river;
    river.moveTo(o + QPointF(-10, 300));
    river.cubicTo(o + QPointF(80, 260), o + QPointF(150, 380), o + QPointF(330, 330));
    p.setPen(QPen(QColor(0x0E, 0x1C, 0x24), 14, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(river);

    const QColor road(0x1A, 0x22, 0x29);
    const QColor avenue(0x22, 0x2C, 0x34);
    QPainterPath streets;
    streets.moveTo(o + QPointF(40, -5));
    streets.cubicTo(o + QPointF(70, 120), o + QPointF(20, 250), o + QPointF(90, 420));
    streets.moveTo(o + QPointF(-5, 150));
    streets.lineTo(o + QPointF(320, 110));
    streets.moveTo(o + QPointF(230, -5));
    streets.lineTo(o + QPointF(200, 420));
    streets.moveTo(o + QPointF(-5, 70));
    streets.cubicTo(o + QPointF(100, 60), o + QPointF(160, 20), o + QPointF(320, 30));
    p.setPen(QPen(road, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(streets);
    QPainterPath avenueLine;
    avenueLine.moveTo(o + QPointF(-5, 390));
    avenueLine.cubicTo(o + QPointF(120, 300), o + QPointF(200, 240), o + QPointF(320, 215));
    p.setPen(QPen(avenue, 7, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(avenueLine);
    p.setPen(QPen(QColor(0x2E, 0x3A, 0x44), 1.2, Qt::DashLine, Qt::FlatCap));
    p.drawPath(avenueLine);

    // A faint travelled track ending in a position marker.
    QPainterPath track;
    track.moveTo(o + QPointF(60, 400));
    track.cubicTo(o + QPointF(120, 310), o + QPointF(200, 250), o + QPointF(214, 180));
    p.setPen(QPen(withAlpha(style::kAccentDeep, 90), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(track);
    const QPointF pin = o + QPointF(214, 180);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(style::kAccent, 40));
    p.drawEllipse(pin, 11, 11);
    p.setBrush(withAlpha(style::kAccent, 110));
    p.drawEllipse(pin, 4, 4);
    p.restore();
}

void paintDockAndLane(QPainter& p) {
    p.save();
    prepare(p);
    const qreal radius = kDock.height() / 2.0;
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(Qt::black, 80));
    p.drawRoundedRect(QRectF(kDock).translated(0, 1), radius, radius);
    p.setPen(QPen(style::kHairline, 1));
    p.setBrush(vertical(kDock, style::kCard, QColor(0x15, 0x18, 0x1C)));
    p.drawRoundedRect(QRectF(kDock).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.restore();
}

void paintConsole(QPainter& p) {
    p.save();
    prepare(p);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(Qt::black, 90));
    p.drawRoundedRect(QRectF(kConsole).translated(0, 1.5), style::kCardRadius, style::kCardRadius);
    p.setPen(QPen(style::kEdge, 1));
    p.setBrush(style::kCard);
    p.drawRoundedRect(QRectF(kConsole).adjusted(0.5, 0.5, -0.5, -0.5), style::kCardRadius, style::kCardRadius);
    QLinearGradient lit(kConsole.topLeft(), kConsole.topRight());
    lit.setColorAt(0, withAlpha(style::kEdgeLight, 0));
    lit.setColorAt(0.5, style::kEdgeLight);
    lit.setColorAt(1, withAlpha(style::kEdgeLight, 0));
    p.setPen(QPen(QBrush(lit), 1));
    p.drawLine(QPointF(kConsole.left() + 12, kConsole.top() + 1.5),
               QPointF(kConsole.right() - 12, kConsole.top() + 1.5));
    p.restore();
}

void paintSliderRow(QPainter& p) {
    paintGroove(p, kProgressBar.groove);
    paintGroove(p, kSpeedBar.groove);
    paintGroove(p, kVolumeBar.groove);
    recess(p, kTimeWell, style::kWellRadius, style::kWell);

    // Speed steps under the speed slider, where the knob's centre stops.
    p.save();
    const int knobCentre = skinSize(kSliderKnob).width() / 2;
    for (int i = 0; i < kSpeedSteps; ++i) {
        const int x = kSpeedBar.knobLeft + knobCentre +
                      static_cast<int>(std::lround(i * kSpeedBar.maxPosition * kSpeedStepFraction));
        const bool normal = i == kNormalSpeedIndex;
        p.setPen(normal ? style::kAccent : style::kFaint);
        p.drawLine(x, kSpeedTickTop, x, kSpeedTickTop + kSpeedTickLength - (normal ? 0 : 1));
    }
    p.restore();
}

} // namespace

void paintTitleStrip(QPainter& painter, const QRect& strip) {
    painter.fillRect(strip, style::kTitle);
    painter.fillRect(QRect(strip.left(), strip.bottom() + 1, strip.width(), 1), style::kHairline);
}

void paintGroove(QPainter& painter, const QRect& groove) {
    painter.save();
    prepare(painter);
    recess(painter, groove, groove.height() / 2.0, style::kWell);
    painter.restore();
}

QImage paintMainBackground() {
    QImage image(kMainSize, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    prepare(p);
    paintBody(p);
    paintVideoMonitor(p);
    paintMapPanel(p);
    paintDockAndLane(p);
    paintConsole(p);
    paintSliderRow(p);
    paintHeadingDial(p);
    paintSpeedWindow(p);
    paintPositionWell(p);
    paintGSensorPanel(p);
    paintPlayListPanel(p);
    return image;
}

} // namespace kyvo::skin
