// The exported entry points of libcartoframe.so. The class holds nothing: it
// hands the host's calls to the map window.
#include "CGISViewerFrame.h"

#include "Diagnostics.h"
#include "ViewerWindow.h"

CGISViewerFrame::CGISViewerFrame() = default;
CGISViewerFrame::CGISViewerFrame(const CGISViewerFrame&) = default;
CGISViewerFrame& CGISViewerFrame::operator=(const CGISViewerFrame&) = default;
CGISViewerFrame::~CGISViewerFrame() = default;

void CGISViewerFrame::OpenViewFrame(HINSTANCE, HWND hParent, char* mapFolder, int x, int y, int width, int height) {
    cartoframe::TOpenRequest request;
    request.mapFolder = mapFolder;
    request.x = x;
    request.y = y;
    request.width = width;
    request.height = height;
    cartoframe::ViewerWindow::open(request, hParent);
}

HWND CGISViewerFrame::GetViewFrameHandle() { return cartoframe::ViewerWindow::current(); }

extern "C" void CartoframeSetDiagnostics(void (*sink)(const char* line, void* context), void* context) {
    cartoframe::dbg_SetSink(sink, context);
}
