#include "SelectAllBox.h"

#include "SelectorGlyphs.h"
#include "SelectorLook.h"

#include <QPainter>

#include <algorithm>

namespace kyvo::recordings {

namespace {
constexpr int kSlack = 2; // pixels around the box and caption, so antialiased edges are not clipped
} // namespace

SelectAllBox::SelectAllBox(QWidget* parent) : QCheckBox(parent) {
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
}

QSize SelectAllBox::sizeHint() const {
    const int textWidth = fontMetrics().horizontalAdvance(text());
    const int height = std::max(look::kCheckBoxSize, fontMetrics().height()) + kSlack;
    return {look::kCheckBoxSize + look::kSelectAllGap + textWidth + kSlack, height};
}

void SelectAllBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool hovered = underMouse() || hasFocus();
    const QRectF box(0, (height() - look::kCheckBoxSize) / 2.0, look::kCheckBoxSize, look::kCheckBoxSize);
    paintCheckBox(painter, box, CheckBoxLook{isChecked(), hovered, false});
    const QRect textRect = rect().adjusted(look::kCheckBoxSize + look::kSelectAllGap, 0, 0, 0);
    painter.setPen(hovered || isChecked() ? look::kText : look::kIdleText);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
}

bool SelectAllBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

} // namespace kyvo::recordings
