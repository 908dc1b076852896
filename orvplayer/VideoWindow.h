#pragma once
// A video window of the player: a child widget of the client's window that
// shows its channel's newest picture, scaled to the window. It lives on the
// GUI thread; the client's messages to it are handed to the player thread.
// A double click asks the client's window (the owner, its first parent) for
// the channel's enlarged view; the window may since stand in a popup.

#include "PictureBuffers.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

namespace orv {

class VideoWindow : public QWidget {
public:
    // `onMessage` receives the client's messages (value, wParam); it must only queue work.
    VideoWindow(int channel, std::shared_ptr<PictureBuffers> pictures,
                std::function<void(unsigned, std::uintptr_t)> onMessage, QWidget* parent);

    int channel() const { return channel_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int channel_;
    QPointer<QWidget> owner_;
    std::shared_ptr<PictureBuffers> pictures_;
    std::function<void(unsigned, std::uintptr_t)> onMessage_;
};

} // namespace orv
