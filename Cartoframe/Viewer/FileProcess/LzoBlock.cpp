#include "LzoBlock.h"

#include <lzo1x.h>

namespace cartoframe {
namespace {

bool lzoReady() {
    static const bool ready = lzo_init() == LZO_E_OK;
    return ready;
}

} // namespace

TUnpackResult lzo_UnpackBlock(const std::uint8_t* in, std::size_t inSize, std::uint8_t* out,
                              std::size_t capacity, std::size_t* outSize) {
    if (!lzoReady())
        return UNPACK_CORRUPT;
    lzo_uint unpacked = capacity;
    const int result = lzo1x_decompress_safe(in, inSize, out, &unpacked, nullptr);
    if (result == LZO_E_OUTPUT_OVERRUN)
        return UNPACK_TOO_LARGE;
    if (result != LZO_E_OK)
        return UNPACK_CORRUPT;
    *outSize = unpacked;
    return UNPACK_OK;
}

} // namespace cartoframe
