#include "ScanWalker.h"

#include <map>
#include <utility>

namespace kyvo::imaging::testing {

namespace {

constexpr std::uint8_t kPrefix = 0xFF;
constexpr std::uint8_t kSoi = 0xD8;
constexpr std::uint8_t kEoi = 0xD9;
constexpr std::uint8_t kSof0 = 0xC0;
constexpr std::uint8_t kDht = 0xC4;
constexpr std::uint8_t kSos = 0xDA;
constexpr int kComponents = 3;
constexpr int kCoefficients = 64;

int be16(const std::vector<std::uint8_t>& bytes, std::size_t at) { return bytes[at] << 8 | bytes[at + 1]; }

// (length, code) to symbol, per class/id byte.
using CodeMap = std::map<std::pair<int, int>, std::uint8_t>;

std::map<std::uint8_t, CodeMap> huffmanTables(const JpegLayout& layout) {
    std::map<std::uint8_t, CodeMap> tables;
    for (const Segment& segment : layout.segments) {
        if (segment.marker != kDht)
            continue;
        std::size_t at = 4;
        while (at + 17 <= segment.bytes.size()) {
            CodeMap& map = tables[segment.bytes[at]];
            std::size_t symbol = at + 17;
            int code = 0;
            for (int length = 1; length <= 16; ++length, code <<= 1) {
                for (int i = 0; i < segment.bytes[at + length]; ++i)
                    map[{length, code++}] = segment.bytes[symbol++];
            }
            at = symbol;
        }
    }
    return tables;
}

class BitReader {
public:
    BitReader(const std::vector<std::uint8_t>& jpeg, std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            data_.push_back(jpeg[i]);
            if (jpeg[i] == kPrefix)
                ++i;  // the stuffed 0x00
        }
    }
    bool bit(int& out) {
        if (position_ >= data_.size() * 8)
            return false;
        out = (data_[position_ / 8] >> (7 - position_ % 8)) & 1;
        ++position_;
        return true;
    }
    bool bits(int count, int& out) {
        out = 0;
        for (int i = 0, b = 0; i < count; ++i) {
            if (!bit(b))
                return false;
            out = out << 1 | b;
        }
        return true;
    }
    bool symbol(const CodeMap& map, std::uint8_t& out) {
        int code = 0;
        for (int length = 1, b = 0; length <= 16; ++length) {
            if (!bit(b))
                return false;
            code = code << 1 | b;
            if (const auto found = map.find({length, code}); found != map.end()) {
                out = found->second;
                return true;
            }
        }
        return false;
    }
    std::size_t remaining() const { return data_.size() * 8 - position_; }

private:
    std::vector<std::uint8_t> data_;
    std::size_t position_ = 0;
};

int extend(int bits, int size) { return size == 0 ? 0 : (bits < (1 << (size - 1)) ? bits - (1 << size) + 1 : bits); }

bool readBlock(BitReader& reader, const CodeMap& dc, const CodeMap& ac, CodedBlock& block) {
    std::uint8_t size = 0;
    int bits = 0;
    if (!reader.symbol(dc, size) || !reader.bits(size, bits))
        return false;
    block.dcDifference = extend(bits, size);
    for (int k = 1; k < kCoefficients;) {
        std::uint8_t symbol = 0;
        if (!reader.symbol(ac, symbol))
            return false;
        block.acSymbols.push_back(symbol);
        if (symbol == 0x00)
            break;
        if (!reader.bits(symbol & 0x0F, bits))
            return false;
        k += (symbol >> 4) + 1;
    }
    return true;
}

} // namespace

std::optional<JpegLayout> parseLayout(const std::vector<std::uint8_t>& jpeg) {
    if (jpeg.size() < 4 || jpeg[0] != kPrefix || jpeg[1] != kSoi)
        return std::nullopt;
    JpegLayout layout;
    layout.segments.push_back({kSoi, {kPrefix, kSoi}});
    std::size_t at = 2;
    while (true) {
        if (at + 4 > jpeg.size() || jpeg[at] != kPrefix)
            return std::nullopt;
        const std::uint8_t marker = jpeg[at + 1];
        const std::size_t end = at + 2 + static_cast<std::size_t>(be16(jpeg, at + 2));
        if (end > jpeg.size())
            return std::nullopt;
        layout.segments.push_back({marker, {jpeg.begin() + static_cast<std::ptrdiff_t>(at),
                                            jpeg.begin() + static_cast<std::ptrdiff_t>(end)}});
        if (marker == kSof0) {
            layout.height = be16(jpeg, at + 5);
            layout.width = be16(jpeg, at + 7);
        }
        at = end;
        if (marker == kSos)
            break;
    }
    layout.scanBegin = at;
    while (at + 1 < jpeg.size() && !(jpeg[at] == kPrefix && jpeg[at + 1] != 0x00))
        at += jpeg[at] == kPrefix ? 2 : 1;
    layout.scanEnd = at;
    layout.endsWithEoi = at + 2 == jpeg.size() && jpeg[at] == kPrefix && jpeg[at + 1] == kEoi;
    return layout;
}

CodedScan walkScan(const std::vector<std::uint8_t>& jpeg, const JpegLayout& layout) {
    CodedScan scan;
    const auto tables = huffmanTables(layout);
    if (!tables.contains(0x00) || !tables.contains(0x10) || !tables.contains(0x01) || !tables.contains(0x11))
        return scan;
    const int positions = ((layout.width + 7) / 8) * ((layout.height + 7) / 8);
    BitReader reader(jpeg, layout.scanBegin, layout.scanEnd);
    for (int position = 0; position < positions; ++position) {
        for (int component = 0; component < kComponents; ++component) {
            const std::uint8_t id = component == 0 ? 0 : 1;
            CodedBlock block;
            if (!readBlock(reader, tables.at(id), tables.at(0x10 | id), block))
                return scan;
            scan.blocks.push_back(std::move(block));
        }
    }
    scan.paddingBits = static_cast<int>(reader.remaining());
    int padding = 0;
    scan.paddingIsZero = reader.bits(scan.paddingBits, padding) && padding == 0;
    scan.ok = true;
    return scan;
}

} // namespace kyvo::imaging::testing
