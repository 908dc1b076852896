#pragma once
// LZO1X compression with liblzo2's fast compressor.

#include <cstdint>
#include <vector>

namespace kyvo::mapforge {

using Bytes = std::vector<std::uint8_t>;

// One LZO1X stream of the bytes; empty input gives an empty stream.
Bytes lzoCompress(const std::uint8_t* data, std::size_t size);
inline Bytes lzoCompress(const Bytes& data) { return lzoCompress(data.data(), data.size()); }

} // namespace kyvo::mapforge
