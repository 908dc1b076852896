#include "WindowMessage.h"

#include <QCoreApplication>

namespace kyvo {

WindowMessage::WindowMessage(unsigned message, WParam wParam, LParam lParam)
    : QEvent(static_cast<QEvent::Type>(message)), message_(message), wParam_(wParam), lParam_(lParam) {
    Q_ASSERT(message >= kFirstMessage && message <= kLastMessage);
}

bool WindowMessage::isWindowMessage(const QEvent* event) {
    return dynamic_cast<const WindowMessage*>(event) != nullptr;
}

LResult sendMessage(QObject* target, unsigned message, WParam wParam, LParam lParam) {
    if (!target)
        return 0;
    WindowMessage msg(message, wParam, lParam);
    QCoreApplication::sendEvent(target, &msg);
    return msg.result;
}

void postMessage(QObject* target, unsigned message, WParam wParam, LParam lParam) {
    if (!target)
        return;
    QCoreApplication::postEvent(target, new WindowMessage(message, wParam, lParam));
}

MessageWindow::MessageWindow(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {}

LResult MessageWindow::windowMessage(unsigned, WParam, LParam) {
    return 0;
}

bool MessageWindow::event(QEvent* event) {
    const auto type = static_cast<unsigned>(event->type());
    if (type < kFirstMessage || type > kLastMessage)
        return QWidget::event(event);
    if (auto* msg = dynamic_cast<WindowMessage*>(event)) {
        msg->result = windowMessage(msg->message(), msg->wParam(), msg->lParam());
        return true;
    }
    return QWidget::event(event);
}

} // namespace kyvo
