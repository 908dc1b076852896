#pragma once
// The interface of the playback library liborvplayer.so, shared by the
// library and its client (the viewer's player adapter). Qt-free.
//
// Exports (C linkage, resolved by name):
//   int  Velora(int argc, char** argv)   runs the player on the calling thread until it ends
//   void setInst(void* instance)          the instance passed back first in every callback
//   void setW(OrvEventCallback callback)  the event callback
//   void cmd_direct(const char* command)  hands one text command to the player; safe from any thread
// Velora takes the argument list "mplayer", "-vo", "directx:noaccel", "-autosync", "0", first file, second file.
// The options are accepted for compatibility and ignored; the last two arguments are the files of channel 0 and
// channel 1 (the second may be empty).
//
// Commands (no reply is read; unknown or malformed ones are ignored with a diagnostic line on standard error).
// They are carried out one after another, in the order they were given.
//   rovu_loadfile "A" "B"   load the channels' files (B may be empty); the new file plays (not paused).
//                           Inside the quotes a backslash escapes a backslash or a double quote ("\\", "\""),
//                           so a path may hold any byte but NUL; any other backslash stands for itself.
//   pause                   toggle pause (both channels)
//   pt_step 1 1             end the current entry (reported as code 20; the player stays up)
//   seek S / seek S 2       relative seek by S seconds / absolute seek to second S; playback resumes
//                           ("seek" followed by "pause" ends paused at the new position)
//   speed_incr X / speed_mult X / speed_set X 2    add to, multiply or set the speed
//   volume N 2              set the volume (0..100)
//   frame_step              show the next frame and pause (also message 0x670 to video window 0)
//   quit                    end the player
//
// Callback codes and their order.
//   At start-up of Velora, in this order:
//     10 (out: owner window, a QWidget*), 34 (out: channel mode 1 or 2), 17 (out: address of the in-window
//     rectangles), 29 (out: address of the popup rectangles), 30 (out: volume), 36 (out: encrypted view mode),
//     37 (out: key); then the video windows are created as children of the owner window on its (GUI) thread and
//     3 (video window 0) and 4 (video window 1, in two-channel mode; else not sent) are reported; then 21 (the
//     address of the stop flag); then 0 (ready).
//   For each file pair loaded (the files of the argument list, then every rovu_loadfile):
//     34, 36, 37 (out: channel mode, encrypted view mode, key), asked again at every load: a changed channel mode
//     starts or ends the second channel (4 reports its window, or 0); in the encrypted view mode (36 answers 1) the
//     files are scrambled recordings, read with the key (their first eight bytes restored as they are read; the
//     files are never changed), and a file the key does not restore to an "ftyp" box cannot be played;
//     18 when playback starts, 23 (a StreamRecord whose info holds the frame count), then for every shown frame
//     24 (frame index, the first frame is 1) followed by 6 (a FrameInfo); 20 when the entry ends (at the end of the
//     file, after pt_step 1 1, or when the next rovu_loadfile replaces it). A file that cannot be played gives 18
//     and 20 only. Message 0x600 "get_time_length" to video window 0 answers with 14 (a float*, the length in
//     seconds).
//   When the player ends ("quit", or the stop flag set to 1): 16; then 3 with 0 (and 4 with 0 in two-channel
//   mode): the video windows are gone, send them nothing more (they are deleted on the GUI thread after this);
//   then 22, and Velora returns 0.
//   Callbacks come from the player's own thread (the thread that called Velora).
//
// Enlarged views: a double click on a channel's video window posts kMsgVideoPopupOpen to the owner window (code
// 10) with wParam channel + 1. While the client reports a channel's popup shown (codes 31, 32) with its window
// (codes 25, 28), the channel's video window is a child of that popup at the popup rectangle (code 29); else a
// child of the owner at the in-window rectangle. The library looks again when it is told to redraw
// (0x690, 0x760) or that its owner moved (0x660).
//
// The rectangle tables the client gives (codes 17 and 29) are read on the GUI thread while Velora runs; they must
// stay valid until Velora has returned.
//
// Out parameters: the callback's parameter points to the word the client fills. Handles and addresses
// (codes 10, 17, 25, 28, 29) are std::intptr_t words; the other values (26, 27, 30, 31, 32, 33, 34, 36, 37) are
// std::int32_t words.
//
// Pictures: 32-bit pixels, top row first, bytes blue, green, red, unused; 640 x 480 for sources up to 640 x 480,
// else 1920 x 1080, aspect kept (letterboxed). A picture stays valid while the library is loaded; its content is
// replaced as later frames are shown.

#include <cstddef>
#include <cstdint>

extern "C" {
typedef void (*OrvEventCallback)(void* instance, std::intptr_t parameter, int code);
typedef int (*OrvVeloraFn)(int argc, char** argv);
typedef void (*OrvSetInstFn)(void* instance);
typedef void (*OrvSetCallbackFn)(OrvEventCallback callback);
typedef void (*OrvCommandFn)(const char* command);
struct OrvPictureCopy;
typedef int (*OrvCopyPictureFn)(int channel, std::uint8_t* out, std::size_t capacity, OrvPictureCopy* copy);
}

// What orv_copy_picture copied: the picture's size in pixels (32-bit pixels,
// top row first, rows of width * 4 bytes), the frame index it shows (the
// index of code 24; 0 until the frame's codes are sent) and that frame's time
// in seconds (the time of its FrameInfo).
struct OrvPictureCopy {
    std::int32_t width;
    std::int32_t height;
    std::uint32_t frameIndex;
    float time;
};

namespace orv {

// Export names. The Windows build of the original library decorates two of them.
#if defined(_WIN32)
inline constexpr char kExportSetInst[] = "setInst@4";
inline constexpr char kExportSetCallback[] = "setW@4";
#else
inline constexpr char kExportSetInst[] = "setInst";
inline constexpr char kExportSetCallback[] = "setW";
#endif
inline constexpr char kExportVelora[] = "Velora";
inline constexpr char kExportCommand[] = "cmd_direct";
// Optional: copies the newest picture of a channel under the lock of the
// picture hand-over, so the copy is never a picture being rendered. Answers 1
// when a picture was copied, 0 when there is none yet, the channel is unknown
// or `capacity` is short of it. Safe from any thread while the library is
// loaded.
inline constexpr char kExportCopyPicture[] = "orv_copy_picture";
inline constexpr char kLibraryFileName[] = "liborvplayer.so";
// The video windows' object names begin with this, followed by the channel (0 or 1).
inline constexpr char kVideoWindowObjectName[] = "orvVideoWindow";

enum EventCode : int {
    kEvReady = 0,
    kEvVideoWindow0 = 3,
    kEvVideoWindow1 = 4,
    kEvFrame = 6,
    kEvOwnerWindow = 10,
    kEvLength = 14,
    kEvStopped = 16,
    kEvVideoRects = 17,
    kEvPlaying = 18,
    kEvEndOfEntry = 20,
    kEvStopFlag = 21,
    kEvPlayerEnded = 22,
    kEvStreamInfo = 23,
    kEvFrameIndex = 24,
    kEvPopupWindow0 = 25,
    kEvScreenWidth = 26,
    kEvScreenHeight = 27,
    kEvPopupWindow1 = 28,
    kEvPopupRects = 29,
    kEvVolume = 30,
    kEvPopup0Shown = 31,
    kEvPopup1Shown = 32,
    kEvNoTelemetry = 33,
    kEvChannelMode = 34,
    kEvPauseToggle = 35,
    kEvEncryptedMode = 36,
    kEvKey = 37,
    // Asked at every load with two channels: where the rear picture goes
    // (RearView below). Clients that do not answer leave it beside the front.
    kEvRearView = 38,
    kEvLastCode = 38,
};

// The rear picture's place with two channels: in the second channel's window
// (beside), swapped with the front (the front in the second window), or also
// inset into the front's lower right corner (stills and prints of channel 0
// then hold both).
enum RearView : int { kRearBeside = 0, kRearSwapped = 1, kRearInside = 2 };

// Messages the client sends to the video windows.
enum VideoWindowMessage : unsigned {
    kMsgGetTimeLength = 0x600, // wParam: pointer to the text "get_time_length"
    kMsgPlaced = 0x660,        // after a WM_MOVE: place the window again where its channel shows (as kMsgRedraw)
    kMsgFrameStep = 0x670,     // show one frame more
    kMsgRedrawPrepare = 0x690, // followed by kMsgRedraw
    kMsgRedraw = 0x760,        // redraw at the in-window rectangle, or at the popup rectangle while shown
    kMsgVideoPopupOpen = 0x750 // the library asks the owner for an enlarged view (wParam 1 or 2, see above)
};

// The rectangles of the two channels: row 0 channel 0, row 1 channel 1; x, y, width, height.
struct VideoRectTable {
    std::int16_t rect[2][4];
};

// The per-frame record of code 6. Numbers keep the byte offsets of the 32-bit layout; pointers sit on the next
// 8-byte boundary.
struct FrameInfo {
    std::int64_t renderedAtNs;  // diagnostics: steady-clock nanoseconds when the picture left libmpv
    std::uint8_t reserved0[36];
    float time;              // current time in seconds
    std::int32_t imageSize;  // bytes of one picture
    std::uint8_t reserved1[4];
    std::uint8_t* picture0;  // channel 0
    std::uint8_t* picture1;  // channel 1 (two-channel mode), else null
};
static_assert(offsetof(FrameInfo, renderedAtNs) == 0);
static_assert(offsetof(FrameInfo, time) == 44);
static_assert(offsetof(FrameInfo, imageSize) == 48);
static_assert(offsetof(FrameInfo, picture0) == 56);
static_assert(offsetof(FrameInfo, picture1) == 64);

// Code 23: the record points to a second record whose word at byte 80 is the frame count.
struct StreamInfo {
    std::uint8_t reserved[80];
    std::uint32_t frameCount; // all ones when unknown
    std::uint32_t reserved1;
};
struct StreamRecord {
    std::uint8_t reserved[24];
    StreamInfo* info;
};
static_assert(offsetof(StreamInfo, frameCount) == 80);
static_assert(offsetof(StreamRecord, info) == 24);

// Picture sizes the viewer understands.
inline constexpr int kSmallPictureWidth = 640;
inline constexpr int kSmallPictureHeight = 480;
inline constexpr int kLargePictureWidth = 1920;
inline constexpr int kLargePictureHeight = 1080;
inline constexpr int kBytesPerPixel = 4;

// Argument list of Velora.
inline constexpr int kVeloraArgc = 7;
inline constexpr int kVeloraFirstFileArg = 5;
inline constexpr int kVeloraSecondFileArg = 6;

} // namespace orv
