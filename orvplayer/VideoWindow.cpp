#include "VideoWindow.h"

#include "OrvPlayerAbi.h"
#include "WindowMessage.h"

#include <QMouseEvent>
#include <QPainter>

namespace orv {

VideoWindow::VideoWindow(int channel, std::shared_ptr<PictureBuffers> pictures,
                         std::function<void(unsigned, std::uintptr_t)> onMessage, QWidget* parent)
    : QWidget(parent), channel_(channel), owner_(parent), pictures_(std::move(pictures)),
      onMessage_(std::move(onMessage)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setObjectName(QLatin1String(kVideoWindowObjectName) + QString::number(channel));
}

bool VideoWindow::event(QEvent* event) {
    if (auto* message = dynamic_cast<kyvo::WindowMessage*>(event)) {
        switch (message->message()) {
        case kMsgGetTimeLength:
        case kMsgPlaced:
        case kMsgFrameStep:
        case kMsgRedrawPrepare:
        case kMsgRedraw:
            onMessage_(message->message(), message->wParam());
            message->result = 0;
            return true;
        default:
            break;
        }
    }
    return QWidget::event(event);
}

void VideoWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const PictureBuffers::View view = pictures_->beginRead();
    if (view.pixels && view.content.width > 0 && view.content.height > 0) {
        const QImage picture(view.pixels, view.width, view.height, view.width * kBytesPerPixel,
                             QImage::Format_RGB32);
        // The video part of the picture, fitted to the window with its aspect.
        const QRect source(view.content.x, view.content.y, view.content.width, view.content.height);
        QSize fitted = source.size().scaled(size(), Qt::KeepAspectRatio);
        QRect target(QPoint(0, 0), fitted);
        target.moveCenter(rect().center());
        painter.fillRect(rect(), Qt::black);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, picture, source);
    } else {
        painter.fillRect(rect(), Qt::black);
    }
    pictures_->endRead();
}

// Posted, not sent: the owner may move this very window into a popup, which
// it must not do inside this window's own event handler.
void VideoWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !owner_) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    kyvo::postMessage(owner_, kMsgVideoPopupOpen, static_cast<kyvo::WParam>(channel_ + 1), 0);
    event->accept();
}

} // namespace orv
