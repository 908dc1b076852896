#pragma once
// What the player adapter needs from the window system, provided by its owner
// (the main window). Keeps the adapter itself free of any toolkit.

#include <cstdint>

namespace kyvo::player {

class AdapterHost {
public:
    virtual ~AdapterHost() = default;

    // The owner window's handle, as the library is told (code 10).
    virtual std::intptr_t ownerWindow() = 0;
    // A notification to the owner window; safe from any thread, never waits.
    virtual void notifyOwner(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // A synchronous message to one of the library's video windows (GUI thread).
    virtual std::intptr_t sendToWindow(std::intptr_t window, unsigned message, std::uintptr_t wParam,
                                       std::intptr_t lParam) = 0;
    // A queued message to one of the library's video windows; safe from any thread.
    virtual void postToWindow(std::intptr_t window, unsigned message, std::uintptr_t wParam,
                              std::intptr_t lParam) = 0;
    // Moves and shows a video window (GUI thread); false when it failed.
    virtual bool moveWindow(std::intptr_t window, int x, int y, int width, int height) = 0;
    // The recording's view mode does not match the viewer's: show the message
    // (a string id) and end the program (GUI thread).
    virtual void viewModeMismatch(int stringId) = 0;
    // Width of all attached displays side by side, and their height.
    virtual void screenSize(int& width, int& height) = 0;
};

} // namespace kyvo::player
