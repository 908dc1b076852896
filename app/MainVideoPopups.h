#pragma once
// The main window's enlarged video popups: VideoPopupLeft (channel 0) and
// VideoPopupRight (channel 1), each created on first use and then only shown
// and hidden, and the logic that opens and closes them on the adapter. The
// main window owns this from the first request to its shutdown; the popups
// are its children (top-level windows over it).
//
// GUI thread only.

#include "VideoPopups.h"

#include <QRect>

#include <functional>

class QWidget;

namespace kyvo::video {
class VideoPopup;
class VideoPopupLeft;
class VideoPopupRight;
} // namespace kyvo::video

namespace kyvo::app {

class MainVideoPopups : public video::PopupWindows {
public:
    // `mainWindow` is the popups' parent (WM_POPUP_CLOSED goes to it and the
    // right popup stands relative to it); `moved` runs whenever a popup moves.
    MainVideoPopups(QWidget* mainWindow, player::ROVUAdap& adapter, std::function<void()> moved);
    ~MainVideoPopups() override;
    MainVideoPopups(const MainVideoPopups&) = delete;
    MainVideoPopups& operator=(const MainVideoPopups&) = delete;

    // WM_VIDEO_POPUP_OPEN and WM_POPUP_CLOSED.
    void request(std::uintptr_t wParam) { logic_.request(wParam); }
    void closed(std::uintptr_t wParam) { logic_.closed(wParam); }

    // Null until first used.
    video::VideoPopupLeft* left() const { return left_; }
    video::VideoPopupRight* right() const { return right_; }

    bool shown(int channel) const override;
    std::intptr_t placeAndShow(int channel) override;
    void hide(int channel) override;

private:
    video::VideoPopup* popup(int channel) const;

    QWidget* mainWindow_;
    std::function<void()> moved_;
    video::VideoPopups logic_;
    video::VideoPopupLeft* left_ = nullptr;   // owned
    video::VideoPopupRight* right_ = nullptr; // owned
};

} // namespace kyvo::app
