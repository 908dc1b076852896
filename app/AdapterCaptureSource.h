#pragma once
// The pictures of a capture, taken from the player adapter: the frame on
// screen and the frame count from the adapter's members, the pictures from
// the playback library's locked copy, and frame steps queued to the main
// window's thread, where the adapter is operated.
//
// Threads: made on the GUI thread, then called from the capture worker. The
// adapter and the main window must outlive the capture: the main window
// stops the capture before either goes.

#include "CaptureRun.h"

#include <QWidget>

#include <atomic>

namespace kyvo::player {
class ROVUAdap;
}

namespace kyvo::app {

class AdapterCaptureSource : public capture::CaptureSource {
public:
    // `frameShown` is the main window's flag: a frame of the current file is on screen.
    AdapterCaptureSource(player::ROVUAdap& adapter, QWidget* owner, const std::atomic<bool>& frameShown);

    std::uint32_t shownFrame() const override;
    std::uint32_t frameCount() const override;
    bool twoChannels() const override;
    bool copyPicture(int channel, capture::Picture& picture) override;
    void requestStep() override;

private:
    player::ROVUAdap& adapter_;
    QWidget* owner_;
    const std::atomic<bool>& frameShown_;
};

} // namespace kyvo::app
