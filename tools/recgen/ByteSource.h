#pragma once
// Random-access byte sources for the box reader: a buffer in memory, a file
// read on demand (recordings run to hundreds of megabytes), and a view that
// undoes the header transform of scrambled recordings.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>

namespace kyvo::recgen {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Fills `out` from `offset`; answers false (and leaves `out` unspecified)
    // when the range does not lie inside the source.
    virtual bool read(std::uint64_t offset, std::span<std::uint8_t> out) const = 0;
};

class BufferSource final : public ByteSource {
public:
    explicit BufferSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool read(std::uint64_t offset, std::span<std::uint8_t> out) const override;

private:
    std::span<const std::uint8_t> bytes_;
};

// Throws std::runtime_error when the file cannot be opened. Not thread-safe:
// reads move the one stream's position.
class FileSource final : public ByteSource {
public:
    explicit FileSource(const std::filesystem::path& path);
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, std::span<std::uint8_t> out) const override;

private:
    mutable std::ifstream stream_;
    std::uint64_t size_ = 0;
};

// Presents a scrambled recording as its plain form: the first 8 bytes are
// passed through the (self-inverse) header transform, the rest is unchanged.
class DescrambledSource final : public ByteSource {
public:
    DescrambledSource(const ByteSource& scrambled, std::uint32_t key) : inner_(scrambled), key_(key) {}
    std::uint64_t size() const override { return inner_.size(); }
    bool read(std::uint64_t offset, std::span<std::uint8_t> out) const override;

private:
    const ByteSource& inner_;
    std::uint32_t key_;
};

}  // namespace kyvo::recgen
