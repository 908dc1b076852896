// Keyboard and mouse of the main window: Enter and Escape never end the
// dialog (Enter in the password edit checks the password), and the top strip
// of the window drags it.

#include "CJXQ_PCMgrDlg.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWindow>

namespace kyvo::app {

namespace {

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

bool CJXQ_PCMgrDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return MessageWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != this && !isAncestorOf(widget)))
        return MessageWindow::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (isEnter(key)) {
        if (widget == passwordEdit_)
            checkPassword();
        return true;
    }
    if (key == Qt::Key_Escape)
        return true;
    // Ctrl+E: the trip of the recording that plays, as GPX in the backup folder.
    if (unlocked_ && widget != passwordEdit_ && key == Qt::Key_E &&
        (static_cast<QKeyEvent*>(event)->modifiers() & Qt::ControlModifier)) {
        exportTrip();
        return true;
    }
    // The step controls are keys: arrows one second back and forward, "." one frame.
    if (unlocked_ && widget != passwordEdit_ && stepKey(key))
        return true;
    return MessageWindow::eventFilter(watched, event);
}

void CJXQ_PCMgrDlg::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && at.y() < kCaptionHeight) {
        // The top strip acts as the caption: let the window system move the
        // window, or follow the mouse where it cannot.
        if (windowHandle() && windowHandle()->startSystemMove())
            return;
        draggingWindow_ = true;
        dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
        return;
    }
    // While a knob or the thumb is dragged further presses are left alone.
    if (event->button() == Qt::LeftButton && unlocked_ && !dragInProgress_ && controlsPress(at.x(), at.y()))
        return;
    MessageWindow::mousePressEvent(event);
}

void CJXQ_PCMgrDlg::mouseMoveEvent(QMouseEvent* event) {
    if (draggingWindow_) {
        move(event->globalPosition().toPoint() - dragOffset_);
        return;
    }
    if (dragInProgress_ && dragTarget_ != DragTarget::ListThumb) {
        controlsDrag(event->position().toPoint().x());
        return;
    }
    if (dragInProgress_ && dragTarget_ == DragTarget::ListThumb) {
        const QPoint at = event->position().toPoint();
        const bool pageChanged = listPanel_.list().dragThumb(at.x(), at.y());
        // The scroll bar alone, or the whole panel when the page changed.
        invalidate(pageChanged ? kListPanelRepaint : kListScrollBarRepaint);
        return;
    }
    MessageWindow::mouseMoveEvent(event);
}

void CJXQ_PCMgrDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (draggingWindow_) {
        draggingWindow_ = false;
        windowRect_ = QRect(pos(), size());
        return;
    }
    if (dragInProgress_) {
        releaseMouse();
        controlsRelease();
        listPanel_.list().releaseThumb();
        dragInProgress_ = false;
        return;
    }
    MessageWindow::mouseReleaseEvent(event);
}

// Only a double click on a play-list row does something. Qt would otherwise
// hand the second click of the pair to mousePressEvent again, turning two
// pages or toggling the picture twice.
void CJXQ_PCMgrDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && unlocked_ && !dragInProgress_)
        playListDoubleClick(at.x(), at.y());
    event->accept();
}

} // namespace kyvo::app
