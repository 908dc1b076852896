#include "HuffmanTable.h"

namespace kyvo::imaging {

HuffmanTable::HuffmanTable(const HuffmanDefinition& definition) {
    std::uint32_t code = 0;
    std::size_t next = 0;
    for (int length = 1; length <= kHuffmanLengths; ++length) {
        for (int i = 0; i < definition.counts[length - 1] && next < definition.symbols.size(); ++i, ++code)
            codes_[definition.symbols[next++]] = {static_cast<std::uint16_t>(code), static_cast<std::uint8_t>(length)};
        code <<= 1;
    }
}

} // namespace kyvo::imaging
