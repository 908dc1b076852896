#pragma once
// A recording opened for reading at given offsets. The telemetry box reader
// only ever needs the file's size and a few positioned reads (box headers, then
// the box itself), so recordings of hundreds of megabytes are never loaded.
//
// RecordingSource is what the reader works on; RecordingFile is the real file
// (POSIX open/fstat/pread; the Windows port swaps this one class). Tests give
// the reader sources that fail on purpose.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kyvo::player {

class RecordingSource {
public:
    virtual ~RecordingSource() = default;
    // The size in bytes, or nothing when it cannot be queried.
    virtual std::optional<std::uint64_t> size() const = 0;
    // Fills `out` from `offset` and answers how many bytes were read: fewer
    // than asked only where the file ends. Nothing on a read error.
    virtual std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> out) const = 0;
};

// Opens an existing regular file read-only (never creates one; directories,
// pipes and devices count as not opened). Reads do not move a shared file
// position, so a const RecordingFile may be read from any thread.
class RecordingFile final : public RecordingSource {
public:
    explicit RecordingFile(const std::string& utf8Path);
    ~RecordingFile() override;
    RecordingFile(RecordingFile&& other) noexcept;
    RecordingFile& operator=(RecordingFile&& other) noexcept;
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    std::optional<std::uint64_t> size() const override;
    std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> out) const override;

private:
    void close();

    int fd_ = -1;
};

} // namespace kyvo::player
