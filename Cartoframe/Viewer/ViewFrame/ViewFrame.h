#pragma once
// The map window's logic (vf_ functions), free of any toolkit: where the map
// folder is, where the window goes, the back buffer the window paints, the
// start-up chain that brings up the file store, the map data set and drawing,
// and what positions, keys and clicks do to the view.
//
// The window layer creates the window, calls these functions from its event
// handlers and does what their answers say (repaint, close). Nothing here
// touches a window.
//
// Opening, in order:
//   1. vf_PrepareOpen builds the map folder (the argument, or "Map" beside the
//      executable) and the geometry; it refuses while a window exists.
//   2. The window layer creates its window with vf_Geometry().
//   3. vf_StartUp runs the start-up chain for that window, each step only when
//      the one before succeeded:
//        a. the back buffer for the client area;
//        b. the file store on the map folder, with its block buffers;
//        c. the file list "FileList.cfg";
//        d. the map files;
//        e. drawing, then the first picture.
//      A failed step leaves the window black (a back buffer of zeros, or none).
//   4. vf_Close (Esc, or the window going away) tears everything down; every
//      step of the tear-down is safe to repeat.
//
// Threading and ownership: everything here is module-wide state for one map
// window per process, used only on the thread that owns that window (the
// host's GUI thread). There are no locks. The back buffer belongs to this
// module; the window layer may read it between calls, never keep it across a
// vf_Close.

#include "GisPosition.h"
#include "MapProcess.h"

#include <cstdint>

namespace cartoframe {

inline constexpr char VF_WINDOW_TITLE[] = "Zumaro-navi DVR Viewer";
// Characters of the map folder (longer folders are refused).
inline constexpr int VF_MAP_FOLDER_MAX = 1024;
// The folder beside the executable used when the host names none.
inline constexpr char VF_DEFAULT_FOLDER_NAME[] = "Map";

// Width VF_DEFAULT_SIZE selects VF_DEFAULT_WIDTH x VF_DEFAULT_HEIGHT; x or y
// VF_DEFAULT_POSITION centres the window (see vf_WindowGeometry).
inline constexpr int VF_DEFAULT_SIZE = -1;
inline constexpr int VF_DEFAULT_POSITION = -1;
inline constexpr int VF_DEFAULT_WIDTH = 800;
inline constexpr int VF_DEFAULT_HEIGHT = 600;

// --- Pure helpers ---

// The map folder into out (outSize bytes, at least VF_MAP_FOLDER_MAX + 1):
// mapFolder itself, or, when it is null, the folder of executablePath (up to
// its last separator) followed by "/Map". Answers false, with out left empty,
// when the result would be longer than VF_MAP_FOLDER_MAX characters or
// mapFolder and executablePath are both null.
bool vf_BuildMapFolder(const char* mapFolder, const char* executablePath, char* out, int outSize);

struct TWindowGeometry {
    int x = 0;
    int y = 0;
    int width = VF_DEFAULT_WIDTH;
    int height = VF_DEFAULT_HEIGHT;
};

// Width -1 gives 800 x 600 whatever height says; otherwise both are taken as
// given. x -1 puts the left edge at half the screen width; y -1 centres the
// window's height on the screen.
TWindowGeometry vf_WindowGeometry(int x, int y, int width, int height, int screenWidth, int screenHeight);

// --- Opening and closing ---

struct TOpenRequest {
    const char* mapFolder = nullptr;      // null: "Map" beside the executable
    const char* executablePath = nullptr; // the host's executable
    int x = VF_DEFAULT_POSITION;
    int y = VF_DEFAULT_POSITION;
    int width = VF_DEFAULT_SIZE;
    int height = 0;
    int screenWidth = 0;
    int screenHeight = 0;
};

// Takes the folder and the geometry for a new window. Answers false and
// changes nothing while a window exists or when the folder is refused.
bool vf_PrepareOpen(const TOpenRequest& request);

// The step at which the start-up chain stopped; VF_STEP_READY when it ran
// through.
enum TStartStep : int {
    VF_STEP_NO_WINDOW = 0, // no window, or one already started
    VF_STEP_BUFFER,
    VF_STEP_FILE_STORE,
    VF_STEP_FILE_LIST,
    VF_STEP_MAP_FILES,
    VF_STEP_DRAWING,
    VF_STEP_READY,
};

// The window (any non-null token naming it) now exists with a client area of
// clientWidth x clientHeight pixels: resets the view (start scale step,
// follow mode on, no position, empty track) and runs the start-up chain.
// Refused (VF_STEP_NO_WINDOW) for a null token or while another window exists.
TStartStep vf_StartUp(const void* window, int clientWidth, int clientHeight);

// Tears down the window named by the token (a token that is not the current
// window changes nothing): frees the map data set, drawing, the file store
// and the back buffer, and forgets the window. Safe to repeat.
void vf_Close(const void* window);

// The current window's token, or null.
const void* vf_Window();
// Where the last start-up chain stopped.
TStartStep vf_StartStep();
bool vf_IsReady();
const char* vf_MapFolder();
const TWindowGeometry& vf_Geometry();

// --- Back buffer ---

// The picture the window shows: top-down rows of `depth` bits per pixel,
// rows padded to four bytes. depth is -1 (and bits null) when there is none.
struct TBackBufferView {
    const std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
    int depth = -1;
};
TBackBufferView vf_BackBuffer();

// --- Events ---

// What the window layer must do after an event; flags combine.
enum TViewAction : unsigned {
    VF_IGNORED = 0,  // not an event of the map window: pass it on
    VF_HANDLED = 1,
    VF_REPAINT = 2,  // the back buffer holds a new picture: repaint the whole window
    VF_CLOSE = 4,    // the window was torn down: destroy it
};

// The keys the map window understands; the window layer maps its toolkit's
// keys to these (anything else is VF_KEY_OTHER).
enum TViewKey : int {
    VF_KEY_OTHER = 0,
    VF_KEY_ESCAPE,
    VF_KEY_P,
    VF_KEY_F1,
};

// The position message: record points to a position record (36 bytes, read
// whatever its alignment) or is null. A nonzero add flag stores the record as
// the current position, appends it to the track and redraws; a zero flag
// clears the current position and the track without a redraw. A null pointer,
// or a record to add with non-finite or out-of-range coordinates, is ignored.
unsigned vf_PositionMessage(const void* record);
// Esc tears down and asks to close; 'P' and F1 write a screenshot named after
// the last position record (zeros before any).
unsigned vf_KeyDown(TViewKey key);
// A left-button release at client pixel (x, y): the on-screen controls.
unsigned vf_Click(int x, int y);

// --- View state, for the window layer's tests ---

struct TViewState {
    int step = 0;        // scale step 0..9
    bool follow = true;  // centre on the current position
    TMapPoint centre;    // map units at the window's centre
    TGisPosition current; // the current position (zeros when cleared)
    TGisPosition last;   // the position record last received (names screenshots)
    int screenshotSize = 0; // bytes of the last screenshot written (0: failed)
};
const TViewState& vf_ViewState();

} // namespace cartoframe
