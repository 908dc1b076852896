#pragma once
// Byte-by-byte little-endian access to 32-bit words in a byte buffer, so that
// the blocks read and write the same bytes on every host.

#include <cstddef>
#include <cstdint>
#include <span>

namespace kyvo::settings {

inline constexpr std::size_t kWordBytes = 4;
inline constexpr unsigned kBitsPerByte = 8;

// Reads the 32-bit word at `offset`; bytes beyond the end of `bytes` count as zero.
inline std::uint32_t readUint32Le(std::span<const std::uint8_t> bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < kWordBytes; ++i) {
        const std::size_t at = offset + i;
        const std::uint32_t byte = at < bytes.size() ? bytes[at] : 0U;
        value |= byte << (kBitsPerByte * i);
    }
    return value;
}

inline std::int32_t readInt32Le(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::int32_t>(readUint32Le(bytes, offset));
}

// Writes `value` at `offset`; the caller guarantees the four bytes exist.
inline void writeUint32Le(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < kWordBytes; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (kBitsPerByte * i));
}

inline void writeInt32Le(std::span<std::uint8_t> bytes, std::size_t offset, std::int32_t value) {
    writeUint32Le(bytes, offset, static_cast<std::uint32_t>(value));
}

} // namespace kyvo::settings
