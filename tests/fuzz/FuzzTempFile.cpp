#include "FuzzTempFile.h"
#include "FuzzTargets.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>

namespace kyvo::fuzz {

namespace {

struct ScratchFile {
    int fd = -1;
    std::string path;
};

} // namespace

void require(bool condition, const char* what) {
    if (condition)
        return;
    std::fprintf(stderr, "fuzz target invariant failed: %s\n", what);
    std::abort();
}

const std::string& writeScratchFile(const char* name, const std::uint8_t* data, std::size_t size) {
    // Never destroyed: the files live as long as the process.
    static auto* files = new std::map<std::string, ScratchFile>;
    ScratchFile& file = (*files)[name];
    if (file.fd < 0) {
        file.fd = ::memfd_create(name, MFD_CLOEXEC);
        require(file.fd >= 0, "a scratch file can be made");
        file.path = "/proc/self/fd/" + std::to_string(file.fd);
    }
    require(::ftruncate(file.fd, 0) == 0, "the scratch file can be emptied");
    std::size_t done = 0;
    while (done < size) {
        const ssize_t wrote = ::pwrite(file.fd, data + done, size - done, static_cast<off_t>(done));
        require(wrote > 0, "the scratch file is written whole");
        done += static_cast<std::size_t>(wrote);
    }
    return file.path;
}

} // namespace kyvo::fuzz
