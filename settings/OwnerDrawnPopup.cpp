#include "OwnerDrawnPopup.h"

#include "Fonts.h"
#include "FolderBrowser.h"
#include "FolderText.h"
#include "LayoutPainting.h"
#include "PopupLayout.h"
#include "PopupTexts.h"
#include "SkinButton.h"
#include "SkinIds.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

namespace kyvo {

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
    painter.fillRect(buffer_.rect(), toQColor(frame_.fill));
    drawBox(painter, layout::Rect::sized(0, 0, frame_.size.width, frame_.size.height), settings::popup::kBorder);
    drawText(painter, settings::popup::kTitleAt, title(), frame_.titleFont, settings::popup::kTitleColour);
    painter.fillRect(settings::popup::kRuleLeft, settings::popup::kRuleY, frame_.ruleRight - settings::popup::kRuleLeft,
                     settings::popup::kRuleWidth, toQColor(settings::popup::kRuleColour));
    drawContent(painter);
    painter.end();
    update();
}

void OwnerDrawnPopup::drawText(QPainter& painter, layout::Point at, const QString& text, int tenthsOfPoint,
                               layout::Rgb colour) const {
    painter.setFont(pointFont(tenthsOfPoint, scale_));
    painter.setPen(toQColor(colour));
    drawTextAt(painter, at, text);
}

void OwnerDrawnPopup::drawCentredText(QPainter& painter, int y, const QString& text, int tenthsOfPoint,
                                      layout::Rgb colour) const {
    const QFont font = pointFont(tenthsOfPoint, scale_);
    const int width = QFontMetrics(font).horizontalAdvance(text);
    drawText(painter, {(frame_.size.width - width) / 2, y}, text, tenthsOfPoint, colour);
}

std::optional<std::string> OwnerDrawnPopup::browseFolder(const std::string& current) {
    const QString chosen = kyvo::browseForFolder(this, QString::fromUtf8(settings::popup::kFolderBrowserTitle),
                                                 browseStartFolder(QString::fromStdString(current)));
    if (chosen.isEmpty())
        return std::nullopt;
    return settings::withTrailingSeparator(chosen.toStdString());
}

void OwnerDrawnPopup::drawBox(QPainter& painter, layout::Rect rect, layout::Rgb colour) {
    painter.setPen(toQColor(colour));
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
