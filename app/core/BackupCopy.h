#pragma once
// The backup copy of a recording: its name in the backup folder and the
// copy itself, made so that a backup is either whole or absent.
//
// The copy is written to a temporary file in the target folder, flushed to
// the disk, given the source's modification time and renamed over the
// target only then; a failed or cancelled copy removes its temporary file
// and leaves an existing backup as it was. A file is never copied onto
// itself.
//
// copyRecording() blocks for the whole copy: run it on a worker thread. It
// reads `cancel` between chunks and calls `progress` from that thread.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace kyvo::app {

// "copy_" + the recording's file name, in `folder`.
std::filesystem::path backupTarget(const std::filesystem::path& folder, const std::filesystem::path& recording);

enum class CopyResult {
    Copied,
    SameFile,         // the target is the recording itself
    SourceUnreadable, // the recording cannot be opened or read
    TargetFailed,     // the folder cannot take the copy (missing, read-only, full)
    Cancelled,
};

struct CopyProgress {
    std::uint64_t done = 0;
    std::uint64_t total = 0;
};

CopyResult copyRecording(const std::filesystem::path& source, const std::filesystem::path& target,
                         const std::atomic<bool>& cancel,
                         const std::function<void(const CopyProgress&)>& progress = {});

} // namespace kyvo::app
