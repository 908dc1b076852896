#include "RecordingFixes.h"

#include "RmcSentence.h"

#include <algorithm>
#include <cstring>

namespace kyvo::trip {

namespace {

std::uint32_t be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

float le32Float(const std::uint8_t* p) {
    const std::uint32_t bits = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
                               (std::uint32_t{p[3]} << 24);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

bool tagged(const std::uint8_t* entry, std::size_t offset, const char* tag) {
    return std::memcmp(entry + offset, tag, 4) == 0;
}

} // namespace

RecordingFixes readRecordingFixes(const player::RecordingSource& file, player::ViewMode mode, std::uint32_t key) {
    namespace udat = player::udat;
    RecordingFixes result;
    std::vector<std::uint8_t> copy;
    result.readResult = player::readTelemetryBox(file, mode, key, copy);
    if (result.readResult != player::kTelemetryCopied || copy.size() < udat::kHeaderSize)
        return result;
    // The box's own size bounds its entries; what follows it in the copy is not telemetry.
    const std::size_t boxSize = std::min<std::size_t>(be32(copy.data()), copy.size());
    const std::size_t count = boxSize > udat::kHeaderSize ? (boxSize - udat::kHeaderSize) / udat::kEntrySize : 0;
    result.entries = static_cast<int>(count);
    for (std::size_t k = 0; k < count; ++k) {
        const std::uint8_t* entry = copy.data() + udat::kFirstEntryOffset + k * udat::kEntrySize;
        const bool timeTag = tagged(entry, udat::kTimeTagOffset, "TIME") || tagged(entry, udat::kTimeTagOffset, "RTCD");
        if (!timeTag || !tagged(entry, udat::kGpsTagOffset, "GPSI") || !tagged(entry, udat::kSensorTagOffset, "SENS")) {
            ++result.malformed;
            continue;
        }
        const char* record = reinterpret_cast<const char*>(entry + udat::kGpsRecordOffset);
        const RmcReading reading = readRmcSentence(std::string_view(record, strnlen(record, udat::kGpsRecordSize)));
        switch (reading.status) {
        case SentenceStatus::NotRmc: ++result.notRmc; continue;
        case SentenceStatus::BadChecksum: ++result.badChecksums; continue;
        case SentenceStatus::Malformed: ++result.malformed; continue;
        case SentenceStatus::Fix: break;
        }
        Fix fix;
        fix.utcSeconds = reading.utcSeconds;
        fix.latitude = reading.latitude;
        fix.longitude = reading.longitude;
        fix.speedKmh = reading.speedKmh;
        fix.course = reading.course;
        fix.valid = reading.valid;
        const std::uint8_t* sensor = entry + udat::kSensorRecordOffset;
        fix.gx = le32Float(sensor);
        fix.gy = le32Float(sensor + 4);
        fix.gz = le32Float(sensor + 8);
        fix.frame = static_cast<std::uint32_t>(k * udat::kFramesPerEntry + udat::kEntryFrameRemainder);
        result.voidFixes += reading.valid ? 0 : 1;
        result.fixes.push_back(fix);
    }
    return result;
}

RecordingFixes readRecordingFixesFile(const std::string& path, player::ViewMode mode, std::uint32_t key) {
    const player::RecordingFile file(path);
    if (!file.isOpen()) {
        RecordingFixes result;
        result.readResult = player::kOpenFailed;
        return result;
    }
    return readRecordingFixes(file, mode, key);
}

} // namespace kyvo::trip
