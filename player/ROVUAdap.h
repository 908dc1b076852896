#pragma once
// ROVUAdap: the only way the viewer drives playback. It turns commands into
// the playback library's text commands, follows the library's events through
// its states, runs the library's player on a thread of its own and finishes a
// stop on a second (queue) thread once the library has confirmed it. On every
// shown frame it picks the recording's telemetry entry and tells its owner.
//
// Threads and what they touch:
//  - the owner's GUI thread: every operation (Open, the current state's
//    operations, ChangeState, NotifyMoved), the setters of the owner members;
//  - the player thread: inside the library's Velora for the whole playback;
//  - the queue thread: woken by the state event, finishes stops (Close);
//  - the library's threads: PlayerEventCallback.
// Members shared between them are atomics; the telemetry copies and the
// reader are guarded by telemetryMutex_; state changes by stateMutex_.
// Binding and freeing the library, starting a player and finishing a stop
// happen one at a time (lifecycleMutex_), so a stop is finished only for the
// playback it was requested for: starting a player forgets the stops pending
// from the one before.
// Destruction asks both threads to end and joins them before anything they
// use is freed; no thread is killed.
//
// Loading a pair of files (Open, and LoadFile in every state that takes it)
// first checks them without changing anything: a path longer than
// kMaxPathBytes, a file that holds no recording, a recording of the other
// view mode and a scrambled recording the key does not restore are refused
// before the state changes and before anything reaches the library.

#include "AdapterHost.h"
#include "AutoResetEvent.h"
#include "OrvPlayerAbi.h"
#include "PlayerLibrary.h"
#include "ROVUState.h"
#include "TelemetryBox.h"
#include "TransitionRing.h"

#include <array>
#include <atomic>
#include <utility>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kyvo::player {

// The longest path Open and LoadFile take, in bytes of UTF-8 without the
// terminator, in every state.
inline constexpr std::size_t kMaxPathBytes = 255;

// Open and LoadFile: a path longer than kMaxPathBytes; nothing changed.
inline constexpr int kPathTooLong = 5;
// Open and LoadFile: the recording's view mode does not match; the owner ends the program.
inline constexpr int kViewModeMismatch = 6;
// Open and LoadFile: the first file holds no recording (zero-filled, cut short,
// foreign); nothing changed and nothing was sent.
inline constexpr int kNotARecording = 7;
// Open and LoadFile: in the encrypted view mode, a scrambled recording that the
// key does not restore; nothing changed and nothing was sent (the owner says so).
inline constexpr int kWrongKey = 8;

// The player thread's copy of each path, terminator included.
inline constexpr std::size_t kPathBuffer = kMaxPathBytes + 1;
// The load command with two paths whose every byte needed escaping, terminator included.
inline constexpr std::size_t kLoadCommandBuffer = sizeof("rovu_loadfile \"\" \"\"") + 2 * 2 * kMaxPathBytes;

inline constexpr std::size_t kGpsRecordSize = 128;
inline constexpr std::size_t kSensorRecordSize = 12;

class ROVUAdap {
public:
    ROVUAdap(AdapterHost& host);
    virtual ~ROVUAdap();
    ROVUAdap(const ROVUAdap&) = delete;
    ROVUAdap& operator=(const ROVUAdap&) = delete;

    // --- Operations of the owner (GUI thread) ---
    ROVUState* current() const { return current_.load(); }
    ROVUState* previous() const { return previous_.load(); }
    // Checks the files (kPathTooLong, kNotARecording, kViewModeMismatch,
    // kWrongKey: then nothing changed), enters forwarding and has the state it
    // came from load them. The view mode and the key are read at every load.
    int Open(const char* first, const char* second);
    int DisplaySecond() const { return currentSecond.load() + 1; }
    // Runs `operation` on the current state, then yields (ROVUState::Yield):
    // the one way the owner operates the adapter.
    //   adapter.operate(&ROVUState::Seek, 12.0f, false);
    template <typename... Params, typename... Args>
    int operate(int (ROVUState::*operation)(Params...), Args&&... args) {
        const int result = (current()->*operation)(std::forward<Args>(args)...);
        current()->Yield();
        return result;
    }
    // The clock of the recording: current time, second and length back to 0
    // (a stop, clearing the list, another file).
    void resetClock();
    // Tells video window 0 that the owner moved; 1 when there is none.
    int NotifyMoved();
    void ChangeState(ROVUState* state);

    MVOXstat0& idle() { return *idle_; }
    MVOXstat1& playing() { return *playing_; }
    MVOXstat2& stopped() { return *stopped_; }
    MVOXstat3& ended() { return *ended_; }
    MVOXstat4& ready() { return *ready_; }
    MVOXstat9& forwarding() { return *forwarding_; }

    // --- Members the owner reads or writes ---
    std::atomic<float> currentTime{0};
    std::atomic<int> currentSecond{0};   // the owner also steps it itself
    std::atomic<float> length{0};
    std::atomic<int> lengthSeconds{0};
    std::atomic<std::uint32_t> frameCount{0xFFFFFFFFu};
    std::atomic<std::uint32_t> frameIndex{0};
    std::atomic<int> noTelemetry{0};
    std::atomic<int> channelMode{2};
    std::atomic<int> encryptedViewMode{0};
    std::atomic<std::uint32_t> key{0};
    std::atomic<int> rearView{orv::kRearBeside}; // with two channels, asked at every load
    std::atomic<int> stepping{0};
    std::atomic<std::uint8_t*> image0{nullptr};
    std::atomic<std::uint8_t*> image1{nullptr};
    std::atomic<int> imageSize{0};
    std::atomic<std::intptr_t> popupWindow0{0};
    std::atomic<std::intptr_t> popupWindow1{0};
    std::atomic<int> popup0Shown{0};
    std::atomic<int> popup1Shown{0};

    // The telemetry of the current frame: copies of its GPS record (a
    // NUL-terminated sentence) and its three sensor floats. False until the
    // first frame with telemetry.
    bool telemetry(std::array<char, kGpsRecordSize>& gps, std::array<float, 3>& sensor) const;

    // --- For the states and the library ---
    AdapterHost& host() { return host_; }
    PlayerLibrary& library() { return library_; }
    std::intptr_t videoWindow0() const { return videoWindow0_.load(); }
    std::intptr_t videoWindow1() const { return videoWindow1_.load(); }
    int volume() const { return volume_.load(); }
    const orv::VideoRectTable& videoRects() const { return videoRects_; }
    const orv::VideoRectTable& popupRects() const { return popupRects_; }
    MVOXQ& transitions() { return ring_; }
    bool playerThreadRunning() const { return playerRunning_.load(); }
    bool closing() const { return closing_.load(); }

    // Steps shared by several states (see ROVUState.cpp).
    int bindLibrary(const char* path);
    int freeLibrary();
    int requestStop(ROVUState* requester);
    // Playing's and ended's LoadFile: the files checked, then the load command.
    int sendLoadCommand(const char* first, const char* second);
    int sendCheckedLoad(const std::string& first, const std::string& second, std::unique_lock<std::mutex>& life);
    int replay();
    // Ready's Open: the files checked, the load command, then the threads.
    int start(const char* first, const char* second);
    int seekCommand(float seconds, bool relative);
    int speedCommand(float value, bool change, const char* changeFormat);
    int volumeCommand(float value, bool relative);
    // Playing's SetVideoRect and SetPopupRect: moves the channel's window when
    // the rectangle is where the channel shows (the popup rectangle while its
    // popup is shown, the in-window one while not), else only stores it.
    int moveWindow(std::uint8_t channel, std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h,
                   bool popup);
    int storeRect(std::uint8_t channel, std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h, bool popup);
    int redraw(int window);
    void sendCommand(const std::string& text);
    // Ended's Close: "quit", then waits up to the stop patience for the player
    // thread to end. True when it ended; false when it did not, and then the
    // library stays bound and the player keeps its thread (Close answers 1;
    // a later Close or the destructor ends it).
    bool quitAndWaitForStopped();
    // How long ended's Close waits for the player to end (tests shorten it).
    void setStopPatience(std::chrono::milliseconds patience) { stopPatience_.store(patience); }

    static void PlayerEventCallback(void* instance, std::intptr_t parameter, int code);

private:
    // A pair of files checked and read, not yet taken: what loading them will
    // change (GUI thread only).
    struct PreparedLoad {
        bool valid = false;
        std::string first;
        std::string second;
        bool pictureOnly = false;
        int readResult = 0;             // of readTelemetryBox
        std::vector<std::uint8_t> box;  // the telemetry box copy when readResult is 0
    };

    void reset();
    // Checks the pair and reads the first file's telemetry box into prepared_
    // without changing anything: 0, kPathTooLong, kNotARecording or
    // kViewModeMismatch (the owner already told). A pair Open prepared is
    // taken as it is.
    int prepareLoad(const std::string& first, const std::string& second);
    // Makes the prepared pair the current files and its box the reader's data.
    void takePreparedLoad();
    void onEvent(std::intptr_t parameter, int code);
    void onFrame(const orv::FrameInfo& info);
    void onEnd();
    void takeTransition(ROVUState* from, ROVUState* to); // under stateMutex_
    void playerThreadMain();
    void queueThreadMain();
    // Frees the library; the caller holds lifecycleMutex_.
    int freeLibraryLocked();
    void joinPlayerThread();

    AdapterHost& host_;
    PlayerLibrary library_;

    std::unique_ptr<MVOXstat0> idle_;
    std::unique_ptr<MVOXstat1> playing_;
    std::unique_ptr<MVOXstat2> stopped_;
    std::unique_ptr<MVOXstat3> ended_;
    std::unique_ptr<MVOXstat4> ready_;
    std::unique_ptr<MVOXstat9> forwarding_;
    // Binding, freeing, starting a player and finishing a stop. Taken before
    // the other locks, and never across a host call that may run the owner's
    // event loop.
    std::mutex lifecycleMutex_;
    std::mutex stateMutex_; // makes the three stores of ChangeState one step
    std::atomic<ROVUState*> current_{nullptr};
    std::atomic<ROVUState*> previous_{nullptr};

    MVOXQ ring_;
    AutoResetEvent stateEvent_;
    std::atomic<bool> closing_{false};
    std::atomic<bool> queueStop_{false};
    // Stop transitions ChangeState took for the running playback, for the
    // queue thread to finish; start() clears them with the pending ring.
    std::atomic<int> stopsDue_{0};

    // Telemetry: the reader, its copy of the box and the current copies.
    mutable std::mutex telemetryMutex_; // guards the members up to sensorCopy_
    MVOXUDAT reader_;
    std::vector<std::uint8_t> box_;
    bool hasTelemetryData_ = false;
    bool readFailed_ = false; // the last file gave no telemetry (unreadable, or picture-only)
    bool hasCopies_ = false;
    std::array<char, kGpsRecordSize> gpsCopy_{};
    std::array<float, 3> sensorCopy_{};

    std::atomic<int> volume_{100};
    std::atomic<int> screenWidth_{0};
    std::atomic<int> screenHeight_{0};
    orv::VideoRectTable videoRects_{};  // written on the GUI thread, read by the library there
    orv::VideoRectTable popupRects_{};
    std::atomic<std::intptr_t> videoWindow0_{0};
    std::atomic<std::intptr_t> videoWindow1_{0};
    std::atomic<std::int32_t*> stopFlag_{nullptr};

    // The current pair of files and the player thread's argument copies.
    std::mutex filesMutex_; // guards first_, second_
    std::string first_;
    std::string second_;
    bool filesSet_ = false;
    std::array<char, kPathBuffer> firstArg_{};
    std::array<char, kPathBuffer> secondArg_{};
    PreparedLoad prepared_; // GUI thread only

    std::mutex playerThreadMutex_; // guards playerThread_: the GUI and queue threads both join it
    std::thread playerThread_;
    std::atomic<bool> playerRunning_{false};
    // Signalled as the player thread leaves Velora (playerRunning_ false).
    std::mutex playerEndMutex_;
    std::condition_variable playerEnded_;
    std::atomic<std::chrono::milliseconds> stopPatience_;
    std::thread queueThread_;
};

} // namespace kyvo::player
