#pragma once
// The program's own version, compiled in from the build.

#include <array>
#include <cstdint>

namespace kyvo {

// Major, minor, build and revision.
std::array<std::uint16_t, 4> programVersion();

} // namespace kyvo
