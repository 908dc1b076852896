#include "EventMarks.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <optional>

namespace kyvo::app {

namespace {

constexpr std::array<std::uint8_t, 4> kEventType{'E', 'V', 'T', 'I'};
constexpr std::size_t kSizeFieldBytes = 4;

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | std::uint32_t{p[3]};
}

// Index of the first "EVTI" type word in `bytes` at firstType, firstType + 4, ...
// firstType is at least 4, so the size word before it is in `bytes` too.
std::optional<std::size_t> findEventType(std::span<const std::uint8_t> bytes, std::size_t firstType) {
    for (std::size_t at = firstType; at + kEventType.size() <= bytes.size(); at += kEventScanStep)
        if (std::equal(kEventType.begin(), kEventType.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at)))
            return at;
    return std::nullopt;
}

// The records a box of `boxSize` holds, limited to the whole records among
// the `available` bytes from its payload to the end of the file.
std::size_t recordCount(std::uint32_t boxSize, std::uint64_t available) {
    const std::uint64_t claimed = boxSize < kEventBoxHeaderSize ? 0 : (boxSize - kEventBoxHeaderSize) / kEventRecordSize;
    return static_cast<std::size_t>(std::min<std::uint64_t>(claimed, available / kEventRecordSize));
}

} // namespace

std::vector<EventRecord> readEventMarks(std::span<const std::uint8_t> file) {
    const std::optional<std::size_t> type = findEventType(file, kSizeFieldBytes);
    if (!type)
        return {};
    const std::uint32_t boxSize = bigEndian32(file.data() + *type - kSizeFieldBytes);
    const std::size_t payload = *type + kEventType.size();
    std::vector<EventRecord> records(recordCount(boxSize, file.size() - payload));
    for (std::size_t i = 0; i < records.size(); ++i)
        std::memcpy(records[i].bytes.data(), file.data() + payload + i * kEventRecordSize, kEventRecordSize);
    return records;
}

std::vector<EventRecord> readEventMarksFromFile(const std::filesystem::path& path, std::size_t chunkBytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    in.seekg(0, std::ios::end);
    const std::streamoff fileSize = in.tellg();
    in.seekg(0, std::ios::beg);
    if (fileSize < 0 || !in)
        return {};

    // Chunks start at multiples of 4 so the scan keeps its alignment; each
    // buffer begins with the last word of the previous one, which may be the
    // size of a box whose type opens this chunk.
    const std::size_t chunk = std::max(kEventScanStep, chunkBytes / kEventScanStep * kEventScanStep);
    std::vector<std::uint8_t> buffer;
    std::uint64_t bufferStart = 0;   // file offset of buffer[0]
    std::size_t kept = 0;
    std::optional<std::uint64_t> typeOffset;
    std::uint32_t boxSize = 0;
    while (!typeOffset) {
        buffer.resize(kept + chunk);
        in.read(reinterpret_cast<char*>(buffer.data() + kept), static_cast<std::streamsize>(chunk));
        const auto got = static_cast<std::size_t>(in.gcount());
        buffer.resize(kept + got);
        if (const auto type = findEventType(buffer, kSizeFieldBytes)) {
            typeOffset = bufferStart + *type;
            boxSize = bigEndian32(buffer.data() + *type - kSizeFieldBytes);
        } else if (got < chunk) {
            return {};   // end of the file without a box
        } else {
            std::copy(buffer.end() - kSizeFieldBytes, buffer.end(), buffer.begin());
            bufferStart += buffer.size() - kSizeFieldBytes;
            kept = kSizeFieldBytes;
        }
    }

    const std::uint64_t payload = *typeOffset + kEventType.size();
    std::vector<EventRecord> records(recordCount(boxSize, static_cast<std::uint64_t>(fileSize) - payload));
    in.clear();
    in.seekg(static_cast<std::streamoff>(payload));
    std::size_t read = 0;
    while (read < records.size() &&
           in.read(records[read].bytes.data(), static_cast<std::streamsize>(kEventRecordSize)))
        ++read;
    records.resize(read);   // the file may have shrunk since its size was taken
    return records;
}

} // namespace kyvo::app
