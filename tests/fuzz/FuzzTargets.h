#pragma once
// Fuzz targets for the parsers that read what a memory card or the settings
// store hands the viewer: the telemetry box of a recording, the event box,
// the "$GPRMC" sentence and the configuration text. Each takes any bytes and
// must not crash, read or write outside its buffers, take memory out of
// proportion to its input, or break the invariants it checks.
//
// The same functions run in every build, replayed over seeds and fixed
// mutations (FuzzReplayTest), and under the sanitizer build as libFuzzer
// targets (LibFuzzerEntry.cpp names one of them per executable).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kyvo::fuzz {

using Bytes = std::vector<std::uint8_t>;

// A 32-bit big-endian key, then a recording. Key 0 reads it in the general
// view mode, any other key in the encrypted view mode with that key.
int telemetryBoxTarget(const std::uint8_t* data, std::size_t size);
// A recording, searched for its event box in memory and on disk.
int eventMarksTarget(const std::uint8_t* data, std::size_t size);
// A GPS sentence as it stands in a telemetry entry.
int rmcTarget(const std::uint8_t* data, std::size_t size);
// The stored configuration text.
int viewerConfigTarget(const std::uint8_t* data, std::size_t size);

// Ends the process with a message when an invariant of a target fails, so
// that both libFuzzer and the replay test report the input.
void require(bool condition, const char* what);

} // namespace kyvo::fuzz
