// Telemetry box benchmark: finding and copying the udat box of a 600 MB
// recording with positioned reads (readTelemetryBox), against the way it was
// once done: the whole file read into a zero-filled buffer one byte larger than
// the file (one read), the boxes walked in memory, the box copied out. Prints
// the medians of warm runs and their ratio (target: the reader at most 5 ms),
// and the peak heap each way needs beyond what it hands back.
//
//   telemetry_bench [FILE]
// Without FILE a sparse recording (ftyp, a ~600 MB mdat, moov, udat) is made
// under $TMPDIR and removed afterwards. FILE must be a plain recording.

#include "BoxWriter.h"
#include "ByteOrder.h"
#include "TelemetryBox.h"

#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

// Heap accounting for the whole process: bytes in use now and the highest
// value since the last reset.
namespace {
std::size_t gHeapInUse = 0;
std::size_t gHeapPeak = 0;

void* countedAlloc(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr)
        throw std::bad_alloc();
    gHeapInUse += malloc_usable_size(p);
    gHeapPeak = std::max(gHeapPeak, gHeapInUse);
    return p;
}

void countedFree(void* p) noexcept {
    if (p == nullptr)
        return;
    gHeapInUse -= malloc_usable_size(p);
    std::free(p);
}
} // namespace

void* operator new(std::size_t size) { return countedAlloc(size); }
void* operator new[](std::size_t size) { return countedAlloc(size); }
void operator delete(void* p) noexcept { countedFree(p); }
void operator delete[](void* p) noexcept { countedFree(p); }
void operator delete(void* p, std::size_t) noexcept { countedFree(p); }
void operator delete[](void* p, std::size_t) noexcept { countedFree(p); }

namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kRecordingSize = 600'000'000;
constexpr std::uint32_t kFtypSize = 20;
constexpr std::uint32_t kMoovSize = 16 * 1024;
constexpr int kEntryCount = 181; // 60 s at 30 frames per second, one entry per ten frames, plus one
constexpr int kReaderWarmRuns = 5;
constexpr int kReaderRuns = 201;
constexpr int kAnchorWarmRuns = 1;
constexpr int kAnchorRuns = 5;
constexpr double kTargetMs = 5.0;
constexpr int kNoBox = 7;

Bytes boxHeader(const char* type, std::uint32_t size) {
    Bytes out;
    kyvo::recgen::appendBe32(out, size);
    out.insert(out.end(), type, type + 4);
    return out;
}

bool writeAt(int fd, std::uint64_t offset, const Bytes& bytes) {
    return ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset)) == static_cast<ssize_t>(bytes.size());
}

// ftyp, an mdat filling the file up to a moov and the udat box at the end; the
// mdat's payload is a hole.
bool makeSparseRecording(const std::filesystem::path& path) {
    std::vector<kyvo::recgen::TelemetryEntry> entries(kEntryCount);
    for (int k = 0; k < kEntryCount; ++k)
        entries[static_cast<std::size_t>(k)].sentence =
            "$GPRMC,081500.000,A,2503.5000,N,12133.8400,E,022.4,084.4,120624,,,A*" + std::to_string(k % 100);
    const Bytes udat = kyvo::recgen::encodeUdatBox(entries);
    Bytes moov = boxHeader("moov", kMoovSize);
    moov.resize(kMoovSize, 0);
    const std::uint64_t moovAt = kRecordingSize - udat.size() - kMoovSize;
    const auto mdatSize = static_cast<std::uint32_t>(moovAt - kFtypSize);
    Bytes ftyp = boxHeader("ftyp", kFtypSize);
    ftyp.resize(kFtypSize, 0);

    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::ftruncate(fd, static_cast<off_t>(kRecordingSize)) == 0 && writeAt(fd, 0, ftyp) &&
                    writeAt(fd, kFtypSize, boxHeader("mdat", mdatSize)) && writeAt(fd, moovAt, moov) &&
                    writeAt(fd, moovAt + kMoovSize, udat);
    return ::close(fd) == 0 && ok;
}

// The old way: the whole file in memory, walked there. Answers 0 or a failure.
int readWholeFile(const std::string& path, Bytes& copy) {
    copy.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 2;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return 4;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    Bytes buffer(size + 1, 0);
    const ssize_t got = ::read(fd, buffer.data(), size);
    ::close(fd);
    if (got != static_cast<ssize_t>(size))
        return 3;
    std::size_t position = 0;
    while (std::memcmp(buffer.data() + position + 4, "udat", 4) != 0) {
        const std::uint32_t boxSize = kyvo::recgen::loadBe32(std::span(buffer).subspan(position).first<4>());
        if (boxSize == 0)
            return kNoBox;
        position += boxSize;
        if (position + kyvo::player::udat::kHeaderSize > size)
            return kNoBox;
    }
    copy.assign(buffer.begin() + static_cast<std::ptrdiff_t>(position), buffer.end() - 1);
    return 0;
}

struct Timing {
    double medianMs = 0;
    double maxMs = 0;
    std::size_t peakHeap = 0; // beyond the heap in use before the call, the copy included
    int result = -1;
};

template <typename Run>
Timing measure(int warmRuns, int runs, Run run) {
    for (int i = 0; i < warmRuns; ++i)
        run();
    std::vector<double> ms;
    Timing timing;
    for (int i = 0; i < runs; ++i) {
        const std::size_t before = gHeapInUse;
        gHeapPeak = gHeapInUse;
        const auto start = Clock::now();
        timing.result = run();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        timing.peakHeap = std::max(timing.peakHeap, gHeapPeak - before);
    }
    std::sort(ms.begin(), ms.end());
    timing.medianMs = ms[ms.size() / 2];
    timing.maxMs = ms.back();
    return timing;
}

long maxRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    std::filesystem::path file;
    bool made = false;
    if (argc > 1) {
        file = argv[1];
    } else {
        file = std::filesystem::temp_directory_path() / ("kyvo_telemetry_bench_" + std::to_string(::getpid()) + ".mov");
        if (!makeSparseRecording(file)) {
            std::fprintf(stderr, "telemetry_bench: cannot write %s\n", file.c_str());
            return 1;
        }
        made = true;
    }
    const std::string path = file.string();
    std::printf("recording: %s, %ju bytes\n", path.c_str(),
                static_cast<std::uintmax_t>(std::filesystem::file_size(file)));

    // The reader runs first, so that the process's peak resident size still
    // shows what it alone needed.
    Bytes readerCopy;
    const long rssBefore = maxRssKiB();
    const Timing reader = measure(kReaderWarmRuns, kReaderRuns, [&] {
        Bytes copy; // a fresh buffer each run, so the copy's allocation is counted
        const int result = kyvo::player::readTelemetryBox(path, kyvo::player::ViewMode::General, 0, copy);
        readerCopy = std::move(copy);
        return result;
    });
    const long rssAfterReader = maxRssKiB();

    Bytes anchorCopy;
    const Timing anchor = measure(kAnchorWarmRuns, kAnchorRuns, [&] {
        Bytes copy;
        const int result = readWholeFile(path, copy);
        anchorCopy = std::move(copy);
        return result;
    });
    const long rssAfterAnchor = maxRssKiB();

    std::printf("results: reader %d, anchor %d; copies %s (%zu bytes)\n", reader.result, anchor.result,
                readerCopy == anchorCopy ? "identical" : "DIFFER", readerCopy.size());
    std::printf("%-34s %12s %12s %16s\n", "", "median ms", "max ms", "peak heap bytes");
    std::printf("%-34s %12.3f %12.3f %16zu\n", "reader (positioned reads)", reader.medianMs, reader.maxMs,
                reader.peakHeap);
    std::printf("%-34s %12.3f %12.3f %16zu\n", "anchor (whole file, one read)", anchor.medianMs, anchor.maxMs,
                anchor.peakHeap);
    std::printf("anchor / reader: %.0f x; reader target <= %.1f ms: %s\n", anchor.medianMs / reader.medianMs,
                kTargetMs, reader.medianMs <= kTargetMs ? "met" : "MISSED");
    std::printf("reader peak heap beyond its %zu-byte copy: %zu bytes (header window of 4096 bytes on the stack)\n",
                readerCopy.size(), reader.peakHeap - std::min(reader.peakHeap, malloc_usable_size(readerCopy.data())));
    std::printf("process peak resident size: %ld KiB before, %ld KiB after the reader runs, %ld KiB after the anchor\n",
                rssBefore, rssAfterReader, rssAfterAnchor);
    if (made)
        std::filesystem::remove(file);
    return reader.result == 0 && anchor.result == 0 && readerCopy == anchorCopy ? 0 : 1;
}
