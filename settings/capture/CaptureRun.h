#pragma once
// One still capture, run on the capture thread: the frame on screen, and for
// thirty stills each following frame, copied from the playback library and
// written as JPEG files.
//
//   1. No folder: nothing is captured.
//   2. The frame on screen is copied; before the first frame of the recording
//      there is nothing to capture.
//   3. The number of stills is fixed (stillCount) from that frame.
//   4. For each still after the first, one frame step is asked of the owner
//      thread (right after the picture before it was copied, so the step and
//      the writing of that still overlap), and the capture waits (with a time
//      limit) until the stepped frame is on screen; a library that does not
//      step ends the capture.
//   5. The picture is copied under the library's lock, so it is never a
//      picture being rendered, and encoded as it is; in
//      two-channel mode the rear picture is written beside it.
//   6. A stop request ends the loop between stills and between polls.
//
// The source is called from the capture thread only; its step request must
// queue the step to the thread that owns the player.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kyvo::capture {

struct Picture {
    std::vector<std::uint8_t> pixels; // 32-bit pixels (blue, green, red, unused), top row first
    int width = 0;
    int height = 0;
    std::uint32_t frameIndex = 0;
    float time = 0;
};

class CaptureSource {
public:
    virtual ~CaptureSource() = default;
    // The index of the frame on screen; 0 before the first.
    virtual std::uint32_t shownFrame() const = 0;
    // All ones when unknown.
    virtual std::uint32_t frameCount() const = 0;
    virtual bool twoChannels() const = 0;
    // The newest picture of a channel; false when there is none.
    virtual bool copyPicture(int channel, Picture& picture) = 0;
    // Queues one frame step to the owner of the player and returns at once.
    virtual void requestStep() = 0;
};

struct CaptureRequest {
    std::string folder;
    std::string recording;
    bool thirty = false;
    std::chrono::milliseconds stepTimeout{3000};
    std::chrono::milliseconds pollInterval{2};
};

struct CaptureReport {
    enum Ending { Done, NoFolder, NoPicture, StepTimedOut, Stopped };
    Ending ending = Done;
    int written = 0; // stills written
    int failed = 0;  // stills that could not be written
    int total = 0;   // stills wanted
    std::vector<std::string> files;
};

// count: stills handled so far; total: stills wanted.
using CaptureProgress = std::function<void(int count, int total)>;

CaptureReport runCapture(CaptureSource& source, const CaptureRequest& request, const std::atomic<bool>& stop,
                         const CaptureProgress& progress = {});

} // namespace kyvo::capture
