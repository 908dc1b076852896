#pragma once
// One channel of the player: a libmpv instance with a software render
// context. It owns both; they are created and destroyed on the player thread.
//
// mpv calls the wakeup function from its own threads when events or a new
// frame are waiting; the function only signals the player thread, which then
// calls nextEvent() and updateRender().
//
// Commands take effect in the order they are given: mpv may reorder
// asynchronous requests, so each one is handed over only once mpv has
// answered the one before (the answer comes as an event, read by nextEvent()).
// Everything here runs on the player thread.

#include "OrvPlayerAbi.h"
#include "PictureBuffers.h"
#include "ScrambledStream.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct mpv_handle;
struct mpv_render_context;

namespace orv {

// The rear picture of a two-camera recording, decoded by the same mpv
// instance as the front so that both follow one clock: the filter graph
// scales the rear to the front's size and stacks it below the front, and
// MpvChannel::render() cuts the stacked picture in two. Seeks, pauses, speed
// changes and frame steps then move both pictures together.
struct RearPicture {
    enum class Source { None, File, SecondTrack } source = Source::None;
    std::string path; // Source::File: the rear picture's file
    RearView view = kRearBeside;
};

class MpvChannel {
public:
    using Clock = std::chrono::steady_clock;
    using Wakeup = std::function<void()>;

    struct Event {
        enum class Type { Loaded, Ended, Shutdown } type;
        bool failed = false; // Ended: the file could not be played
    };

    struct FileFacts {
        double duration = 0;       // seconds, 0 when unknown
        double fps = 0;            // 0 when unknown
        std::int64_t frameCount = -1;
    };

    MpvChannel(int index, Wakeup eventWakeup, Wakeup renderWakeup);
    ~MpvChannel();
    MpvChannel(const MpvChannel&) = delete;
    MpvChannel& operator=(const MpvChannel&) = delete;

    // Creates the mpv instance; `audio` false keeps this channel silent.
    bool start(bool audio, std::string& error);


    // Commands (asynchronous inside mpv, carried out in this order).
    // A scrambled recording is loaded with its key, through the channel's
    // stream protocol (ScrambledStream.h); a key that does not restore it
    // makes the file unplayable. A rear picture's file is read the same way.
    void load(const std::string& path, std::optional<std::uint32_t> key = std::nullopt, const RearPicture& rear = {});
    void stop();
    // Sets mpv's "pause" property; mpv keeps it across files. Playing on
    // turns the timing of frames back on first (see frameStep).
    void setPause(bool paused);
    void seek(double seconds, bool absolute);
    void addSpeed(double delta);
    void multiplySpeed(double factor);
    void setSpeed(double speed);
    void setVolume(int volume);
    // Shows one frame more, then mpv pauses. The step runs untimed: mpv would
    // otherwise hold the stepped frame until its time came, one frame's
    // duration per step, which a capture of consecutive frames waits for.
    void frameStep();

    // The next waiting event, or nothing. Answers to commands are taken here
    // (they let the next command go) and are not reported.
    std::optional<Event> nextEvent();
    FileFacts facts() const;
    double timePosition() const; // seconds of the playback position now
    // Seconds of the frame last rendered: the position when mpv handed it over.
    double renderedTime() const { return renderedTime_; }
    // The frame last rendered was a new one (not a redraw of the one before).
    bool renderedNewFrame() const { return renderedNew_; }
    // When the last picture left libmpv.
    Clock::time_point renderedAt() const { return renderedAt_; }

    // After a render wakeup: asks mpv whether a new frame waits and when it
    // should be shown.
    void updateRender();
    bool renderPending() const { return renderPending_; }
    Clock::time_point renderTime() const { return renderAt_; }
    // Renders the waiting frame into the buffers (and publishes it); with a
    // rear picture loaded, its half goes to `rear` (when given) in the same
    // size and placement as the front's. Answers false when there was nothing
    // to render.
    bool render(PictureBuffers& buffers, PictureBuffers* rear = nullptr);
    // A rear picture came with the file loaded last.
    bool hasRear() const { return stacked_.has_value(); }

    int pictureWidth() const { return width_; }
    int pictureHeight() const { return height_; }
    int pictureBytes() const { return width_ * height_ * 4; }

private:
    // A command's arguments, by position; or, with names, by name (the
    // first name is "name", the command's own).
    struct Arguments {
        std::vector<std::string> values;
        std::vector<std::string> names;
    };

    void command(std::initializer_list<const char*> args);
    void namedCommand(std::initializer_list<std::pair<const char*, std::string>> args);
    // Hands the oldest waiting command to mpv unless one is still running.
    void issueNext();
    void choosePictureSize();
    // Frames per second of the first picture track: mpv reports no
    // container rate while a filter graph joins two tracks.
    double firstTrackFps() const;
    // mpv's "untimed" option: frames as soon as they are decoded.
    void setUntimed(bool untimed);

    int index_;
    Wakeup eventWakeup_;
    Wakeup renderWakeup_;
    // Outlives the mpv instance, which reads its notes (destroyed after it).
    ScrambledFiles scrambled_;
    mpv_handle* mpv_ = nullptr;
    mpv_render_context* render_ = nullptr;
    std::deque<Arguments> waiting_;  // commands not yet handed to mpv
    std::uint64_t running_ = 0;      // reply id of the command mpv is carrying out, 0: none
    std::uint64_t nextReplyId_ = 1;
    bool renderPending_ = false;
    double pendingTime_ = -1;
    double renderedTime_ = -1;
    bool pendingNew_ = false;
    bool renderedNew_ = false;
    Clock::time_point renderedAt_{};
    Clock::time_point renderAt_{};
    int width_ = 640;
    int height_ = 480;
    bool sizeKnown_ = false;
    bool untimed_ = false;
    // Where the rear picture goes, for the loads given and not yet started,
    // the file starting now and the file loaded last; nothing: no rear.
    std::deque<std::optional<RearView>> loadsStacked_;
    std::optional<RearView> startingStacked_;
    std::optional<RearView> stacked_;
    std::vector<std::uint8_t> stackedPicture_; // both halves as mpv renders them, when stacked
    PictureBuffers::Content content_{0, 0, 640, 480};
};

} // namespace orv
