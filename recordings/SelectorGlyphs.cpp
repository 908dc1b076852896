#include "SelectorGlyphs.h"

#include "SelectorLook.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kyvo::recordings {

namespace {

// The tick inside a check box, as fractions of the box.
constexpr QPointF kTick[] = {{0.24, 0.52}, {0.43, 0.71}, {0.77, 0.31}};
constexpr qreal kTickWidth = 0.15;     // of the box size
constexpr qreal kRingWidth = 2.0;
constexpr QColor kRingDotColour{0xFF, 0x5A, 0x4A};
constexpr qreal kRingDotOffset = 0.7; // of the radius, up and right: on the ring at about 45 degrees
constexpr qreal kRingDotSize = 0.7;   // of the centre dot
constexpr qreal kHalfPixel = 0.5;     // strokes of one pixel sit on pixel centres
constexpr int kUncheckedOnSelection = 115; // lighter() factor of an empty box on the selected row
constexpr int kFolderFrontLight = 135;     // lighter() factor of the folder's front

// The folder glyph on a kGlyphSize grid: a tab on the upper left, the body below.
constexpr qreal kFolderTop = 3.0;
constexpr qreal kFolderTabRight = 6.0;
constexpr qreal kFolderTabDrop = 1.5;
constexpr qreal kFolderBottom = 12.0;
constexpr qreal kFolderLeft = 1.0;
constexpr qreal kFolderRight = 13.0;
constexpr qreal kFolderBodyTop = 5.0;
constexpr qreal kFolderSlant = 1.5; // the front's top edge starts this far right of the back

} // namespace

void paintCheckBox(QPainter& painter, const QRectF& box, const CheckBoxLook& state) {
    using namespace look;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = box.adjusted(kHalfPixel, kHalfPixel, -kHalfPixel, -kHalfPixel);
    QColor border = state.hovered ? kAccent : kFaint;
    QColor fill = kWell;
    if (state.checked) {
        border = state.onSelection ? kSelectionText : kAccent;
        fill = state.onSelection ? kSelectionText : kAccent;
    } else if (state.onSelection) {
        border = kSelectionText;
        fill = kSelection.lighter(kUncheckedOnSelection);
    }
    painter.setPen(QPen(border, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(frame, kCheckBoxRadius, kCheckBoxRadius);
    if (state.checked) {
        QPainterPath tick;
        tick.moveTo(box.left() + kTick[0].x() * box.width(), box.top() + kTick[0].y() * box.height());
        for (int i = 1; i < 3; ++i)
            tick.lineTo(box.left() + kTick[i].x() * box.width(), box.top() + kTick[i].y() * box.height());
        const QColor ink = state.onSelection ? kSelection : kAccentInk;
        painter.setPen(QPen(ink, kTickWidth * box.width(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    }
    painter.restore();
}

void paintRingMark(QPainter& painter, const QPointF& centre, qreal radius, qreal dot) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(look::kAccent, kRingWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(look::kAccentLight);
    painter.drawEllipse(centre, dot, dot);
    // The small red dot on the ring, as in the viewer's logo.
    painter.setBrush(kRingDotColour);
    painter.drawEllipse(centre + QPointF(radius * kRingDotOffset, -radius * kRingDotOffset), dot * kRingDotSize,
                        dot * kRingDotSize);
    painter.restore();
}

QIcon folderIcon(const QColor& colour, qreal devicePixelRatio) {
    const int side = look::kGlyphSize;
    QPixmap pixmap(QSize(side, side) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    QPainterPath back;
    back.moveTo(kFolderLeft, kFolderTop);
    back.lineTo(kFolderTabRight, kFolderTop);
    back.lineTo(kFolderTabRight + kFolderTabDrop, kFolderTop + kFolderTabDrop);
    back.lineTo(kFolderRight, kFolderTop + kFolderTabDrop);
    back.lineTo(kFolderRight, kFolderBottom);
    back.lineTo(kFolderLeft, kFolderBottom);
    back.closeSubpath();
    painter.drawPath(back);
    // The body in front, a shade lighter, with a slanted top edge.
    painter.setBrush(colour.lighter(kFolderFrontLight));
    QPainterPath front;
    front.moveTo(kFolderLeft, kFolderBottom);
    front.lineTo(kFolderLeft + kFolderSlant, kFolderBodyTop);
    front.lineTo(kFolderRight + kHalfPixel, kFolderBodyTop);
    front.lineTo(kFolderRight, kFolderBottom);
    front.closeSubpath();
    painter.drawPath(front);
    painter.end();
    return QIcon(pixmap);
}

} // namespace kyvo::recordings
