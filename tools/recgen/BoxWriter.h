#pragma once
// Encodes the boxes recgen appends behind the movie written by ffmpeg, and the
// header transform of scrambled recordings. Everything works on buffers; the
// caller appends the bytes to the file.

#include "BoxLayout.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kyvo::recgen {

using Bytes = std::vector<std::uint8_t>;

// The "udat" box holding the entries in order. Throws std::invalid_argument
// when a sentence does not fit its 128-byte field (with its NUL).
Bytes encodeUdatBox(std::span<const TelemetryEntry> entries);

// The "EVTI" box holding one 256-byte record per text. Throws
// std::invalid_argument when a text does not fit its record.
Bytes encodeEventBox(std::span<const std::string> texts);

// A "free" box that moves a box starting at `offset` to the next multiple of
// four; empty when `offset` is already aligned. The box is at least 8 bytes.
Bytes alignmentPadding(std::uint64_t offset);

// Everything appended behind a movie of `movieSize` bytes: the udat box, then,
// when there are events, the padding and the EVTI box at a 4-aligned offset.
Bytes encodeTrailer(std::uint64_t movieSize, std::span<const TelemetryEntry> entries,
                    std::span<const std::string> events);

// Scrambled recordings: the first box's size word and its type word are each
// XORed with `key` taken as a big-endian 32-bit word, so offset 4 no longer
// reads "ftyp" and the size field reads (real size XOR key). Applying the
// transform twice restores the file. `header` must hold at least 8 bytes.
void scrambleHeader(std::span<std::uint8_t> header, std::uint32_t key);

}  // namespace kyvo::recgen
