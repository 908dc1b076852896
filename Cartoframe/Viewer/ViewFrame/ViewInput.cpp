// What the map window's events do to the view: the position message, keys
// and clicks on the on-screen controls.
#include "ViewControls.h"
#include "ViewFrameState.h"

#include "DrawView.h"

#include <algorithm>
#include <cstring>

namespace cartoframe {

using viewframe::redraw;
using viewframe::state;
using viewframe::TFrameState;

namespace {

unsigned handledWithRedraw() { return VF_HANDLED | (redraw() ? VF_REPAINT : 0u); }

unsigned zoomTo(TViewState& v, int step) {
    // A step past either end of the scale changes nothing and draws nothing.
    if (!dv_IsScaleStep(step))
        return VF_HANDLED;
    v.step = step;
    return handledWithRedraw();
}

// Panning stops at the edges of the world, so no number of clicks overflows.
constexpr int CENTRE_LIMIT_X = 180 * DV_MAP_UNITS_PER_DEGREE;
constexpr int CENTRE_LIMIT_Y = 90 * DV_MAP_UNITS_PER_DEGREE;

unsigned pan(TViewState& v, int dx, int dy) {
    const int units = dv_ScaleValue(v.step) * VF_PAN_NUMERATOR / VF_PAN_DENOMINATOR;
    v.follow = false;
    v.centre.x = std::clamp(v.centre.x + dx * units, -CENTRE_LIMIT_X, CENTRE_LIMIT_X);
    v.centre.y = std::clamp(v.centre.y + dy * units, -CENTRE_LIMIT_Y, CENTRE_LIMIT_Y);
    return handledWithRedraw();
}

} // namespace

unsigned vf_PositionMessage(const void* record) {
    TFrameState& s = state();
    if (!s.window || !record)
        return s.window ? VF_HANDLED : VF_IGNORED;
    // The host's record may sit at any address: copy it out before reading.
    TGisPosition p;
    std::memcpy(&p, record, sizeof p);
    if (p.add == 0) {
        s.view.last = p;
        s.view.current = TGisPosition{};
        dv_TrackClear();
        return VF_HANDLED;
    }
    if (!dv_IsValidPosition(p))
        return VF_HANDLED;
    s.view.last = p;
    s.view.current = p;
    dv_TrackAdd(dv_ToMapUnits(p));
    return handledWithRedraw();
}

unsigned vf_KeyDown(TViewKey key) {
    TFrameState& s = state();
    if (!s.window)
        return VF_IGNORED;
    switch (key) {
    case VF_KEY_ESCAPE:
        vf_Close(s.window);
        return VF_HANDLED | VF_CLOSE;
    case VF_KEY_P:
    case VF_KEY_F1:
        s.view.screenshotSize = dv_WriteScreenshot(s.view.last);
        return VF_HANDLED;
    default:
        return VF_IGNORED;
    }
}

unsigned vf_Click(int x, int y) {
    TFrameState& s = state();
    if (!s.window)
        return VF_IGNORED;
    // Until the chain has drawn its first picture the controls do nothing.
    if (s.startStep != VF_STEP_READY)
        return VF_HANDLED;
    TViewState& v = s.view;
    switch (vf_HitControl(x, y)) {
    case VF_CONTROL_ZOOM_IN:
        return zoomTo(v, v.step - 1);
    case VF_CONTROL_ZOOM_OUT:
        return zoomTo(v, v.step + 1);
    case VF_CONTROL_PAN_LEFT:
        return pan(v, -1, 0);
    case VF_CONTROL_PAN_UP:
        return pan(v, 0, 1);
    case VF_CONTROL_PAN_RIGHT:
        return pan(v, 1, 0);
    case VF_CONTROL_PAN_DOWN:
        return pan(v, 0, -1);
    case VF_CONTROL_CENTRE:
        v.follow = true;
        v.centre = dv_ToMapUnits(v.current);
        return handledWithRedraw();
    default:
        return VF_HANDLED;
    }
}

} // namespace cartoframe
