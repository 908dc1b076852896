#pragma once
// A small reader of our own files for checks a pixel decoder cannot make: the
// marker segments in order, the stuffing of the coded data, and the symbols
// of every block as they were coded.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kyvo::imaging::testing {

struct Segment {
    std::uint8_t marker = 0;
    std::vector<std::uint8_t> bytes;  // the whole segment from its 0xFF, length and payload included
};

struct JpegLayout {
    std::vector<Segment> segments;  // SOI to SOS, in file order
    std::size_t scanBegin = 0;      // first byte of the coded data
    std::size_t scanEnd = 0;        // the 0xFF of the marker that ends it
    bool endsWithEoi = false;       // that marker is EOI and is the last thing in the file
    int width = 0;
    int height = 0;
};

std::optional<JpegLayout> parseLayout(const std::vector<std::uint8_t>& jpeg);

struct CodedBlock {
    int dcDifference = 0;
    std::vector<std::uint8_t> acSymbols;  // run/size symbols as coded, 0xF0 and 0x00 included
};

struct CodedScan {
    bool ok = false;
    // Blocks in coding order: per block position Y, Cb, Cr.
    std::vector<CodedBlock> blocks;
    int paddingBits = 0;        // bits left after the last block
    bool paddingIsZero = false;
};

// Decodes the coded data with the Huffman tables the file defines.
CodedScan walkScan(const std::vector<std::uint8_t>& jpeg, const JpegLayout& layout);

} // namespace kyvo::imaging::testing
