#include "Convert.h"

#include "JpegStillWriter.h"
#include "PictureFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <span>

namespace kyvo::jpegstill {

std::string convertFile(const std::string& input, const std::string& output) {
    // The file is mapped, its pages filled in one go: a picture of several
    // megabytes is then neither copied nor faulted in page by page.
    const int fd = ::open(input.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return input + ": cannot be opened";
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return input + ": cannot be read";
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    void* mapped = size > 0 ? ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0) : nullptr;
    ::close(fd);
    if (size > 0 && mapped == MAP_FAILED)
        return input + ": cannot be read";
    struct Unmap {
        void* at;
        std::size_t size;
        ~Unmap() {
            if (at != nullptr && at != MAP_FAILED)
                ::munmap(at, size);
        }
    } unmap{mapped, size};
    const std::span<const std::uint8_t> file(static_cast<const std::uint8_t*>(mapped), size);
    const ReadResult read = readPicture(file);
    if (const auto* error = std::get_if<ReadError>(&read))
        return input + ": " + error->message;
    // The encoder reads the rows straight from the mapped file.
    if (!imaging::writeJpegFile(std::get<Picture>(read).view, output))
        return output + ": cannot be written";
    return {};
}

} // namespace kyvo::jpegstill
