#include "Lzo.h"

#include <lzo1x.h>

#include <stdexcept>

namespace kyvo::mapforge {

Bytes lzoCompress(const std::uint8_t* data, std::size_t size) {
    static const bool ready = lzo_init() == LZO_E_OK;
    if (!ready)
        throw std::runtime_error("liblzo2 does not initialise");
    if (size == 0)
        return {};
    // An incompressible input grows by at most size / 16 + 64 + 3 bytes.
    Bytes out(size + size / 16 + 64 + 3);
    thread_local std::vector<std::uint8_t> work(LZO1X_1_MEM_COMPRESS);
    lzo_uint outSize = 0;
    lzo1x_1_compress(data, size, out.data(), &outSize, work.data());
    out.resize(outSize);
    return out;
}

} // namespace kyvo::mapforge
