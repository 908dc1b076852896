#include "VideoPopup.h"

#include "LayoutPainting.h"
#include "SkinButton.h"
#include "SkinIds.h"
#include "VideoPopupLeft.h"
#include "VideoPopupRight.h"
#include "ViewerMessages.h"

#include <QChildEvent>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QPaintEvent>
#include <QPainter>

namespace kyvo::video {

namespace geometry = layout::video_popup;

bool isSwallowedVideoPopupKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_F4;
}

namespace {

bool swallowed(const QEvent* event) {
    return event->type() == QEvent::KeyPress && isSwallowedVideoPopupKey(static_cast<const QKeyEvent*>(event)->key());
}

} // namespace

VideoPopup::VideoPopup(QWidget* parent, const Look& look)
    : MessageWindow(parent, Qt::Tool | Qt::FramelessWindowHint), look_(look),
      buffer_(look.geometry.size.width, look.geometry.size.height, QImage::Format_RGB32) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFixedSize(look.geometry.size.width, look.geometry.size.height);
    drawFrame();
    closeButton_ = new SkinButton(look.closeControl, this);
    closeButton_->loadBitmaps(look.closeNormal, look.closePressed);
    closeButton_->sizeToContent();
    closeButton_->move(look.geometry.closeButton.x, look.geometry.closeButton.y);
    connect(closeButton_, &QAbstractButton::clicked, this, [this] { onClose(); });
    hide();
}

void VideoPopup::setShown(bool shown) {
    if (shown == isVisible())
        return;
    if (shown) {
        show();
        raise();
    } else {
        hide();
    }
}

void VideoPopup::place(const QRect& mainWindowRect) {
    const layout::Point at = look_.geometry.place;
    if (look_.geometry.fromMainWindow)
        move(mainWindowRect.left() + at.x, mainWindowRect.top() + at.y);
    else
        move(at.x, at.y);
}

QRect VideoPopup::videoRect() const {
    return toQRect(look_.geometry.video);
}

void VideoPopup::drawFrame() {
    QPainter painter(&buffer_);
    painter.fillRect(buffer_.rect(), toQColor(geometry::kInside));
    painter.setPen(toQColor(geometry::kFrameColour));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, buffer_.width() - 1, buffer_.height() - 1);
}

// A child that comes (the library's video window, when it moves in) goes
// under the close button, and its keys pass the popup first.
bool VideoPopup::event(QEvent* event) {
    if (swallowed(event)) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::ChildAdded) {
        auto* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType() && child != closeButton_) {
            child->installEventFilter(this);
            if (closeButton_)
                closeButton_->raise();
        }
    }
    return MessageWindow::event(event);
}

// A child that has left (the video window back in the main window) keeps the
// filter, which then lets everything pass.
bool VideoPopup::eventFilter(QObject* watched, QEvent* event) {
    if (watched->parent() == this && swallowed(event)) {
        event->accept();
        return true;
    }
    return MessageWindow::eventFilter(watched, event);
}

void VideoPopup::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(event->rect(), buffer_, event->rect());
}

void VideoPopup::moveEvent(QMoveEvent* event) {
    MessageWindow::moveEvent(event);
    if (moved_)
        moved_();
}

void VideoPopup::closeEvent(QCloseEvent* event) {
    event->ignore(); // Alt+F4 and the window manager's close
}

void VideoPopup::onClose() {
    setShown(false);
    if (QWidget* parent = parentWidget())
        sendMessage(parent, WM_POPUP_CLOSED, look_.closedValue, 0);
}

VideoPopupLeft::VideoPopupLeft(QWidget* parent)
    : VideoPopup(parent, {geometry::kLeft, geometry::kLeftCloseControl, skin::kLeftPopupCloseNormal,
                          skin::kLeftPopupClosePressed, geometry::kLeftPopup}) {}

VideoPopupRight::VideoPopupRight(QWidget* parent)
    : VideoPopup(parent, {geometry::kRight, geometry::kRightCloseControl, skin::kRightPopupCloseNormal,
                          skin::kRightPopupClosePressed, geometry::kRightPopup}) {}

} // namespace kyvo::video
