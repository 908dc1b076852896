#include "MainAdapterHost.h"

#include "MessageBox.h"
#include "OrvPlayerAbi.h"
#include "WindowMessage.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace kyvo::app {

MainAdapterHost::MainAdapterHost(QWidget* owner, std::function<void()> endProgram)
    : owner_(owner), endProgram_(std::move(endProgram)) {}

std::intptr_t MainAdapterHost::ownerWindow() {
    return reinterpret_cast<std::intptr_t>(owner_);
}

void MainAdapterHost::notifyOwner(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    postMessage(owner_, message, wParam, lParam);
}

QWidget* MainAdapterHost::liveVideoWindow(std::intptr_t handle) {
    if (!handle)
        return nullptr;
    const QWidgetList widgets = QApplication::allWidgets();
    const auto found = std::find_if(widgets.begin(), widgets.end(), [handle](const QWidget* widget) {
        return reinterpret_cast<std::intptr_t>(widget) == handle;
    });
    if (found == widgets.end() || !(*found)->objectName().startsWith(QLatin1String(orv::kVideoWindowObjectName)))
        return nullptr;
    return *found;
}

std::intptr_t MainAdapterHost::sendToWindow(std::intptr_t window, unsigned message, std::uintptr_t wParam,
                                            std::intptr_t lParam) {
    QWidget* target = liveVideoWindow(window);
    return target ? sendMessage(target, message, wParam, lParam) : 0;
}

void MainAdapterHost::postToWindow(std::intptr_t window, unsigned message, std::uintptr_t wParam,
                                   std::intptr_t lParam) {
    // Called on the library's threads: the window is looked for on the GUI
    // thread, when the message is due.
    QMetaObject::invokeMethod(
        owner_,
        [window, message, wParam, lParam] {
            if (QWidget* target = liveVideoWindow(window))
                sendMessage(target, message, wParam, lParam);
        },
        Qt::QueuedConnection);
}

bool MainAdapterHost::moveWindow(std::intptr_t window, int x, int y, int width, int height) {
    QWidget* widget = liveVideoWindow(window);
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
    for (const QScreen* screen : QApplication::screens()) {
        width += screen->geometry().width();
        height = screen->geometry().height();
    }
}

} // namespace kyvo::app
