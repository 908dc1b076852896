#pragma once
// What the main window does when the playback library asks for a channel's
// enlarged view (WM_VIDEO_POPUP_OPEN) and when a popup's close button hid it
// (WM_POPUP_CLOSED): it shows or hides the channel's popup and tells the
// adapter where the channel's picture now stands.
//
// The order matters. The library decides where a video window goes when it
// is told to redraw (Refresh) and asks the adapter then for the popup's
// window and shown flag; so both are set before Refresh. The rectangle for
// the other place is set while the picture is still where it was, and the
// adapter only stores it (it moves a window only where its channel shows):
// the picture never flashes at popup size inside the main window, nor at
// window size inside a popup.
//
// GUI thread only (the adapter's owner operations).

#include "PixelGeometry.h"

#include <cstdint>

namespace kyvo::player {
class ROVUAdap;
}

namespace kyvo::video {

inline constexpr int kChannels = 2;

// The popup windows as this logic drives them; the main window implements it
// over VideoPopupLeft (channel 0) and VideoPopupRight (channel 1).
class PopupWindows {
public:
    virtual ~PopupWindows() = default;
    // Whether the channel's popup exists and is shown.
    virtual bool shown(int channel) const = 0;
    // Creates the channel's popup on first use, places and shows it; answers
    // its window handle (as the library is told with codes 25 and 28).
    virtual std::intptr_t placeAndShow(int channel) = 0;
    virtual void hide(int channel) = 0;
};

class VideoPopups {
public:
    VideoPopups(player::ROVUAdap& adapter, PopupWindows& windows);

    // WM_VIDEO_POPUP_OPEN. wParam 1: channel 0's popup opens, or closes when
    // it is shown already; 2: channel 1's popup opens and stays open on a
    // second request. Any other value does nothing.
    void request(std::uintptr_t wParam);
    // WM_POPUP_CLOSED. The popup of wParam (1 or 2) has hidden itself: its
    // channel's picture returns to the main window.
    void closed(std::uintptr_t wParam);

    // The rectangle inside the main window where the channel is drawn while
    // no popup shows it, and the one inside its popup.
    static layout::Rect inWindowRect(int channel);
    static layout::Rect popupRect(int channel);

private:
    void open(int channel);
    void returnToWindow(int channel);

    player::ROVUAdap& adapter_;
    PopupWindows& windows_;
};

} // namespace kyvo::video
