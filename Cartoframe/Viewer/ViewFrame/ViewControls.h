#pragma once
// Hit rectangles of the on-screen controls that the drawing puts in the
// window's top-left corner, in the order they are tried: the first that
// holds a click wins.

#include "DrawTables.h"

namespace cartoframe {

enum TViewControl : int {
    VF_CONTROL_ZOOM_IN = 0,
    VF_CONTROL_ZOOM_OUT,
    VF_CONTROL_PAN_LEFT,
    VF_CONTROL_PAN_UP,
    VF_CONTROL_PAN_RIGHT,
    VF_CONTROL_PAN_DOWN,
    VF_CONTROL_CENTRE,
    VF_CONTROL_COUNT,
    VF_CONTROL_NONE = -1,
};

// Client pixels, inclusive.
inline constexpr TPixelRect VF_CONTROL_RECTS[VF_CONTROL_COUNT] = {
    DV_ZOOM_IN_BUTTON,  // zoom in: scale step - 1
    DV_ZOOM_OUT_BUTTON, // zoom out: scale step + 1
    {9, 20, 13, 28},    // pan left: centre x - pan step
    {20, 9, 28, 13},    // pan up: centre y + pan step
    {35, 20, 39, 28},   // pan right: centre x + pan step
    {20, 35, 28, 39},   // pan down: centre y - pan step
    {20, 20, 28, 28},   // centre: follow mode on
};

// A pan moves the centre by the scale value times this fraction, in map units.
inline constexpr int VF_PAN_NUMERATOR = 3;
inline constexpr int VF_PAN_DENOMINATOR = 8;

// The control at client pixel (x, y), or VF_CONTROL_NONE.
constexpr TViewControl vf_HitControl(int x, int y) {
    for (int c = 0; c < VF_CONTROL_COUNT; ++c)
        if (VF_CONTROL_RECTS[c].contains(x, y))
            return static_cast<TViewControl>(c);
    return VF_CONTROL_NONE;
}

} // namespace cartoframe
