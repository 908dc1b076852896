#pragma once
// Layout of a packed ("Vadu") map file. All integers are 32-bit little-endian.
//
//     0    4  magic "Vadu"
//     4   24  (not read)
//    28    4  unpacked size of the whole content
//    32    4  (not read)
//    36    4  format word, must be 1
//    40    8  (not read)
//    48    4  reserved word, must be 0
//    52    4  block size B (bytes of unpacked content per block)
//    56    4  block count n
//    60  4(n+1)  file offsets of the compressed blocks; block i runs from
//                entry i up to entry i + 1
//    ...      the blocks, each one LZO1X stream unpacking to at most B bytes
//
// Block i holds the content bytes from i * B to (i + 1) * B.

#include <cstddef>

namespace cartoframe {

inline constexpr char PACK_MAGIC[] = "Vadu";
inline constexpr std::size_t PACK_MAGIC_SIZE = 4;
inline constexpr std::size_t PACK_UNPACKED_SIZE_AT = 28;
inline constexpr std::size_t PACK_FORMAT_WORD_AT = 36;
inline constexpr int PACK_FORMAT_WORD = 1;
inline constexpr std::size_t PACK_RESERVED_WORD_AT = 48;
inline constexpr int PACK_RESERVED_WORD = 0;
// A file is recognised from its first bytes; it must be longer than these.
inline constexpr std::size_t PACK_PROBE_SIZE = 52;
inline constexpr std::size_t PACK_BLOCK_SIZE_AT = 52;
inline constexpr std::size_t PACK_BLOCK_COUNT_AT = 56;
inline constexpr std::size_t PACK_OFFSET_TABLE_AT = 60;
inline constexpr std::size_t PACK_WORD_SIZE = 4;

// The largest block the store can serve: the size of each cache slot.
inline constexpr int LZO_BUF_SIZE = 0xC000;
// The compressed bytes of one block are read whole into the input buffer. An
// LZO1X stream of incompressible data grows by at most n / 16 + 64 + 3 bytes,
// so a block larger than this cannot be a valid block of LZO_BUF_SIZE bytes.
inline constexpr int LZO_IN_BUF_SIZE = LZO_BUF_SIZE + LZO_BUF_SIZE / 16 + 64 + 3;

} // namespace cartoframe
