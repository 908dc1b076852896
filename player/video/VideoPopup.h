#pragma once
// An enlarged video popup: a borderless window with a dark frame (a one-pixel
// grey rectangle around a black inside), drawn once into a back buffer that
// paint copies to the screen, and a close button from the skin near its top
// right. The playback library puts the channel's video window into it as a
// child at the popup's video rectangle; the close button always stays above
// whatever child comes.
//
// Created once, then only shown and hidden: setShown() acts only when the
// state changes. Enter, Escape and F4 (with or without Alt), in the popup or
// in any child of it, and the window system's close are swallowed: a popup
// closes only by its button, or by the main window. The button hides the
// popup, then sends WM_POPUP_CLOSED to its parent with the popup's value
// (1 left, 2 right). After every move it runs its moved handler (the main
// window's: the adapter's NotifyMoved, so the library places its window again).
//
// GUI thread only.

#include "VideoPopupLayout.h"
#include "WindowMessage.h"

#include <QImage>

#include <functional>

namespace kyvo {
class SkinButton;
}

namespace kyvo::video {

class VideoPopup : public MessageWindow {
public:
    void setShown(bool shown);
    bool shown() const { return isVisible(); }
    // Moves the popup to its place: from the main window's top left, or at
    // its fixed screen position.
    void place(const QRect& mainWindowRect);
    void setMovedHandler(std::function<void()> moved) { moved_ = std::move(moved); }

    SkinButton* closeButton() const { return closeButton_; }
    const QImage& backBuffer() const { return buffer_; }
    // Where the channel's picture stands inside the popup.
    QRect videoRect() const;
    // The value WM_POPUP_CLOSED carries for this popup.
    WParam closedValue() const { return look_.closedValue; }

protected:
    struct Look {
        const layout::video_popup::PopupGeometry& geometry;
        int closeControl;
        int closeNormal;  // skin ids of the close button's images
        int closePressed;
        WParam closedValue;
    };

    VideoPopup(QWidget* parent, const Look& look);

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void drawFrame();
    void onClose();

    Look look_;
    QImage buffer_;
    SkinButton* closeButton_ = nullptr; // a child, owned by Qt
    std::function<void()> moved_;
};

// Key presses every video popup swallows: Enter, Escape and F4 (also with Alt).
bool isSwallowedVideoPopupKey(int key);

} // namespace kyvo::video
