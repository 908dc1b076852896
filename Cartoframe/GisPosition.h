#pragma once
// The position record a host sends to the map window with the position
// message: nine 32-bit fields, 36 bytes, in this order. Toolkit-free.

#include <cstdint>

namespace cartoframe {

struct TGisPosition {
    float longitude = 0;   // degrees, east positive
    float latitude = 0;    // degrees, north positive
    float reserved = 0;    // stored, not drawn
    float heading = 0;     // degrees; turns the vehicle arrow
    std::int32_t date = 0; // YYYYMMDD
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;
    std::int32_t add = 0;  // nonzero: add this position to the track; zero: clear the track
};
static_assert(sizeof(TGisPosition) == 36);

// The position message (the first private message value plus one): wParam
// points to a TGisPosition, lParam is not used.
inline constexpr unsigned GIS_MSG_POSITION = 1024 + 1;

} // namespace cartoframe
