#pragma once
// MVOXQ: the ring of pending state transitions. Five entries of four words
// (from state, to state, code, requesting state); writing overwrites the
// oldest unread entry when the ring is full.
//
// Thread-safe: the GUI thread writes, the adapter's queue thread reads.

#include <array>
#include <cstdint>
#include <mutex>

namespace kyvo::player {

struct PendingTransition {
    std::intptr_t from = 0;
    std::intptr_t to = 0;
    std::int32_t code = 0;
    std::intptr_t requester = 0;
};

class MVOXQ {
public:
    static constexpr int kEntries = 5;
    enum ReadResult : int { kRead = 0, kEmpty = 1, kNoOutput = 2 };

    virtual ~MVOXQ() = default;

    void write(const PendingTransition& entry) {
        std::lock_guard lock(mutex_);
        entries_[static_cast<std::size_t>(write_)] = entry;
        write_ = (write_ + 1) % kEntries;
    }

    // Reads the oldest entry without removing it.
    int readOldest(PendingTransition* out) const {
        std::lock_guard lock(mutex_);
        if (read_ == write_)
            return kEmpty;
        if (!out)
            return kNoOutput;
        *out = entries_[static_cast<std::size_t>(read_)];
        return kRead;
    }

    void removeOldest() {
        std::lock_guard lock(mutex_);
        if (read_ != write_)
            read_ = (read_ + 1) % kEntries;
    }

    // Forgets every unread entry.
    void clear() {
        std::lock_guard lock(mutex_);
        read_ = write_;
    }

private:
    mutable std::mutex mutex_; // guards everything below
    std::array<PendingTransition, kEntries> entries_{};
    int write_ = 0;
    int read_ = 0;
};

} // namespace kyvo::player
