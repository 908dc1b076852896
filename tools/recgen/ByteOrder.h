#pragma once
// Byte-order helpers for the box writer and reader. The box headers and the
// telemetry time field are big-endian (as in every QuickTime box); the
// G-sensor floats are little-endian, as the recorder's CPU stores them.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kyvo::recgen {

inline void appendBe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 24));
    out.push_back(static_cast<std::uint8_t>(value >> 16));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

inline void storeBe32(std::span<std::uint8_t, 4> out, std::uint32_t value) {
    out[0] = static_cast<std::uint8_t>(value >> 24);
    out[1] = static_cast<std::uint8_t>(value >> 16);
    out[2] = static_cast<std::uint8_t>(value >> 8);
    out[3] = static_cast<std::uint8_t>(value);
}

inline std::uint32_t loadBe32(std::span<const std::uint8_t, 4> in) {
    return (std::uint32_t{in[0]} << 24) | (std::uint32_t{in[1]} << 16) | (std::uint32_t{in[2]} << 8) |
           std::uint32_t{in[3]};
}

inline std::uint64_t loadBe64(std::span<const std::uint8_t, 8> in) {
    return (std::uint64_t{loadBe32(in.first<4>())} << 32) | loadBe32(in.last<4>());
}

inline void appendLeFloat(std::vector<std::uint8_t>& out, float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(bits >> shift));
}

inline float loadLeFloat(std::span<const std::uint8_t, 4> in) {
    const std::uint32_t bits = std::uint32_t{in[0]} | (std::uint32_t{in[1]} << 8) | (std::uint32_t{in[2]} << 16) |
                               (std::uint32_t{in[3]} << 24);
    return std::bit_cast<float>(bits);
}

}  // namespace kyvo::recgen
