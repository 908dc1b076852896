// A playback library for the adapter's tests: the four exports of the real
// one, driven by the test through ScriptedControl instead of by recordings.

#include "ScriptedControl.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#define SCRIPTED_EXPORT extern "C" __attribute__((visibility("default")))

namespace scripted {
namespace {

// How often a running Velora looks at its stop flag, which the client writes
// without telling anyone (as with the real library).
constexpr auto kStopFlagPoll = std::chrono::milliseconds(2);
constexpr char kQuit[] = "quit";

class ScriptedPlayer final : public ScriptedControl {
public:
    // --- The exports ---
    int velora(int argc, char** argv) {
        {
            std::lock_guard lock(mutex_);
            std::vector<std::string> args;
            for (int i = 0; i < argc; ++i)
                args.emplace_back(argv[i] ? argv[i] : "");
            calls_.push_back(std::move(args));
            inVelora_ = true;
        }
        changed_.notify_all();
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait_for(lock, kStopFlagPoll, [this] { return !queue_.empty() || asked(); });
            if (asked())
                break;
            while (!queue_.empty()) {
                const Event event = queue_.front();
                queue_.pop_front();
                lock.unlock();
                call(event);
                lock.lock();
                ++delivered_;
                changed_.notify_all();
            }
        }
        const std::vector<Event> farewell = farewell_;
        lock.unlock();
        for (const Event& event : farewell)
            call(event);
        call({orv::kEvStopped, 0});
        lock.lock();
        if (hold_) {
            const int quits = quits_;
            held_ = true;
            changed_.notify_all();
            changed_.wait(lock, [&] { return quits_ > quits; });
            held_ = false;
        }
        lock.unlock();
        call({orv::kEvPlayerEnded, 0});
        lock.lock();
        inVelora_ = false;
        quit_ = false;
        ++returns_;
        lock.unlock();
        changed_.notify_all();
        return 0;
    }

    void setInstance(void* instance) { instance_.store(instance); }
    void setCallback(OrvEventCallback fn) { callback_.store(fn); }
    void command(const char* text) {
        {
            std::lock_guard lock(mutex_);
            commands_.emplace_back(text ? text : "");
            if (commands_.back() == kQuit) {
                ++quits_;
                quit_ = quit_ || !ignoreQuit_;
            }
        }
        changed_.notify_all();
    }

    // --- ScriptedControl ---
    void reset() override {
        std::lock_guard lock(mutex_);
        commands_.clear();
        calls_.clear();
        queue_.clear();
        farewell_.clear();
        ignoreQuit_ = hold_ = held_ = false;
        quit_ = false;
        quits_ = 0;
        queued_ = delivered_ = returns_ = 0;
        std::atomic_ref<std::int32_t>(stopFlag_).store(0);
    }
    std::vector<std::string> commands() const override {
        std::lock_guard lock(mutex_);
        return commands_;
    }
    std::vector<std::vector<std::string>> veloraCalls() const override {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    void* instance() const override { return instance_.load(); }
    OrvEventCallback callback() const override { return callback_.load(); }
    std::int32_t* stopFlag() override { return &stopFlag_; }
    std::int32_t stopFlagValue() const override {
        return std::atomic_ref<std::int32_t>(stopFlag_).load();
    }
    bool inVelora() const override {
        std::lock_guard lock(mutex_);
        return inVelora_;
    }
    int veloraReturns() const override {
        std::lock_guard lock(mutex_);
        return returns_;
    }
    bool waitForVeloraCalls(int count, std::chrono::milliseconds timeout) override {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return static_cast<int>(calls_.size()) >= count; });
    }
    bool waitForVeloraReturns(int count, std::chrono::milliseconds timeout) override {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return returns_ >= count; });
    }
    bool emitOnPlayer(Event event, std::chrono::milliseconds timeout) override {
        std::unique_lock lock(mutex_);
        const int ticket = ++queued_;
        queue_.push_back(event);
        changed_.notify_all();
        return changed_.wait_for(lock, timeout, [&] { return delivered_ >= ticket; });
    }
    void emitOnOtherThread(Event event) override {
        std::thread other([this, event] { call(event); });
        other.join();
    }
    void setFarewell(std::vector<Event> events) override {
        std::lock_guard lock(mutex_);
        farewell_ = std::move(events);
    }
    void setIgnoreQuit(bool ignore) override {
        std::lock_guard lock(mutex_);
        ignoreQuit_ = ignore;
    }
    void setHoldAfterStopped(bool hold) override {
        std::lock_guard lock(mutex_);
        hold_ = hold;
    }
    bool waitUntilHeld(std::chrono::milliseconds timeout) override {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return held_; });
    }

private:
    // Under mutex_: the player was told to end.
    bool asked() const { return quit_ || stopFlagValue() != 0; }

    void call(const Event& event) const {
        if (OrvEventCallback fn = callback_.load())
            fn(instance_.load(), event.parameter, event.code);
    }

    mutable std::mutex mutex_; // guards everything below but the atomics and the stop flag
    std::condition_variable changed_;
    std::vector<std::string> commands_;
    std::vector<std::vector<std::string>> calls_;
    std::deque<Event> queue_;
    std::vector<Event> farewell_;
    bool ignoreQuit_ = false;
    bool hold_ = false;
    bool held_ = false;
    int quits_ = 0;
    bool quit_ = false;
    bool inVelora_ = false;
    int queued_ = 0;
    int delivered_ = 0;
    int returns_ = 0;

    // Written by the client through the address it was given.
    alignas(std::atomic_ref<std::int32_t>::required_alignment) mutable std::int32_t stopFlag_ = 0;
    std::atomic<void*> instance_{nullptr};
    std::atomic<OrvEventCallback> callback_{nullptr};
};

ScriptedPlayer& player() {
    static ScriptedPlayer instance;
    return instance;
}

} // namespace
} // namespace scripted

SCRIPTED_EXPORT int Velora(int argc, char** argv) { return scripted::player().velora(argc, argv); }
SCRIPTED_EXPORT void setInst(void* instance) { scripted::player().setInstance(instance); }
SCRIPTED_EXPORT void setW(OrvEventCallback callback) { scripted::player().setCallback(callback); }
SCRIPTED_EXPORT void cmd_direct(const char* command) { scripted::player().command(command); }
SCRIPTED_EXPORT scripted::ScriptedControl* scripted_control() { return &scripted::player(); }
