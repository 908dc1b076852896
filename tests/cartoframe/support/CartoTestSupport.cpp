#include "CartoTestSupport.h"

#include "Diagnostics.h"
#include "PackedLayout.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace cartoframe::test {

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

Bytes readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void appendLe32(Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void appendLe16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void putLe32(Bytes& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.at(at + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(value >> (8 * i));
}

Bytes patternBytes(std::size_t n, unsigned seed) {
    Bytes out(n);
    std::uint32_t state = seed * 2654435761u + 1;
    for (std::size_t i = 0; i < n; ++i) {
        // Runs of repeated bytes keep the data compressible, the mixing keeps
        // every block different.
        if (i % 7 == 0)
            state = state * 1103515245u + 12345u;
        out[i] = static_cast<std::uint8_t>((state >> 16) + i / 4096);
    }
    return out;
}

DiagCapture::DiagCapture() { dbg_SetSink(&DiagCapture::record, this); }

DiagCapture::~DiagCapture() { dbg_SetSink(nullptr, nullptr); }

void DiagCapture::record(const char* line, void* self) { static_cast<DiagCapture*>(self)->lines_.emplace_back(line); }

bool DiagCapture::contains(const std::string& part) const {
    for (const std::string& line : lines_)
        if (line.find(part) != std::string::npos)
            return true;
    return false;
}

std::string DiagCapture::assertion() const {
    for (const std::string& line : lines_)
        if (line.rfind("Assertion failed: ", 0) == 0)
            return line;
    return {};
}

PackedFile::PackedFile(const Bytes& content, int size)
    : unpackedSize(static_cast<int>(content.size())), blockSize(size) {
    for (std::size_t at = 0; at < content.size(); at += static_cast<std::size_t>(size)) {
        const auto end = std::min(content.size(), at + static_cast<std::size_t>(size));
        blocks.push_back(lzoCompress(content.data() + at, end - at));
    }
}

Bytes packedHeader(int unpackedSize, int blockSize, int blockCount, int formatWord, int reservedWord) {
    Bytes out(PACK_OFFSET_TABLE_AT, 0);
    std::copy(PACK_MAGIC, PACK_MAGIC + PACK_MAGIC_SIZE, out.begin());
    putLe32(out, PACK_UNPACKED_SIZE_AT, static_cast<std::uint32_t>(unpackedSize));
    putLe32(out, PACK_FORMAT_WORD_AT, static_cast<std::uint32_t>(formatWord));
    putLe32(out, PACK_RESERVED_WORD_AT, static_cast<std::uint32_t>(reservedWord));
    putLe32(out, PACK_BLOCK_SIZE_AT, static_cast<std::uint32_t>(blockSize));
    putLe32(out, PACK_BLOCK_COUNT_AT, static_cast<std::uint32_t>(blockCount));
    return out;
}

Bytes PackedFile::bytes() const {
    Bytes out = packedHeader(unpackedSize, blockSize, static_cast<int>(blocks.size()), formatWord, reservedWord);
    auto offset = static_cast<std::uint32_t>(out.size() + 4 * (blocks.size() + 1));
    for (const Bytes& block : blocks) {
        appendLe32(out, offset);
        offset += static_cast<std::uint32_t>(block.size());
    }
    appendLe32(out, offset);
    for (const Bytes& block : blocks)
        out.insert(out.end(), block.begin(), block.end());
    return out;
}

} // namespace cartoframe::test
