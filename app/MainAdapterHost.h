#pragma once
// The main window's side of the player adapter: window messages through the
// platform layer, video windows as widgets, and the program's end when a
// recording's view mode does not match.

#include "AdapterHost.h"

#include <functional>

class QWidget;

namespace kyvo::app {

class MainAdapterHost : public player::AdapterHost {
public:
    // `endProgram` ends the dialog; it is queued, never run inside the adapter.
    MainAdapterHost(QWidget* owner, std::function<void()> endProgram);

    std::intptr_t ownerWindow() override;
    void notifyOwner(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    std::intptr_t sendToWindow(std::intptr_t window, unsigned message, std::uintptr_t wParam,
                               std::intptr_t lParam) override;
    void postToWindow(std::intptr_t window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    bool moveWindow(std::intptr_t window, int x, int y, int width, int height) override;
    void viewModeMismatch(int stringId) override;
    void screenSize(int& width, int& height) override;

private:
    QWidget* owner_;
    std::function<void()> endProgram_;
};

} // namespace kyvo::app
