// Opening, the start-up chain, redrawing and the tear-down of the map window.
#include "ViewFrameState.h"

#include "Diagnostics.h"
#include "DrawTables.h"
#include "DrawView.h"
#include "FileList.h"
#include "FileProcess.h"

#include <algorithm>
#include <iterator>

namespace cartoframe {
namespace viewframe {

TFrameState& state() {
    static TFrameState s;
    return s;
}

bool redraw() {
    TFrameState& s = state();
    if (s.startStep != VF_STEP_READY)
        return false;
    TViewState& v = s.view;
    const TMapPoint vehicle = dv_ToMapUnits(v.current);
    if (v.follow)
        v.centre = vehicle;
    TDrawRequest request;
    request.centre = v.centre;
    request.step = v.step;
    request.follow = v.follow;
    request.vehicle = vehicle;
    request.heading = dv_HeadingDegrees(v.current.heading);
    if (dv_DrawPicture(request) != 0)
        return false;
    if (const TCanvas* canvas = dv_Canvas())
        s.buffer.copyFrom(*canvas);
    return true;
}

namespace {

void resetView(TViewState& v) {
    v = TViewState{};
    v.step = DV_START_STEP;
    v.follow = true;
}

// Steps a to e; answers the step that failed, or VF_STEP_READY.
TStartStep runStartUpChain(TFrameState& s, int clientWidth, int clientHeight) {
    if (!s.buffer.create(clientWidth, clientHeight, VF_BUFFER_DEPTH)) {
        dbg_Print("Viewer: no back buffer for a client area of %d x %d!\n", clientWidth, clientHeight);
        return VF_STEP_BUFFER;
    }
    if (fp_Setup(s.mapFolder) != 0)
        return VF_STEP_FILE_STORE;
    if (fp_ReadFileList() != 0)
        return VF_STEP_FILE_LIST;
    if (mp_LoadMapFiles() != 0)
        return VF_STEP_MAP_FILES;
    if (dv_InitDraw(clientWidth, clientHeight) != 0)
        return VF_STEP_DRAWING;
    // The first picture belongs to the last step: without it there is nothing to show.
    s.startStep = VF_STEP_READY;
    if (!redraw()) {
        s.startStep = VF_STEP_DRAWING;
        return VF_STEP_DRAWING;
    }
    return VF_STEP_READY;
}

} // namespace
} // namespace viewframe

using viewframe::state;
using viewframe::TFrameState;

bool vf_PrepareOpen(const TOpenRequest& request) {
    TFrameState& s = state();
    if (s.window)
        return false;
    char folder[VF_MAP_FOLDER_MAX + 1];
    if (!vf_BuildMapFolder(request.mapFolder, request.executablePath, folder, sizeof folder)) {
        dbg_Print("Viewer: the map folder is missing or longer than %d characters!\n", VF_MAP_FOLDER_MAX);
        return false;
    }
    std::copy(std::begin(folder), std::end(folder), std::begin(s.mapFolder));
    s.geometry = vf_WindowGeometry(request.x, request.y, request.width, request.height, request.screenWidth,
                                   request.screenHeight);
    return true;
}

TStartStep vf_StartUp(const void* window, int clientWidth, int clientHeight) {
    TFrameState& s = state();
    if (!window || s.window)
        return VF_STEP_NO_WINDOW;
    s.window = window;
    viewframe::resetView(s.view);
    dv_TrackClear();
    s.startStep = viewframe::runStartUpChain(s, clientWidth, clientHeight);
    return s.startStep;
}

void vf_Close(const void* window) {
    TFrameState& s = state();
    if (!window || window != s.window)
        return;
    mp_FreeAll();
    dv_FreeDraw();
    fp_Teardown();
    s.buffer.release();
    s.window = nullptr;
    s.startStep = VF_STEP_NO_WINDOW;
}

const void* vf_Window() { return state().window; }
TStartStep vf_StartStep() { return state().startStep; }
bool vf_IsReady() { return state().startStep == VF_STEP_READY; }
const char* vf_MapFolder() { return state().mapFolder; }
const TWindowGeometry& vf_Geometry() { return state().geometry; }
const TViewState& vf_ViewState() { return state().view; }

TBackBufferView vf_BackBuffer() {
    const TBackBuffer& b = state().buffer;
    return {b.bits(), b.width(), b.height(), b.stride(), b.depth()};
}

} // namespace cartoframe
