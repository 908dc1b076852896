#pragma once
// A client of the playback library for tests and benchmarks: loads it by path,
// registers itself, answers its questions and records every callback. Velora
// runs on a thread of the harness.

#include "OrvPlayerAbi.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class QWidget;

namespace orvtest {

struct Event {
    int code;
    std::intptr_t parameter;
    std::chrono::steady_clock::time_point at;
    // Copies of what the parameter pointed to, when it pointed to something.
    float time = 0;             // code 6: FrameInfo time; code 14: length
    std::int32_t imageSize = 0; // code 6
    bool hasPicture0 = false;
    bool hasPicture1 = false;
    std::uint32_t frameCount = 0; // code 23
    std::int64_t latencyNs = 0;   // code 6: from the picture leaving libmpv to this callback
};

class PlayerHarness {
public:
    explicit PlayerHarness(const std::string& libraryPath);
    ~PlayerHarness();

    bool loaded() const { return velora_ != nullptr; }

    // What the harness answers to the library's questions.
    QWidget* owner = nullptr;
    // Asked at start-up and at every load, from the library's thread.
    std::atomic<std::int32_t> channelMode{1};
    std::atomic<std::int32_t> encryptedViewMode{0};
    std::atomic<std::uint32_t> key{0};
    std::atomic<std::int32_t> rearView{orv::kRearBeside};
    orv::VideoRectTable rects{{{24, 45, 640, 360}, {0, 0, 320, 240}}};
    orv::VideoRectTable popupRects{};
    std::int32_t volume = 100;
    // Called on the library's thread right after a code-6 event is recorded (benchmarks).
    std::function<void(const Event&)> onFrame;

    // Runs Velora with the two files on a thread of the harness.
    void start(const std::string& first, const std::string& second = "");
    void command(const std::string& text);
    // The library's copy of a channel's newest picture into `out` (sized by the caller).
    bool copyPicture(int channel, std::vector<std::uint8_t>& out, OrvPictureCopy& copy) const;
    // Waits until Velora has returned; answers false on time-out.
    bool join(std::chrono::milliseconds timeout);
    bool running() const { return running_.load(); }
    int veloraResult() const { return veloraResult_.load(); }

    std::vector<Event> events() const;
    std::vector<int> codes() const;
    std::size_t count(int code) const;
    // Waits until `predicate(events)` holds; false on time-out.
    bool waitFor(const std::function<bool(const std::vector<Event>&)>& predicate, std::chrono::milliseconds timeout);
    bool waitForCount(int code, std::size_t n, std::chrono::milliseconds timeout);
    // Whether no event of `code` came for `period`, counted from `since` or
    // from the last such event, whichever is later.
    bool quiet(int code, std::chrono::steady_clock::time_point since, std::chrono::milliseconds period) const;
    // Waits until no event of `code` has come for `period` (from now on);
    // false on time-out. How a test sees that the frames have stopped.
    bool waitForQuiet(int code, std::chrono::milliseconds period, std::chrono::milliseconds timeout);
    // Records an event of the test's own (a negative code) among the library's.
    void mark(int code);

    std::intptr_t videoWindow0() const;
    std::int32_t* stopFlag() const;

private:
    static void callback(void* instance, std::intptr_t parameter, int code);
    void record(std::intptr_t parameter, int code);

    void* library_ = nullptr;
    OrvVeloraFn velora_ = nullptr;
    OrvSetInstFn setInst_ = nullptr;
    OrvSetCallbackFn setCallback_ = nullptr;
    OrvCommandFn command_ = nullptr;
    OrvCopyPictureFn copyPicture_ = nullptr;

    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<int> veloraResult_{-100};
    std::string files_[2];
    std::vector<char*> argv_;

    mutable std::mutex mutex_; // guards events_
    std::condition_variable changed_;
    std::vector<Event> events_;
};

} // namespace orvtest
