#pragma once
// The main window's side of the player adapter: window messages through the
// platform layer, video windows as widgets, and the program's end when a
// recording's view mode does not match.
//
// Video windows belong to the playback library, which deletes them when its
// player ends. The adapter hands them over as plain handles, so every use
// first finds the handle among the live video windows (widgets named with the
// library's video-window prefix), on the GUI thread: a handle of a window
// that is gone reaches nothing. postToWindow, the one call made from the
// library's threads, only queues that look-up and the message to the owner
// window's thread.

#include "AdapterHost.h"

#include <functional>

class QWidget;

namespace kyvo::app {

class MainAdapterHost : public player::AdapterHost {
public:
    // `endProgram` ends the dialog; it is queued, never run inside the adapter.
    // `owner` outlives the host and the adapter it serves.
    MainAdapterHost(QWidget* owner, std::function<void()> endProgram);

    std::intptr_t ownerWindow() override;
    void notifyOwner(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    // 0 without sending when the window is gone.
    std::intptr_t sendToWindow(std::intptr_t window, unsigned message, std::uintptr_t wParam,
                               std::intptr_t lParam) override;
    // Dropped when the window is gone by the time the message is delivered.
    void postToWindow(std::intptr_t window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    // False when the window is gone.
    bool moveWindow(std::intptr_t window, int x, int y, int width, int height) override;
    void viewModeMismatch(int stringId) override;
    void screenSize(int& width, int& height) override;

    // The live video window at `handle`, or nullptr (GUI thread; the handle is
    // compared, never followed).
    static QWidget* liveVideoWindow(std::intptr_t handle);

private:
    QWidget* owner_;
    std::function<void()> endProgram_;
};

} // namespace kyvo::app
