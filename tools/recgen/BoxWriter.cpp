#include "BoxWriter.h"

#include "ByteOrder.h"
#include "RecordingScramble.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace kyvo::recgen {
namespace {

void appendFourCc(Bytes& out, const FourCc& code) {
    out.insert(out.end(), code.begin(), code.end());
}

// Writes `text` followed by zeros up to `capacity` bytes; the text must leave
// room for at least one NUL.
void appendZeroFilled(Bytes& out, std::string_view text, std::size_t capacity, const char* what) {
    if (text.size() >= capacity)
        throw std::invalid_argument(std::string(what) + " too long for its " + std::to_string(capacity) +
                                    "-byte field: " + std::string(text));
    if (text.find('\0') != std::string_view::npos)
        throw std::invalid_argument(std::string(what) + " contains a NUL byte");
    out.insert(out.end(), text.begin(), text.end());
    out.insert(out.end(), capacity - text.size(), 0);
}

Bytes boxWithHeader(const FourCc& type, std::size_t payloadSize) {
    const std::size_t total = box::kHeaderSize + payloadSize;
    if (total > std::numeric_limits<std::uint32_t>::max())
        throw std::invalid_argument("box " + toString(type) + " exceeds a 32-bit size");
    Bytes out;
    out.reserve(total);
    appendBe32(out, static_cast<std::uint32_t>(total));
    appendFourCc(out, type);
    return out;
}

}  // namespace

Bytes encodeUdatBox(std::span<const TelemetryEntry> entries) {
    Bytes out = boxWithHeader(box::kUdat, entries.size() * entry::kSize);
    for (const TelemetryEntry& item : entries) {
        appendFourCc(out, item.timeTag);
        appendBe32(out, item.seconds);
        appendFourCc(out, entry::kGpsTag);
        appendZeroFilled(out, item.sentence, entry::kSentenceCapacity, "NMEA sentence");
        appendFourCc(out, entry::kSensorTag);
        for (float axis : item.g)
            appendLeFloat(out, axis);
    }
    return out;
}

Bytes encodeEventBox(std::span<const std::string> texts) {
    Bytes out = boxWithHeader(box::kEvti, texts.size() * event::kRecordSize);
    for (const std::string& text : texts)
        appendZeroFilled(out, text, event::kRecordSize, "event text");
    return out;
}

Bytes alignmentPadding(std::uint64_t offset) {
    const std::uint64_t misalignment = offset % box::kEventAlignment;
    if (misalignment == 0)
        return {};
    // The smallest free box is its bare header; add the bytes that reach the boundary.
    const std::size_t size = box::kHeaderSize + static_cast<std::size_t>(box::kEventAlignment - misalignment);
    Bytes out = boxWithHeader(box::kFree, size - box::kHeaderSize);
    out.resize(size, 0);
    return out;
}

Bytes encodeTrailer(std::uint64_t movieSize, std::span<const TelemetryEntry> entries,
                    std::span<const std::string> events) {
    Bytes out = encodeUdatBox(entries);
    if (events.empty())
        return out;
    const Bytes padding = alignmentPadding(movieSize + out.size());
    out.insert(out.end(), padding.begin(), padding.end());
    const Bytes eventBox = encodeEventBox(events);
    out.insert(out.end(), eventBox.begin(), eventBox.end());
    return out;
}

void scrambleHeader(std::span<std::uint8_t> header, std::uint32_t key) {
    if (header.size() < box::kHeaderSize)
        throw std::invalid_argument("a scrambled header needs the first 8 bytes of the file");
    scramble::transformHeader(header, 0, key);
}

}  // namespace kyvo::recgen
