#include "JpegHeaders.h"

#include "JpegTables.h"

#include <array>

namespace kyvo::imaging {

namespace {

constexpr std::uint8_t kMarkerPrefix = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kDefineQuantTable = 0xDB;
constexpr std::uint8_t kDefineHuffmanTable = 0xC4;
constexpr std::uint8_t kStartOfFrameBaseline = 0xC0;
constexpr std::uint8_t kStartOfScan = 0xDA;

constexpr std::uint8_t kSamplePrecision = 8;
constexpr std::uint8_t kSampling1x1 = 0x11;
// 8-bit quantisation tables: the precision nibble is 0, so the byte is the id.
constexpr std::uint8_t kLuminanceQuantId = 0x00;
constexpr std::uint8_t kChrominanceQuantId = 0x01;
// DC table id in the high nibble, AC table id in the low one.
constexpr std::uint8_t kLuminanceHuffmanIds = 0x00;
constexpr std::uint8_t kChrominanceHuffmanIds = 0x11;
constexpr std::uint8_t kSpectralStart = 0;
constexpr std::uint8_t kSpectralEnd = 63;
constexpr std::uint8_t kApproximation = 0;

struct Component {
    std::uint8_t id;
    std::uint8_t quantTable;
    std::uint8_t huffmanTables;
};
constexpr std::array<Component, 3> kComponents = {{
    {1, kLuminanceQuantId, kLuminanceHuffmanIds},
    {2, kChrominanceQuantId, kChrominanceHuffmanIds},
    {3, kChrominanceQuantId, kChrominanceHuffmanIds},
}};

// Segment lengths count the two length bytes and the payload.
constexpr int kLengthBytes = 2;
constexpr int kQuantSegmentLength = kLengthBytes + 1 + kBlockSize;
constexpr int kFrameSegmentLength = kLengthBytes + 6 + 3 * static_cast<int>(kComponents.size());
constexpr int kScanSegmentLength = kLengthBytes + 1 + 2 * static_cast<int>(kComponents.size()) + 3;

void appendMarker(std::vector<std::uint8_t>& out, std::uint8_t marker) {
    out.push_back(kMarkerPrefix);
    out.push_back(marker);
}

void appendBe16(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void appendQuantSegment(std::vector<std::uint8_t>& out, std::uint8_t precisionAndId, const QuantTable& table) {
    appendMarker(out, kDefineQuantTable);
    appendBe16(out, kQuantSegmentLength);
    out.push_back(precisionAndId);
    out.insert(out.end(), table.begin(), table.end());
}

int huffmanPayload(const HuffmanDefinition& definition) {
    return 1 + kHuffmanLengths + static_cast<int>(definition.symbols.size());
}

void appendHuffmanSegment(std::vector<std::uint8_t>& out) {
    const std::array<const HuffmanDefinition*, 4> tables = {&kDcLuminance, &kAcLuminance, &kDcChrominance,
                                                      &kAcChrominance};
    int length = kLengthBytes;
    for (const HuffmanDefinition* definition : tables)
        length += huffmanPayload(*definition);
    appendMarker(out, kDefineHuffmanTable);
    appendBe16(out, length);
    for (const HuffmanDefinition* definition : tables) {
        out.push_back(definition->classAndId);
        out.insert(out.end(), definition->counts.begin(), definition->counts.end());
        out.insert(out.end(), definition->symbols.begin(), definition->symbols.end());
    }
}

void appendFrameSegment(std::vector<std::uint8_t>& out, int width, int height) {
    appendMarker(out, kStartOfFrameBaseline);
    appendBe16(out, kFrameSegmentLength);
    out.push_back(kSamplePrecision);
    appendBe16(out, height);
    appendBe16(out, width);
    out.push_back(static_cast<std::uint8_t>(kComponents.size()));
    for (const Component& component : kComponents) {
        out.push_back(component.id);
        out.push_back(kSampling1x1);
        out.push_back(component.quantTable);
    }
}

void appendScanSegment(std::vector<std::uint8_t>& out) {
    appendMarker(out, kStartOfScan);
    appendBe16(out, kScanSegmentLength);
    out.push_back(static_cast<std::uint8_t>(kComponents.size()));
    for (const Component& component : kComponents) {
        out.push_back(component.id);
        out.push_back(component.huffmanTables);
    }
    out.push_back(kSpectralStart);
    out.push_back(kSpectralEnd);
    out.push_back(kApproximation);
}

} // namespace

void appendHeaders(std::vector<std::uint8_t>& out, int width, int height) {
    appendMarker(out, kStartOfImage);
    appendQuantSegment(out, kLuminanceQuantId, kLuminanceQuant);
    appendQuantSegment(out, kChrominanceQuantId, kChrominanceQuant);
    appendHuffmanSegment(out);
    appendFrameSegment(out, width, height);
    appendScanSegment(out);
}

void appendEndOfImage(std::vector<std::uint8_t>& out) { appendMarker(out, kEndOfImage); }

} // namespace kyvo::imaging
