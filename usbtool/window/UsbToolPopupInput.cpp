// Keys, closing and dragging of the USB management tool's window.

#include "UsbToolPopup.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

namespace kyvo::usbtool {

namespace {

// Enter and Escape would end a dialog, F4 (and Alt+F4) close it: the tool
// stays until Cancel or the close button hides it.
bool swallowed(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_F4:
        return true;
    default:
        return false;
    }
}

} // namespace

bool UsbToolPopup::eventFilter(QObject* watched, QEvent* event) {
    // Only keys meant for this window; an open drop-down list is a window of
    // its own and keeps its keys.
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && swallowed(static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void UsbToolPopup::keyPressEvent(QKeyEvent* event) {
    if (swallowed(event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

// The close button (and the window system's close): hidden, nothing stored.
void UsbToolPopup::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

void UsbToolPopup::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    // Let the window system move the window, or follow the pointer where it cannot.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    dragging_ = true;
    dragStart_ = event->globalPosition().toPoint() - pos();
}

void UsbToolPopup::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    move(event->globalPosition().toPoint() - dragStart_);
}

void UsbToolPopup::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging_ && event->button() == Qt::LeftButton) {
        dragging_ = false;
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace kyvo::usbtool
