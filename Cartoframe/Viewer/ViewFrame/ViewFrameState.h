#pragma once
// The map window's module-wide state, shared by the units of the window's
// logic (not part of its interface). One map window per process; used only on
// the thread that owns the window.

#include "BackBuffer.h"
#include "ViewFrame.h"

namespace cartoframe::viewframe {

struct TFrameState {
    const void* window = nullptr; // the window layer's token; null: no window
    char mapFolder[VF_MAP_FOLDER_MAX + 1] = {};
    TWindowGeometry geometry;
    TBackBuffer buffer;
    TStartStep startStep = VF_STEP_NO_WINDOW;
    TViewState view;
};

TFrameState& state();

// Draws the picture for the current view into the back buffer: the centre
// comes from the current position in follow mode, else the stored centre.
// Answers whether a picture was drawn (the window must repaint).
bool redraw();

} // namespace cartoframe::viewframe
