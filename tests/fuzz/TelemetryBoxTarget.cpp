// Telemetry box target: the box is read from memory, from a source that
// claims more bytes than it holds (a file that shrank), and from a real file;
// memory and file must agree. The entries of many frames are then parsed
// from the copy, with and without an entry limit, and every record handed out
// must lie inside the copy.
#include "FuzzTargets.h"
#include "FuzzTempFile.h"
#include "TelemetryBox.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace kyvo::fuzz {

namespace {

using player::MVOXUDAT;
using player::RecordingSource;
using player::ViewMode;

constexpr std::size_t kKeyBytes = 4;
// The shrunk source claims this many bytes more than it holds.
constexpr std::uint64_t kMissingBytes = 20;
// Frames past the last entry that are still asked for.
constexpr std::uint32_t kFramesPastTheEnd = 25;
// Frames near the top of the 32-bit range, entry frames among them.
constexpr std::uint32_t kFarFrames[] = {0xFFFFFFFFu, 0xFFFFFFF1u, 0x7FFFFFF1u, 0x80000001u, 429496721u};

class MemorySource final : public RecordingSource {
public:
    MemorySource(std::span<const std::uint8_t> bytes, std::uint64_t claimedSize)
        : bytes_(bytes), claimedSize_(claimedSize) {}
    std::optional<std::uint64_t> size() const override { return claimedSize_; }
    std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        if (offset >= bytes_.size())
            return 0;
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), bytes_.size() - offset));
        std::memcpy(out.data(), bytes_.data() + offset, n);
        return n;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::uint64_t claimedSize_;
};

// Reads every byte of a record so that the sanitizers see a bad pointer.
unsigned touch(const std::uint8_t* record, std::size_t size) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < size; ++i)
        sum += record[i];
    return sum;
}

bool inside(const std::vector<std::uint8_t>& copy, const std::uint8_t* record, std::size_t size) {
    return record >= copy.data() && size <= copy.size() &&
           static_cast<std::size_t>(record - copy.data()) <= copy.size() - size;
}

void checkFrame(MVOXUDAT& reader, const std::vector<std::uint8_t>& copy, std::uint32_t frame) {
    const int result = reader.parseEntry(frame);
    require(result >= MVOXUDAT::kParsed && result <= MVOXUDAT::kBadSensorTag, "a parse answers a known result");
    if (frame % player::udat::kFramesPerEntry == player::udat::kEntryFrameRemainder)
        require(reader.failed() == (result != MVOXUDAT::kParsed ? 1 : 0), "the failure flag follows the parse");
    if (const char* gps = reader.gpsRecord(frame)) {
        const auto* record = reinterpret_cast<const std::uint8_t*>(gps);
        require(inside(copy, record, player::udat::kGpsRecordSize), "the GPS record lies inside the copy");
        touch(record, player::udat::kGpsRecordSize);
    }
    if (const std::uint8_t* sensor = reader.sensorRecord(frame)) {
        require(inside(copy, sensor, player::udat::kSensorRecordSize), "the sensor record lies inside the copy");
        touch(sensor, player::udat::kSensorRecordSize);
    }
}

void parseEntries(const std::vector<std::uint8_t>& copy, std::uint32_t entryLimit) {
    MVOXUDAT reader;
    reader.setData(copy);
    reader.setEntryLimit(entryLimit);
    const auto entries = static_cast<std::uint32_t>(copy.size() / player::udat::kEntrySize);
    const std::uint32_t lastFrame = entries * player::udat::kFramesPerEntry + kFramesPastTheEnd;
    for (std::uint32_t frame = 0; frame <= lastFrame; ++frame)
        checkFrame(reader, copy, frame);
    for (const std::uint32_t frame : kFarFrames)
        checkFrame(reader, copy, frame);
    reader.clearData();
    require(reader.parseEntry(1) == MVOXUDAT::kNoData, "a reader without data answers no data");
    require(reader.gpsRecord(1) == nullptr && reader.sensorRecord(1) == nullptr, "no data gives no records");
}

} // namespace

int telemetryBoxTarget(const std::uint8_t* data, std::size_t size) {
    std::uint32_t key = 0;
    const std::size_t keyBytes = std::min(size, kKeyBytes);
    for (std::size_t i = 0; i < keyBytes; ++i)
        key = key << 8 | data[i];
    const std::span<const std::uint8_t> file(data + keyBytes, size - keyBytes);
    const ViewMode mode = key == 0 ? ViewMode::General : ViewMode::Encrypted;

    std::vector<std::uint8_t> copy;
    const int result = player::readTelemetryBox(MemorySource(file, file.size()), mode, key, copy);
    require(result >= player::kTelemetryCopied, "a read answers success or a failure code");
    require(result == player::kTelemetryCopied || copy.empty(), "a failed read leaves no copy");
    require(copy.size() <= file.size(), "the copy is never larger than the file");
    if (result == player::kTelemetryCopied)
        require(std::equal(copy.begin(), copy.end(), file.end() - static_cast<std::ptrdiff_t>(copy.size())),
                "the copy is the end of the file");

    std::vector<std::uint8_t> shrunkCopy;
    const int shrunk =
        player::readTelemetryBox(MemorySource(file, file.size() + kMissingBytes), mode, key, shrunkCopy);
    require(shrunk == player::kTelemetryCopied || shrunkCopy.empty(), "a failed read leaves no copy");
    require(shrunkCopy.size() <= file.size() + kMissingBytes, "the copy is never larger than the file");

    std::vector<std::uint8_t> fileCopy;
    const std::string& path = writeScratchFile("recording.mov", file.data(), file.size());
    const int fromFile = player::readTelemetryBox(path, mode, key, fileCopy);
    require(fromFile == result && fileCopy == copy, "the file reader agrees with the memory reader");

    if (result == player::kTelemetryCopied) {
        parseEntries(copy, MVOXUDAT::kNoEntryLimit);
        // An entry limit taken from the input: frames at or above it get no records.
        parseEntries(copy, key % (static_cast<std::uint32_t>(copy.size() / player::udat::kEntrySize + 2) *
                                  player::udat::kFramesPerEntry));
    }
    return 0;
}

} // namespace kyvo::fuzz
