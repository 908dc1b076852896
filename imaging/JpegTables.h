#pragma once
// The fixed tables of the still writer: zigzag order, the two quantisation
// tables and the four typical Huffman tables of the baseline standard.

#include <array>
#include <cstdint>
#include <span>

namespace kyvo::imaging {

inline constexpr int kBlockSide = 8;
inline constexpr int kBlockSize = kBlockSide * kBlockSide;
inline constexpr int kHuffmanLengths = 16;

using QuantTable = std::array<std::uint8_t, kBlockSize>;

// Natural (row-major) position of each zigzag position. Visible here so that
// loops over it compile to fixed offsets.
inline constexpr std::array<std::uint8_t, kBlockSize> kZigzagToNatural = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  //
    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28, //
    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51, //
    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
};

// Both quantisation tables are stored, written and applied in zigzag order.
// Luminance is the standard table except at zigzag positions 22, 42 and 43.
extern const QuantTable kLuminanceQuant;
extern const QuantTable kChrominanceQuant;

// One Huffman table as written to the file: its class and id byte, how many
// codes there are of each length 1..16 (BITS) and the symbols in code order
// (HUFFVAL).
struct HuffmanDefinition {
    std::uint8_t classAndId;
    std::array<std::uint8_t, kHuffmanLengths> counts;
    std::span<const std::uint8_t> symbols;
};

extern const HuffmanDefinition kDcLuminance;
extern const HuffmanDefinition kAcLuminance;
extern const HuffmanDefinition kDcChrominance;
extern const HuffmanDefinition kAcChrominance;

} // namespace kyvo::imaging
