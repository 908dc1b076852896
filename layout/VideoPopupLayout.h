#pragma once
// The enlarged video popups: where each stands on the screen, its size, its
// close button, and the rectangle inside it that the channel's picture fills.
// Read by the popups, by the logic that opens and closes them and by the
// skin generator, which draws the close buttons.
//
// The left popup shows channel 0, the right one channel 1. Both are a dark
// frame: a one-pixel grey rectangle around a black inside. The picture stands
// below the close button's row, so the button is never covered by it.

#include "MainScreenLayout.h"
#include "PixelGeometry.h"

#include <array>

namespace kyvo::layout::video_popup {

inline constexpr Rgb kFrameColour = rgb(0x969696); // RGB(150, 150, 150)
inline constexpr Rgb kInside = rgb(0x000000);

// Close buttons: control ids, and their images' size (the skin's bitmaps).
inline constexpr int kLeftCloseControl = 1056;
inline constexpr int kRightCloseControl = 1055;
inline constexpr Size kCloseButtonSize{45, 25};

// The message each popup sends its parent when its close button hides it
// (WM_POPUP_CLOSED's wParam): the request value of its channel.
inline constexpr int kLeftPopup = 1;
inline constexpr int kRightPopup = 2;

struct PopupGeometry {
    // Screen position: absolute for the left popup, from the main window's
    // top left for the right one (see fromMainWindow).
    Point place;
    bool fromMainWindow;
    Size size;
    Point closeButton;
    // Where the picture stands inside the popup (the adapter's popup rectangle).
    Rect video;
};

// Channel 0: over the left part of the screen, whatever the main window's place.
inline constexpr PopupGeometry kLeft{
    {0, 10}, false, {960, 530}, {908, 0}, Rect::sized(5, 35, 950, 490),
};
// Channel 1: over the main window, a picture of 640 x 480 at its natural size.
inline constexpr PopupGeometry kRight{
    {185, 130}, true, {650, 520}, {598, 0}, Rect::sized(5, 35, 640, 480),
};

inline constexpr std::array<const PopupGeometry*, 2> kByChannel{&kLeft, &kRight};

// The close button lies inside the popup, the picture inside the frame and
// wholly below the button's row.
constexpr bool laidOutInside(const PopupGeometry& g) {
    const Rect all = Rect::sized({0, 0}, g.size);
    const Rect inside = Rect::edges(1, 1, g.size.width - 1, g.size.height - 1);
    const Rect button = Rect::sized(g.closeButton, kCloseButtonSize);
    return all.contains(button) && inside.contains(g.video) && g.video.top >= button.bottom;
}
static_assert(laidOutInside(kLeft) && laidOutInside(kRight));

// The channels' pictures inside the main window while no popup shows them:
// the rear takes the map's panel (the map is hidden with two channels), its
// picture letterboxed there.
inline constexpr Rect kChannel0InWindow = kVideo;
inline constexpr Rect kChannel1InWindow = kMap;
inline constexpr std::array<Rect, 2> kInWindowByChannel{kChannel0InWindow, kChannel1InWindow};

} // namespace kyvo::layout::video_popup
