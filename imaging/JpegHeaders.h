#pragma once
// The marker segments in front of the coded data and the end marker.

#include <cstdint>
#include <vector>

namespace kyvo::imaging {

// Largest width or height a baseline frame header can state.
inline constexpr int kMaxDimension = 0xFFFF;

// Appends, in this order: SOI; a DQT for the luminance table (id 0) and one
// for the chrominance table (id 1); one DHT holding DC and AC luminance, then
// DC and AC chrominance; SOF0 (8-bit, three components sampled 1 x 1, Y on
// table 0, Cb and Cr on table 1); SOS with Y on Huffman tables 0/0 and Cb, Cr
// on 1/1, spectral range 0..63.
void appendHeaders(std::vector<std::uint8_t>& out, int width, int height);

// Appends EOI.
void appendEndOfImage(std::vector<std::uint8_t>& out);

} // namespace kyvo::imaging
