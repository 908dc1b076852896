#include "BoxReader.h"

#include "ByteOrder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace kyvo::recgen {
namespace {

FourCc fourCcAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
    FourCc code{};
    for (std::size_t i = 0; i < code.size(); ++i)
        code[i] = static_cast<char>(bytes[offset + i]);
    return code;
}

// Text up to the first NUL of a fixed-size field; `terminated` tells whether
// a NUL was found inside the field.
std::string fieldText(std::span<const std::uint8_t> field, bool& terminated) {
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    terminated = end != field.end();
    return {field.begin(), end};
}

std::string describeAt(const FourCc& type, std::uint64_t offset) {
    std::string printable = toString(type);
    for (char& c : printable)
        if (c < ' ' || c > '~')
            c = '?';
    return "box '" + printable + "' at offset " + std::to_string(offset);
}

}  // namespace

const BoxInfo* BoxList::find(const FourCc& type) const {
    const auto it = std::find_if(boxes.begin(), boxes.end(), [&](const BoxInfo& b) { return b.type == type; });
    return it == boxes.end() ? nullptr : &*it;
}

BoxList listBoxes(const ByteSource& source) {
    BoxList list;
    const std::uint64_t total = source.size();
    std::uint64_t offset = 0;
    auto stop = [&](std::string problem) {
        list.complete = false;
        list.problem = std::move(problem);
    };
    while (offset < total) {
        std::array<std::uint8_t, box::kLargeHeaderSize> header{};
        if (total - offset < box::kHeaderSize || !source.read(offset, std::span(header).first<box::kHeaderSize>())) {
            stop(std::to_string(total - offset) + " stray bytes at offset " + std::to_string(offset));
            break;
        }
        BoxInfo info;
        info.type = fourCcAt(header, box::kTypeOffset);
        info.offset = offset;
        info.headerSize = box::kHeaderSize;
        const std::uint32_t size32 = loadBe32(std::span(header).first<4>());
        if (size32 == box::kSizeIsLarge) {
            if (!source.read(offset, header)) {
                stop(describeAt(info.type, offset) + " has a cut-off 64-bit size");
                break;
            }
            info.headerSize = box::kLargeHeaderSize;
            info.size = loadBe64(std::span(header).last<8>());
        } else if (size32 == box::kSizeToEnd) {
            info.size = total - offset;
        } else {
            info.size = size32;
        }
        if (info.size < info.headerSize) {
            stop(describeAt(info.type, offset) + " declares " + std::to_string(info.size) +
                 " bytes, less than its header");
            break;
        }
        if (info.size > total - offset) {
            stop(describeAt(info.type, offset) + " declares " + std::to_string(info.size) + " bytes but only " +
                 std::to_string(total - offset) + " remain");
            break;
        }
        list.boxes.push_back(info);
        offset += info.size;
    }
    return list;
}

std::optional<std::vector<std::uint8_t>> readPayload(const ByteSource& source, const BoxInfo& box,
                                                     std::uint64_t limit) {
    if (box.size < box.headerSize || box.payloadSize() > limit)
        return std::nullopt;
    std::vector<std::uint8_t> payload(static_cast<std::size_t>(box.payloadSize()));
    if (!source.read(box.payloadOffset(), payload))
        return std::nullopt;
    return payload;
}

UdatContents decodeUdatPayload(std::span<const std::uint8_t> payload) {
    UdatContents contents;
    const std::size_t count = payload.size() / entry::kSize;
    contents.trailingBytes = payload.size() % entry::kSize;
    contents.entries.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        const auto bytes = payload.subspan(k * entry::kSize, entry::kSize);
        TelemetryEntry item;
        item.timeTag = fourCcAt(bytes, entry::kTimeTagOffset);
        item.seconds = loadBe32(bytes.subspan(entry::kTimeOffset).first<4>());
        bool terminated = false;
        item.sentence = fieldText(bytes.subspan(entry::kSentenceOffset, entry::kSentenceCapacity), terminated);
        for (std::size_t axis = 0; axis < entry::kAxisCount; ++axis)
            item.g[axis] = loadLeFloat(bytes.subspan(entry::kSensorOffset + axis * entry::kAxisSize).first<4>());
        const bool marked = fourCcAt(bytes, entry::kGpsTagOffset) == entry::kGpsTag &&
                            fourCcAt(bytes, entry::kSensorTagOffset) == entry::kSensorTag;
        if (!marked || !terminated)
            ++contents.malformedEntries;
        contents.entries.push_back(std::move(item));
    }
    return contents;
}

std::vector<std::string> decodeEventPayload(std::span<const std::uint8_t> payload) {
    std::vector<std::string> texts;
    for (std::size_t at = 0; at + event::kRecordSize <= payload.size(); at += event::kRecordSize) {
        bool terminated = false;
        texts.push_back(fieldText(payload.subspan(at, event::kRecordSize), terminated));
    }
    return texts;
}

std::optional<std::uint64_t> scanForEventBox(const ByteSource& source) {
    constexpr std::size_t kChunk = 1 << 16;  // a multiple of the 4-byte step
    const std::uint64_t total = source.size();
    std::vector<std::uint8_t> chunk(kChunk + box::kHeaderSize);
    for (std::uint64_t base = 0; base + box::kHeaderSize <= total; base += kChunk) {
        const std::size_t length =
            static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), total - base));
        if (!source.read(base, std::span(chunk).first(length)))
            return std::nullopt;
        for (std::size_t at = 0; at < kChunk && at + box::kHeaderSize <= length; at += box::kEventAlignment) {
            if (fourCcAt(chunk, at + box::kTypeOffset) != box::kEvti)
                continue;
            const std::uint32_t size = loadBe32(std::span(chunk).subspan(at).first<4>());
            if (size >= box::kHeaderSize && size <= total - (base + at))
                return base + at;
        }
    }
    return std::nullopt;
}

RecordingContents readRecording(const ByteSource& source) {
    RecordingContents contents;
    contents.boxes = listBoxes(source);
    if (const BoxInfo* udat = contents.boxes.find(box::kUdat))
        if (auto payload = readPayload(source, *udat))
            contents.telemetry = decodeUdatPayload(*payload);
    if (const BoxInfo* evti = contents.boxes.find(box::kEvti))
        if (auto payload = readPayload(source, *evti))
            contents.events = decodeEventPayload(*payload);
    return contents;
}

}  // namespace kyvo::recgen
