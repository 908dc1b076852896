#pragma once
// Modal dialogs of their own (no parent, so the asking window's style sheet
// stays out of them) that stand centred over the window that asks.

#include <QDialog>
#include <QWidget>

namespace kyvo {

// Runs `dialog` application-modal, centred over `over`'s window (where the
// window manager leaves it when `over` is null). The dialog is shown first
// and placed then: some dialogs settle their size only when shown.
inline int execCentredOver(QDialog& dialog, QWidget* over) {
    dialog.setWindowModality(Qt::ApplicationModal);
    if (over) {
        dialog.show();
        // move() places the frame: centre the frame, not the inside.
        const QRect frame = dialog.frameGeometry();
        dialog.move(over->window()->frameGeometry().center() - (frame.center() - frame.topLeft()));
    }
    return dialog.exec();
}

} // namespace kyvo
