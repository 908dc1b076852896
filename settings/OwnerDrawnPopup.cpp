#include "OwnerDrawnPopup.h"

#include "Fonts.h"
#include "PopupLayout.h"
#include "SkinButton.h"
#include "SkinIds.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

namespace kyvo {

namespace {

QColor toColor(layout::Rgb rgb) {
    return QColor(rgb.red(), rgb.green(), rgb.blue());
}

QRect toQRect(layout::Rect r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

} // namespace

bool isSwallowedPopupKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_F4;
}

OwnerDrawnPopup::OwnerDrawnPopup(QWidget* parent, const Frame& frame)
    : MessageWindow(parent, Qt::Tool | Qt::FramelessWindowHint), frame_(frame),
      buffer_(frame.size.width, frame.size.height, QImage::Format_RGB32) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFixedSize(frame.size.width, frame.size.height);
    scale_ = displayScale(parent);
    closeButton_ = addButton(frame.closeId, skin::kPopupCloseNormal, skin::kPopupClosePressed, frame.close);
    connect(closeButton_, &QAbstractButton::clicked, this, [this] { onClose(); });
    hide();
}

SkinButton* OwnerDrawnPopup::addButton(int controlId, int normalId, int pressedId, layout::Rect rect) {
    auto* button = new SkinButton(controlId, this);
    if (normalId != 0)
        button->loadBitmaps(normalId, pressedId);
    button->setGeometry(toQRect(rect));
    return button;
}

void OwnerDrawnPopup::setShown(bool shown) {
    if (shown == isVisible())
        return;
    if (shown) {
        redraw();
        show();
        raise();
        activateWindow();
    } else {
        hide();
    }
}

void OwnerDrawnPopup::placeFrom(const QRect& mainWindowRect, layout::Point offset) {
    move(mainWindowRect.left() + offset.x, mainWindowRect.top() + offset.y);
}

void OwnerDrawnPopup::redraw() {
    QPainter painter(&buffer_);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(buffer_.rect(), toColor(frame_.fill));
    drawBox(painter, layout::Rect::sized(0, 0, frame_.size.width, frame_.size.height), settings::popup::kBorder);
    drawText(painter, settings::popup::kTitleAt, title(), frame_.titleFont, settings::popup::kTitleColour);
    painter.fillRect(settings::popup::kRuleLeft, settings::popup::kRuleY, frame_.ruleRight - settings::popup::kRuleLeft,
                     settings::popup::kRuleWidth, toColor(settings::popup::kRuleColour));
    drawContent(painter);
    painter.end();
    update();
}

void OwnerDrawnPopup::drawText(QPainter& painter, layout::Point at, const QString& text, int tenthsOfPoint,
                               layout::Rgb colour) const {
    const QFont font = pointFont(tenthsOfPoint, scale_);
    painter.setFont(font);
    painter.setPen(toColor(colour));
    painter.drawText(at.x, at.y + QFontMetrics(font).ascent(), text);
}

void OwnerDrawnPopup::drawCentredText(QPainter& painter, int y, const QString& text, int tenthsOfPoint,
                                      layout::Rgb colour) const {
    const QFont font = pointFont(tenthsOfPoint, scale_);
    const int width = QFontMetrics(font).horizontalAdvance(text);
    drawText(painter, {(frame_.size.width - width) / 2, y}, text, tenthsOfPoint, colour);
}

void OwnerDrawnPopup::drawBox(QPainter& painter, layout::Rect rect, layout::Rgb colour) {
    painter.setPen(toColor(colour));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.left, rect.top, rect.width() - 1, rect.height() - 1);
}

void OwnerDrawnPopup::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, buffer_);
}

void OwnerDrawnPopup::keyPressEvent(QKeyEvent* event) {
    if (isSwallowedPopupKey(event->key())) {
        event->accept();
        return;
    }
    MessageWindow::keyPressEvent(event);
}

void OwnerDrawnPopup::closeEvent(QCloseEvent* event) {
    event->ignore(); // Alt+F4 and the window manager's close
}

} // namespace kyvo
