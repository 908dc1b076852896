#include "VideoPopups.h"

#include "ROVUAdap.h"
#include "VideoPopupLayout.h"

namespace kyvo::video {

namespace geometry = layout::video_popup;

namespace {

// WM_VIDEO_POPUP_OPEN's and WM_POPUP_CLOSED's wParam: the channel plus one.
int channelOf(std::uintptr_t wParam) {
    if (wParam == geometry::kLeftPopup)
        return 0;
    if (wParam == geometry::kRightPopup)
        return 1;
    return -1;
}

// Refresh's window: 1 for channel 0, 2 for channel 1.
int refreshWindow(int channel) {
    return channel + 1;
}

std::atomic<std::intptr_t>& popupWindow(player::ROVUAdap& adapter, int channel) {
    return channel == 0 ? adapter.popupWindow0 : adapter.popupWindow1;
}

std::atomic<int>& popupShown(player::ROVUAdap& adapter, int channel) {
    return channel == 0 ? adapter.popup0Shown : adapter.popup1Shown;
}

// SetVideoRect and SetPopupRect take the rectangle as 16-bit values.
template <class Operation>
void setRect(player::ROVUAdap& adapter, Operation operation, int channel, const layout::Rect& r) {
    adapter.operate(operation, static_cast<std::uint8_t>(channel), static_cast<std::int16_t>(r.left),
                    static_cast<std::int16_t>(r.top), static_cast<std::int16_t>(r.width()),
                    static_cast<std::int16_t>(r.height()));
}

} // namespace

VideoPopups::VideoPopups(player::ROVUAdap& adapter, PopupWindows& windows) : adapter_(adapter), windows_(windows) {}

layout::Rect VideoPopups::inWindowRect(int channel) {
    return geometry::kInWindowByChannel[channel == 0 ? 0 : 1];
}

layout::Rect VideoPopups::popupRect(int channel) {
    return geometry::kByChannel[channel == 0 ? 0 : 1]->video;
}

void VideoPopups::request(std::uintptr_t wParam) {
    const int channel = channelOf(wParam);
    if (channel < 0)
        return;
    if (!windows_.shown(channel)) {
        open(channel);
    } else if (channel == 0) {
        // Channel 0's view toggles: the request closes it.
        windows_.hide(channel);
        returnToWindow(channel);
    } else {
        popupShown(adapter_, channel).store(1);
    }
}

void VideoPopups::closed(std::uintptr_t wParam) {
    const int channel = channelOf(wParam);
    if (channel >= 0)
        returnToWindow(channel);
}

void VideoPopups::open(int channel) {
    const std::intptr_t handle = windows_.placeAndShow(channel);
    setRect(adapter_, &player::ROVUState::SetPopupRect, channel, popupRect(channel));
    popupWindow(adapter_, channel).store(handle);
    popupShown(adapter_, channel).store(1);
    adapter_.operate(&player::ROVUState::Refresh, refreshWindow(channel));
}

void VideoPopups::returnToWindow(int channel) {
    setRect(adapter_, &player::ROVUState::SetVideoRect, channel, inWindowRect(channel));
    popupShown(adapter_, channel).store(0);
    adapter_.operate(&player::ROVUState::Refresh, refreshWindow(channel));
}

} // namespace kyvo::video
