#pragma once
// The player behind the library's exports: one per process. Velora runs it on
// the caller's thread (the player thread) until it ends; commands, the client's
// window messages and mpv's wakeups reach that thread through one queue.
//
// Threads:
//  - player thread: everything in run(), including every callback to the client;
//  - any thread: command() (cmd_direct), setInstance(), setCallback();
//  - GUI thread: the video windows; their messages only queue work here;
//  - mpv's threads: only signal the player thread (wakeEvents / wakeRender).
//
// Pause: the player keeps its own paused state and sets it explicitly on
// every channel. "pause" toggles it, a seek clears it (a seek resumes
// playback), a frame step leaves it set (mpv pauses after the frame) and a
// newly loaded file starts unpaused. Commands are carried out in the order
// they came, so "seek" followed by "pause" ends paused at the new position.
//
// Two channels: one decoder plays the front and, when the recording has one,
// its rear picture, so both pictures always show the same moment (see
// RearPicture). The second channel has a video window and picture
// buffers of its own; with no rear picture it shows black.
//
// The client's rectangle tables (codes 17 and 29) are read only on the GUI
// thread, by window jobs of the run that asked for them, and only while that
// run lasts: a job queued late finds its run over and does nothing.

#include "CommandParser.h"
#include "MpvChannel.h"
#include "OrvPlayerAbi.h"
#include "PictureBuffers.h"

#include <QPointer>

#include <array>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

class QWidget;

namespace orv {

class VideoWindow;

class Player {
public:
    static Player& instance();

    void setInstance(void* instance) { instance_.store(instance); }
    void setCallback(OrvEventCallback callback) { callback_.store(callback); }
    void command(const char* text);
    int run(int argc, char** argv);
    // Any thread: the newest picture of `channel` (0 or 1) copied under the
    // picture hand-over's lock. False when there is none.
    bool copyPicture(int channel, std::uint8_t* out, std::size_t capacity, OrvPictureCopy& copy) const;

private:
    static constexpr int kChannels = 2;

    struct Item {
        enum class Type { Text, GetLength, Placed, FrameStep, Redraw } type;
        std::string text;
        int channel = 0;
    };

    // GUI-side links to the video windows and their owner; touched on the GUI
    // thread only.
    struct WindowLink {
        QPointer<VideoWindow> window;
        QPointer<QWidget> owner;
    };

    // The client's rectangle tables as one run was given them. Window jobs on
    // the GUI thread read them under `mutex` while `live`; the player thread
    // clears `live` before its run returns, after which the client may free
    // the tables.
    struct ClientTables {
        std::mutex mutex;
        bool live = true;
        const VideoRectTable* rects = nullptr;
        const VideoRectTable* popupRects = nullptr;
    };

    Player();
    void post(Item item);
    void wakeEvents();
    void wakeRender();

    void notify(int code, std::intptr_t parameter);
    std::intptr_t queryPointer(int code);
    std::int32_t queryInt(int code, std::int32_t fallback);

    bool startDecoder(std::string& error);
    // The video windows of the channels from `first` to the channel count.
    void createWindows(int first = 0);
    // Tells the client the windows are gone, then deletes them.
    void destroyWindows();
    // Places the channel's window at its in-window rectangle, or inside
    // `popup` at its popup rectangle; the rectangle is read on the GUI thread.
    void placeWindow(int channel, bool inPopup, std::intptr_t popup);
    // Places the channel's window where the client shows the channel now:
    // inside its popup while the client reports the popup shown (codes 31 or
    // 32, then 25 or 28), else in the owner window.
    void placeWhereShown(int channel);
    void repaint(int channel);
    void setPaused(bool paused);

    // What the client wants for a load, asked at every load (codes 34, 36,
    // 37 and 38): the channel count, in the encrypted view mode the key of the
    // scrambled recordings, and with two channels the rear's place
    // (PlayerLoads.cpp).
    struct LoadSettings {
        int channelMode = 1;
        RearView rearView = kRearBeside; // asked with two channels (code 38)
        std::optional<std::uint32_t> key; // set in the encrypted view mode
    };
    LoadSettings askLoadSettings();
    // Makes or removes the second channel's window when the client changed
    // the channel count since the player started or last loaded.
    void applyChannelMode(int mode);
    // Where the rear picture of `first` comes from: `second` names its file;
    // `second` equal to `first` means the recording's second picture track.
    static RearPicture rearOf(const std::string& first, const std::string& second);
    // The second channel's picture becomes black (no rear picture to show).
    void blankRear();
    void loadFiles(const std::string& first, const std::string& second);

    void handle(const Item& item);
    void handleCommand(const Command& command);
    void handleDecoderEvents();
    void renderDueFrames();
    // Reports the frame just rendered, shown at `seconds` of the recording.
    void emitFrame(double seconds);
    void dropStaleLoads(const std::string& first, const std::string& second);

    std::atomic<void*> instance_{nullptr};
    std::atomic<OrvEventCallback> callback_{nullptr};
    std::atomic<bool> running_{false};
    std::atomic<std::int32_t> stopFlag_{0}; // written by the client through code 21's address
    std::atomic<bool> quitAsked_{false};    // "quit" arrived (looked at while waiting for the GUI)

    std::mutex mutex_; // guards items_, eventWake_, renderWake_
    std::condition_variable wake_;
    std::deque<Item> items_;
    bool eventWake_ = false;
    bool renderWake_ = false;

    // Picture buffers live as long as the library: pointers handed out stay valid.
    std::shared_ptr<PictureBuffers> pictures_[kChannels];

    // Player thread only, for the time of one run().
    std::unique_ptr<MpvChannel> decoder_;
    std::shared_ptr<WindowLink> windows_[kChannels];
    std::shared_ptr<ClientTables> tables_;
    QWidget* owner_ = nullptr;
    int channelMode_ = 1;
    bool quit_ = false;
    bool paused_ = false;
    bool entryActive_ = false;
    std::uint32_t lastIndex_ = 0; // index of the last frame reported
    bool fromStart_ = false;      // the file plays from its start, no frame reported yet
    // A frame step was asked and its frame is not shown yet: that frame is
    // rendered as soon as mpv has it, not at its playback time (the picture
    // stays paused after it, so its time on the clock means nothing, and a
    // still capture waits for it).
    bool frameStepPending_ = false;
    MpvChannel::FileFacts facts_;
    float length_ = 0;
    StreamInfo streamInfo_{};
    StreamRecord streamRecord_{};
    FrameInfo frameInfo_{};
};

} // namespace orv
