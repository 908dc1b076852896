#pragma once
// An auto-reset event: set() wakes exactly one waiter (or the next one to
// wait) and the event falls back to unset as that waiter returns.
// All members may be called from any thread.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace kyvo {

class AutoResetEvent {
public:
    void set() {
        {
            std::lock_guard lock(mutex_);
            signalled_ = true;
        }
        cv_.notify_one();
    }

    void wait() {
        std::unique_lock lock(mutex_);
        cv_.wait(lock, [this] { return signalled_; });
        signalled_ = false;
    }

    // Answers true when the event was set within the time-out.
    template <class Rep, class Period>
    bool waitFor(std::chrono::duration<Rep, Period> timeout) {
        std::unique_lock lock(mutex_);
        if (!cv_.wait_for(lock, timeout, [this] { return signalled_; }))
            return false;
        signalled_ = false;
        return true;
    }

private:
    std::mutex mutex_;               // guards signalled_
    std::condition_variable cv_;
    bool signalled_ = false;
};

} // namespace kyvo
