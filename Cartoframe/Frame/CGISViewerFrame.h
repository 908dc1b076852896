#pragma once
// The public interface of libcartoframe.so, the offline vector road-map
// library: a host program opens the map window as a child of one of its
// windows, sends it positions, and the window draws the road map around the
// vehicle with the driven track. The user pans and zooms with the on-screen
// controls, closes the window with Esc and saves a screenshot with P or F1.
//
// Everything runs on the host's GUI thread. One map window per process.
//
// Positions travel as the platform's window message (kyvo::WindowMessage,
// platform/WindowMessage.h) with the value GIS_MSG_POSITION and wParam
// pointing to a cartoframe::TGisPosition:
//
//     cartoframe::TGisPosition p{121.5f, 25.0f, 0, 90.0f, 20240612, 8, 15, 30, 1};
//     kyvo::sendMessage(frame.GetViewFrameHandle(), cartoframe::GIS_MSG_POSITION,
//                       reinterpret_cast<kyvo::WParam>(&p));

#include "GisPosition.h"

class QWidget;

#ifndef _WIN32
using HINSTANCE = void*;
using HWND = QWidget*;
#endif

#if defined(_WIN32)
#define CARTOFRAME_EXPORT __declspec(dllexport)
#else
#define CARTOFRAME_EXPORT __attribute__((visibility("default")))
#endif

class CARTOFRAME_EXPORT CGISViewerFrame {
public:
    CGISViewerFrame();
    CGISViewerFrame(const CGISViewerFrame& other);
    CGISViewerFrame& operator=(const CGISViewerFrame& other);
    virtual ~CGISViewerFrame();

    // Opens the map window as a child of hParent (which shows it with the
    // parent). mapFolder holds the map data set; null means the folder "Map"
    // beside the host's executable. x and y place the window in its parent
    // (-1: half the screen width; (screen height - height) / 2); width -1
    // means 800 x 600, whatever height says. Failures are silent: the window
    // then stays black. While a map window exists, a second call does nothing.
    void OpenViewFrame(HINSTANCE hInstance, HWND hParent, char* mapFolder, int x, int y, int width, int height);
    // The map window while it exists, otherwise null.
    HWND GetViewFrameHandle();
};

// Where the library's diagnostic lines go (standard error by default; a null
// sink restores it). Each call receives one complete line.
extern "C" CARTOFRAME_EXPORT void CartoframeSetDiagnostics(void (*sink)(const char* line, void* context),
                                                           void* context);
