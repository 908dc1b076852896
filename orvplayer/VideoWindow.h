#pragma once
// A video window of the player: a child widget of the client's window that
// shows its channel's newest picture, scaled to the window. It lives on the
// GUI thread; the client's messages to it are handed to the player thread.

#include "PictureBuffers.h"

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

private:
    int channel_;
    std::shared_ptr<PictureBuffers> pictures_;
    std::function<void(unsigned, std::uintptr_t)> onMessage_;
};

} // namespace orv
