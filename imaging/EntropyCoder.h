#pragma once
// Huffman coding of quantised blocks, one component's DC prediction included.

#include "BitWriter.h"
#include "BlockTransform.h"
#include "HuffmanTable.h"

namespace kyvo::imaging {

// The tables one component is coded with and the DC value of its previous
// block (0 before the first block, so the first block codes its own value).
struct ComponentCoder {
    const HuffmanTable& dc;
    const HuffmanTable& ac;
    int previousDc = 0;
};

// Codes one block (zigzag order): the DC difference as its magnitude category
// and the category's bits, then the AC run/size symbols with 0xF0 for every
// full run of 16 zeros before a non-zero coefficient and end-of-block (0x00)
// unless coefficient 63 is non-zero. Negative values go out as value - 1 in
// their size bits.
void encodeBlock(const CoefficientBlock& block, ComponentCoder& coder, BitWriter& bits);

} // namespace kyvo::imaging
