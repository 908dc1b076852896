#include "AdapterCaptureSource.h"

#include "OrvPlayerAbi.h"
#include "ROVUAdap.h"

#include <QMetaObject>

namespace kyvo::app {

namespace {
constexpr std::size_t kLargestPicture =
    static_cast<std::size_t>(orv::kLargePictureWidth) * orv::kLargePictureHeight * orv::kBytesPerPixel;
} // namespace

AdapterCaptureSource::AdapterCaptureSource(player::ROVUAdap& adapter, QWidget* owner,
                                           const std::atomic<bool>& frameShown)
    : adapter_(adapter), owner_(owner), frameShown_(frameShown) {}

std::uint32_t AdapterCaptureSource::shownFrame() const {
    return frameShown_.load() ? adapter_.frameIndex.load() : 0;
}

std::uint32_t AdapterCaptureSource::frameCount() const {
    return adapter_.frameCount.load();
}

bool AdapterCaptureSource::twoChannels() const {
    return adapter_.channelMode.load() == 2;
}

bool AdapterCaptureSource::copyPicture(int channel, capture::Picture& picture) {
    picture.pixels.resize(kLargestPicture);
    OrvPictureCopy copy{};
    if (!adapter_.library().copyPicture(channel, picture.pixels.data(), picture.pixels.size(), copy))
        return false;
    picture.width = copy.width;
    picture.height = copy.height;
    picture.frameIndex = copy.frameIndex;
    picture.time = copy.time;
    picture.pixels.resize(static_cast<std::size_t>(copy.width) * static_cast<std::size_t>(copy.height) *
                          orv::kBytesPerPixel);
    return true;
}

// The adapter is operated on the GUI thread only: the step is queued there.
void AdapterCaptureSource::requestStep() {
    player::ROVUAdap* adapter = &adapter_;
    QMetaObject::invokeMethod(
        owner_, [adapter] { adapter->operate(&player::ROVUState::FrameStep); }, Qt::QueuedConnection);
}

} // namespace kyvo::app
