#pragma once
// Encoding lookup of one Huffman table: symbol value to code and code length.

#include "JpegTables.h"

#include <array>
#include <cstdint>

namespace kyvo::imaging {

struct HuffmanCode {
    std::uint16_t bits = 0;   // the code, right-aligned
    std::uint8_t length = 0;  // 0: the symbol has no code in this table
};

class HuffmanTable {
public:
    static constexpr int kSymbolCount = 256;

    // Generates the canonical codes from the counts and symbols: codes of one
    // length are consecutive, and each longer length continues from the last
    // code shifted left by one.
    explicit HuffmanTable(const HuffmanDefinition& definition);

    const HuffmanCode& operator[](std::uint8_t symbol) const { return codes_[symbol]; }

private:
    std::array<HuffmanCode, kSymbolCount> codes_{};
};

} // namespace kyvo::imaging
