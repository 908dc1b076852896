#pragma once
// Scrambled recordings played as they are: a stream protocol of the channel's
// mpv instance reads the file and restores its first header on the fly
// (RecordingScramble.h), so the file on disk is never rewritten nor copied.
//
// A channel registers the protocol once, then names each scrambled file it
// loads with address(): an address of the form "orvscrambled://<n>" that
// stands for the path and key noted under n. The key never appears in the
// address, so it is never written into mpv's log lines.
//
// mpv opens the stream on a thread of its own, and reads it there: the table
// of noted files is guarded by its mutex; an opened stream owns its file and
// its copy of the key, and outlives the table's entry.
//
// A file whose first header the key does not restore to an "ftyp" box is
// refused at opening: mpv then reports the file as unplayable.

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>

struct mpv_handle;

namespace orv {

inline constexpr char kScrambledProtocol[] = "orvscrambled";

class ScrambledFiles {
public:
    // Registers the protocol on `mpv` with this table. The table must outlive
    // the mpv instance (mpv_terminate_destroy). False when mpv refused.
    bool registerWith(mpv_handle* mpv);

    // Notes `path` with `key` and answers the address mpv is to load. Only the
    // last few notes are kept: an address loaded long ago no longer opens.
    std::string address(const std::string& path, std::uint32_t key);

    struct Noted {
        std::uint64_t id;
        std::string path;
        std::uint32_t key;
    };
    // The path and key an address stands for; false when it names none.
    bool lookUp(const std::string& address, Noted& noted) const;

private:
    static constexpr std::size_t kKeptNotes = 4;

    mutable std::mutex mutex_; // guards notes_ and nextId_
    std::deque<Noted> notes_;
    std::uint64_t nextId_ = 1;
};

} // namespace orv
