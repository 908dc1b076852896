#include "BackupCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace kyvo::app {

namespace {

namespace fs = std::filesystem;

constexpr char kCopyPrefix[] = "copy_";
constexpr std::size_t kChunkBytes = 8u << 20; // between progress reports and cancel checks

// A file descriptor closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool sameFile(const fs::path& source, const fs::path& target) {
    std::error_code error;
    return fs::exists(target, error) && fs::equivalent(source, target, error);
}

// Makes the rename itself durable.
void syncFolder(const fs::path& folder) {
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

} // namespace

fs::path backupTarget(const fs::path& folder, const fs::path& recording) {
    return folder / (std::string(kCopyPrefix) + recording.filename().string());
}

CopyResult copyRecording(const fs::path& source, const fs::path& target, const std::atomic<bool>& cancel,
                         const std::function<void(const CopyProgress&)>& progress) {
    if (sameFile(source, target))
        return CopyResult::SameFile;
    Descriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (in.get() < 0 || ::fstat(in.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return CopyResult::SourceUnreadable;

    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::string temporary = (folder / ("." + target.filename().string() + ".partXXXXXX")).string();
    Descriptor out(::mkstemp(temporary.data()));
    if (out.get() < 0)
        return CopyResult::TargetFailed;
    auto fail = [&](CopyResult result) {
        out.close();
        ::unlink(temporary.c_str());
        return result;
    };

    CopyProgress done{0, static_cast<std::uint64_t>(info.st_size)};
    // The kernel copies between the files where it can (no trip through
    // this process's memory); a file system that cannot falls back to reads
    // and writes, from where the kernel left off.
    bool kernelCopy = true;
    while (kernelCopy) {
        if (cancel.load())
            return fail(CopyResult::Cancelled);
        const ssize_t copied = ::copy_file_range(in.get(), nullptr, out.get(), nullptr, kChunkBytes, 0);
        if (copied < 0) {
            if (errno == EINTR)
                continue;
            // Unsupported here, or failing: reads and writes go on and tell
            // which side fails.
            kernelCopy = false;
            break;
        }
        if (copied == 0)
            break;
        done.done += static_cast<std::uint64_t>(copied);
        if (progress)
            progress(done);
    }
    std::vector<char> buffer(kernelCopy ? 0 : kChunkBytes);
    while (!kernelCopy) {
        if (cancel.load())
            return fail(CopyResult::Cancelled);
        const ssize_t got = ::read(in.get(), buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return fail(CopyResult::SourceUnreadable);
        }
        if (got == 0)
            break;
        if (!writeAll(out.get(), buffer.data(), static_cast<std::size_t>(got)))
            return fail(CopyResult::TargetFailed);
        done.done += static_cast<std::uint64_t>(got);
        if (progress)
            progress(done);
    }
    // The copy keeps the recording's modification time: the recorder's clock
    // when it was written is part of the evidence.
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    const mode_t mode = (info.st_mode & 0777) | S_IWUSR;
    if (::fchmod(out.get(), mode) != 0 || ::futimens(out.get(), times) != 0 || ::fsync(out.get()) != 0 ||
        !out.close())
        return fail(CopyResult::TargetFailed);
    if (cancel.load())
        return fail(CopyResult::Cancelled);
    if (std::rename(temporary.c_str(), target.c_str()) != 0)
        return fail(CopyResult::TargetFailed);
    syncFolder(folder);
    return CopyResult::Copied;
}

} // namespace kyvo::app
