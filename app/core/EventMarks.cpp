#include "EventMarks.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <optional>
#include <system_error>

namespace kyvo::app {

namespace {

constexpr std::array<std::uint8_t, 4> kEventType{'E', 'V', 'T', 'I'};
constexpr std::size_t kSizeFieldBytes = 4;
// Size word 1: the real size is the 64-bit word after the type.
constexpr std::uint32_t kLargeSizeMark = 1;
constexpr std::size_t kLargeSizeBytes = 8;
constexpr std::size_t kLargeHeaderSize = kEventBoxHeaderSize + kLargeSizeBytes;
// Size word 0: the box runs to the end of the file.
constexpr std::uint32_t kToEndMark = 0;
// Box headers are served from a window of this many bytes, so that a walk over
// many small boxes costs one read per window rather than one per box.
constexpr std::size_t kHeaderWindowSize = 4096;

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | std::uint32_t{p[3]};
}

std::uint64_t bigEndian64(const std::uint8_t* p) {
    return std::uint64_t{bigEndian32(p)} << 32 | bigEndian32(p + kSizeFieldBytes);
}

bool isEventType(const std::uint8_t* p) {
    return std::equal(kEventType.begin(), kEventType.end(), p);
}

// The recording's bytes, read at any offset.
class Source {
public:
    explicit Source(std::uint64_t size) : size_(size) {}
    virtual ~Source() = default;
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;

    std::uint64_t size() const { return size_; }
    // Copies the bytes at `offset` into `out` and answers how many: fewer only
    // where the data ends (at size(), or earlier on a read error).
    virtual std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;

protected:
    // How many of `wanted` bytes at `offset` lie before size().
    std::size_t within(std::uint64_t offset, std::size_t wanted) const {
        return offset >= size_ ? 0 : static_cast<std::size_t>(std::min<std::uint64_t>(wanted, size_ - offset));
    }

private:
    std::uint64_t size_;
};

class BufferSource final : public Source {
public:
    explicit BufferSource(std::span<const std::uint8_t> bytes) : Source(bytes.size()), bytes_(bytes) {}

    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
        const std::size_t n = within(offset, out.size());
        if (n > 0)
            std::memcpy(out.data(), bytes_.data() + offset, n);
        return n;
    }

private:
    std::span<const std::uint8_t> bytes_;
};

// Positioned reads of an open file. Bytes the file gained after its size was
// taken are not read, so both sources agree on where the data ends.
class FileSource final : public Source {
public:
    FileSource(std::ifstream& in, std::uint64_t size) : Source(size), in_(in) {}

    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
        const std::size_t n = within(offset, out.size());
        if (n == 0)
            return 0;
        in_.clear();
        if (!in_.seekg(static_cast<std::streamoff>(offset)))
            return 0;
        in_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(n));
        return static_cast<std::size_t>(in_.gcount());
    }

private:
    std::ifstream& in_;
};

// Serves the few header bytes at a position from a window of the source.
class HeaderReader {
public:
    explicit HeaderReader(Source& source) : source_(source) {}

    // Fills `out` (at most the window) from `offset`; false when the data
    // ends before.
    bool read(std::uint64_t offset, std::span<std::uint8_t> out) {
        const bool inWindow =
            offset >= start_ && offset - start_ <= length_ && length_ - (offset - start_) >= out.size();
        if (!inWindow) {
            start_ = offset;
            length_ = source_.readAt(offset, window_);
            if (length_ < out.size())
                return false;
        }
        std::memcpy(out.data(), window_.data() + (offset - start_), out.size());
        return true;
    }

private:
    Source& source_;
    std::uint64_t start_ = 0;
    std::size_t length_ = 0;   // bytes of the window that hold data
    std::array<std::uint8_t, kHeaderWindowSize> window_{};
};

// Where an event box's records lie.
struct EventBox {
    std::uint64_t payload = 0;   // file offset of the first record
    std::size_t records = 0;
};

EventBox eventBox(std::uint64_t payload, std::uint64_t payloadSize) {
    const std::uint64_t records = std::min<std::uint64_t>(payloadSize / kEventRecordSize, kMaxEventRecords);
    return {payload, static_cast<std::size_t>(records)};
}

// Step 1: the first "EVTI" box among the top-level boxes.
std::optional<EventBox> walkToEventBox(Source& source) {
    HeaderReader headers(source);
    const std::uint64_t end = source.size();
    std::array<std::uint8_t, kLargeHeaderSize> header{};
    const auto shortHeader = std::span(header).first(kEventBoxHeaderSize);
    const auto largeSize = std::span(header).subspan(kEventBoxHeaderSize);
    // `at` never passes `end`: every box that is stepped over lies inside the file.
    for (std::uint64_t at = 0; end - at >= kEventBoxHeaderSize;) {
        if (!headers.read(at, shortHeader))
            return std::nullopt;
        std::uint64_t boxSize = bigEndian32(header.data());
        std::uint64_t headerSize = kEventBoxHeaderSize;
        if (boxSize == kLargeSizeMark) {
            if (end - at < kLargeHeaderSize || !headers.read(at + kEventBoxHeaderSize, largeSize))
                return std::nullopt;
            boxSize = bigEndian64(largeSize.data());
            headerSize = kLargeHeaderSize;
        } else if (boxSize == kToEndMark) {
            boxSize = end - at;
        }
        if (boxSize < headerSize || boxSize > end - at)
            return std::nullopt;   // the walk breaks
        if (isEventType(header.data() + kSizeFieldBytes))
            return eventBox(at + headerSize, boxSize - headerSize);
        at += boxSize;
    }
    return std::nullopt;
}

// Step 2: the first "EVTI" type word at offsets 4, 8, 12, ... whose size word
// before it makes a box of at least its header that ends inside the file.
// The source is read in chunks of `chunkBytes` (a multiple of 4, or the whole
// file when it is smaller); each buffer after the first begins with the last
// word of the previous one, which may be the size of a box whose type opens
// this chunk.
std::optional<EventBox> scanForEventBox(Source& source, std::size_t chunkBytes) {
    const std::uint64_t end = source.size();
    const auto chunk = static_cast<std::size_t>(std::min<std::uint64_t>(chunkBytes, end));
    std::vector<std::uint8_t> buffer(kSizeFieldBytes + chunk);
    std::uint64_t bufferStart = 0;   // file offset of buffer[0], a multiple of 4
    std::size_t kept = 0;            // bytes carried over from the previous chunk
    for (std::uint64_t next = 0; next < end;) {
        const std::size_t got = source.readAt(next, std::span(buffer).subspan(kept, chunk));
        const std::size_t filled = kept + got;
        for (std::size_t type = kSizeFieldBytes; type + kEventType.size() <= filled; type += kEventScanStep) {
            if (!isEventType(buffer.data() + type))
                continue;
            const std::uint64_t boxStart = bufferStart + type - kSizeFieldBytes;
            const std::uint32_t boxSize = bigEndian32(buffer.data() + type - kSizeFieldBytes);
            if (boxSize >= kEventBoxHeaderSize && boxSize <= end - boxStart)
                return eventBox(boxStart + kEventBoxHeaderSize, boxSize - kEventBoxHeaderSize);
        }
        // The end of the file, or a read error before it.
        if (got < chunk || end - next <= got)
            return std::nullopt;
        next += got;
        std::copy(buffer.begin() + static_cast<std::ptrdiff_t>(filled - kSizeFieldBytes),
                  buffer.begin() + static_cast<std::ptrdiff_t>(filled), buffer.begin());
        bufferStart += filled - kSizeFieldBytes;
        kept = kSizeFieldBytes;
    }
    return std::nullopt;
}

std::vector<EventRecord> readRecords(Source& source, const EventBox& box) {
    std::vector<EventRecord> records;
    // At most kMaxEventRecords, and the box lies inside the file.
    records.reserve(box.records);
    std::array<std::uint8_t, kEventRecordSize> bytes{};
    for (std::size_t i = 0; i < box.records; ++i) {
        // A file that shrank since its size was taken ends the records early.
        if (source.readAt(box.payload + std::uint64_t{i} * kEventRecordSize, bytes) != kEventRecordSize)
            break;
        EventRecord& record = records.emplace_back();
        std::memcpy(record.bytes.data(), bytes.data(), kEventRecordSize);
    }
    return records;
}

std::vector<EventRecord> readEventMarksFrom(Source& source, std::size_t chunkBytes) {
    const std::size_t chunk = std::max(kEventScanStep, chunkBytes / kEventScanStep * kEventScanStep);
    std::optional<EventBox> box = walkToEventBox(source);
    if (!box)
        box = scanForEventBox(source, chunk);
    return box ? readRecords(source, *box) : std::vector<EventRecord>{};
}

} // namespace

std::vector<EventRecord> readEventMarks(std::span<const std::uint8_t> file) {
    BufferSource source(file);
    return readEventMarksFrom(source, kEventScanChunk);
}

std::vector<EventRecord> readEventMarksFromFile(const std::filesystem::path& path, std::size_t chunkBytes) {
    std::error_code error;
    const std::uintmax_t fileSize = std::filesystem::file_size(path, error);
    if (error)
        return {};
    std::ifstream in;
    // Unbuffered: every read follows a seek, which would only discard a
    // stream buffer, so the bytes go straight into the caller's buffer.
    in.rdbuf()->pubsetbuf(nullptr, 0);
    in.open(path, std::ios::binary);
    if (!in)
        return {};
    FileSource source(in, fileSize);
    return readEventMarksFrom(source, chunkBytes);
}

} // namespace kyvo::app
