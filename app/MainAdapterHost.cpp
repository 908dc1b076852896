#include "MainAdapterHost.h"

#include "MessageBox.h"
#include "WindowMessage.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace kyvo::app {

MainAdapterHost::MainAdapterHost(QWidget* owner, std::function<void()> endProgram)
    : owner_(owner), endProgram_(std::move(endProgram)) {}

std::intptr_t MainAdapterHost::ownerWindow() {
    return reinterpret_cast<std::intptr_t>(owner_);
}

void MainAdapterHost::notifyOwner(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    postMessage(owner_, message, wParam, lParam);
}

std::intptr_t MainAdapterHost::sendToWindow(std::intptr_t window, unsigned message, std::uintptr_t wParam,
                                            std::intptr_t lParam) {
    return sendMessage(reinterpret_cast<QObject*>(window), message, wParam, lParam);
}

void MainAdapterHost::postToWindow(std::intptr_t window, unsigned message, std::uintptr_t wParam,
                                   std::intptr_t lParam) {
    postMessage(reinterpret_cast<QObject*>(window), message, wParam, lParam);
}

bool MainAdapterHost::moveWindow(std::intptr_t window, int x, int y, int width, int height) {
    auto* widget = reinterpret_cast<QWidget*>(window);
    if (!widget)
        return false;
    widget->setGeometry(x, y, width, height);
    widget->show();
    return true;
}

void MainAdapterHost::viewModeMismatch(int stringId) {
    messageBox(owner_, stringId, MessageIcon::None);
    // The adapter is still on the stack: end the program once it has returned.
    QTimer::singleShot(0, owner_, endProgram_);
}

void MainAdapterHost::screenSize(int& width, int& height) {
    width = 0;
    height = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        width += screen->geometry().width();
        height = screen->geometry().height();
    }
}

} // namespace kyvo::app
