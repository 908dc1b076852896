#pragma once
// Decimal numbers in configuration fields, read the way atoi reads them.

#include <cstdint>
#include <string_view>

namespace kyvo::app {

// Leading white space, an optional sign, then digits; anything after them is
// ignored and text without digits gives 0. Values beyond the int32 range
// saturate instead of overflowing.
std::int32_t parseDecimalField(std::string_view field);

} // namespace kyvo::app
