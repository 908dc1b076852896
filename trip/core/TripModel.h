#pragma once
// The fixes of recordings and the trips they make, as the trip export and
// the GPS check see them. Toolkit-free; shared by kyvo-trip and the viewer.

#include <cstdint>
#include <string>
#include <vector>

namespace kyvo::trip {

// One telemetry entry's fix: where the vehicle was, how it moved and what the
// G-sensor felt, with where in which recording it came from.
struct Fix {
    double utcSeconds = 0; // seconds since 1970-01-01 00:00:00 UTC, from the sentence's time and date
    double latitude = 0;   // signed degrees, north positive
    double longitude = 0;  // signed degrees, east positive
    double speedKmh = 0;
    double course = 0;     // degrees clockwise from north
    float gx = 0;          // G-sensor, in g
    float gy = 0;
    float gz = 0;
    bool valid = false;    // status "A"; a void fix ("V") still has its time
    std::size_t recording = 0; // index into Trip::recordings
    std::uint32_t frame = 0;   // the frame that shows this entry (1 first)
};

// Recordings joined in time, and their fixes in order.
struct Trip {
    std::vector<std::string> recordings; // paths, in the order they were joined
    std::vector<Fix> fixes;
};

} // namespace kyvo::trip
