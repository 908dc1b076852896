#pragma once
// Shared helpers of the map library's tests: a temporary map folder, byte
// buffers, a diagnostics sink that records lines, and a packed-file builder
// that can also write broken blocks.

#include "Lzo.h"
#include "TempFolder.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace cartoframe::test {

using Bytes = std::vector<std::uint8_t>;

using kyvo::test::TempFolder;

void writeFile(const std::filesystem::path& path, const Bytes& bytes);
Bytes readFile(const std::filesystem::path& path);

void appendLe32(Bytes& out, std::uint32_t value);
void appendLe16(Bytes& out, std::uint16_t value);
void putLe32(Bytes& out, std::size_t at, std::uint32_t value);
// n bytes of a recognisable, position-dependent pattern.
Bytes patternBytes(std::size_t n, unsigned seed = 1);

// Records every diagnostics line while it lives; standard error again after.
class DiagCapture {
public:
    DiagCapture();
    ~DiagCapture();
    DiagCapture(const DiagCapture&) = delete;
    DiagCapture& operator=(const DiagCapture&) = delete;
    const std::vector<std::string>& lines() const { return lines_; }
    bool contains(const std::string& part) const;
    // The "Assertion failed" line, or "" when no check failed.
    std::string assertion() const;
    void clear() { lines_.clear(); }

private:
    static void record(const char* line, void* self);
    std::vector<std::string> lines_;
};

using kyvo::mapforge::lzoCompress;

// A packed file built from its content, block by block. Blocks can be
// replaced by hand-made streams to build broken files.
struct PackedFile {
    explicit PackedFile(const Bytes& content, int blockSize);
    Bytes bytes() const;

    int unpackedSize = 0;
    int blockSize = 0;
    std::vector<Bytes> blocks; // compressed
    int formatWord = 1;
    int reservedWord = 0;
};

// The packed header as it appears at the start of a packed file (60 bytes).
Bytes packedHeader(int unpackedSize, int blockSize, int blockCount, int formatWord = 1, int reservedWord = 0);

} // namespace cartoframe::test
