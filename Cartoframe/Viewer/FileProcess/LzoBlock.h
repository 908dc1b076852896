#pragma once
// One LZO1X stream unpacked into a buffer with liblzo2's safe decompressor:
// it never writes beyond the capacity it is given.

#include <cstddef>
#include <cstdint>

namespace cartoframe {

enum TUnpackResult : int {
    UNPACK_OK = 0,
    UNPACK_TOO_LARGE = 1, // the stream would unpack beyond the capacity
    UNPACK_CORRUPT = 2,   // not a complete LZO1X stream of exactly these bytes
};

// Unpacks in[0..inSize) into out[0..capacity); *outSize receives the unpacked
// length on success.
TUnpackResult lzo_UnpackBlock(const std::uint8_t* in, std::size_t inSize, std::uint8_t* out,
                              std::size_t capacity, std::size_t* outSize);

} // namespace cartoframe
