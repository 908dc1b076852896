#pragma once
// Little-endian integers in byte buffers, as every map file stores them.
// Loads and stores go byte by byte, so buffers need no alignment.

#include <cstdint>

namespace cartoframe {

inline std::uint16_t le_Load16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t le_Load32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

inline std::int32_t le_LoadInt(const std::uint8_t* p) { return static_cast<std::int32_t>(le_Load32(p)); }

inline std::int16_t le_LoadShort(const std::uint8_t* p) { return static_cast<std::int16_t>(le_Load16(p)); }

inline void le_Store16(std::uint8_t* p, std::uint16_t value) {
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void le_Store32(std::uint8_t* p, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace cartoframe
