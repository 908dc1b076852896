#include "RecordingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <utility>

namespace kyvo::player {

RecordingFile::RecordingFile(const std::string& utf8Path) {
    // O_NONBLOCK keeps a named pipe from blocking the open; it changes nothing
    // for the regular files we keep.
    fd_ = ::open(utf8Path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0)
        return;
    struct stat info {};
    if (::fstat(fd_, &info) == 0 && !S_ISREG(info.st_mode))
        close();
}

RecordingFile::~RecordingFile() { close(); }

RecordingFile::RecordingFile(RecordingFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

RecordingFile& RecordingFile::operator=(RecordingFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void RecordingFile::close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

std::optional<std::uint64_t> RecordingFile::size() const {
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0 || info.st_size < 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

std::optional<std::size_t> RecordingFile::readAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
    constexpr auto kLargestOffset = static_cast<std::uint64_t>(std::numeric_limits<off_t>::max());
    if (fd_ < 0 || offset > kLargestOffset || out.size() > kLargestOffset - offset)
        return std::nullopt;
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break; // end of file
        done += static_cast<std::size_t>(got);
    }
    return done;
}

} // namespace kyvo::player
