#pragma once
// The trips written for other programs to read, each format on a buffer:
//   GPX 1.1   one track per trip, one segment per recording, one point per
//             fix; speed, course, the G-sensor values, validity, recording
//             and frame in an extension of our own namespace;
//   KML 2.2   a folder per trip with its LineString and its points, each
//             point with its time;
//   CSV       a header line, then a line per fix (RFC 4180 quoting);
//   GeoJSON   a FeatureCollection: a LineString per trip with its
//             properties, and a Point per fix.
// Numbers use "." whatever the locale; coordinates carry seven decimals.
// Void fixes are written as not valid, or left out with `validOnly`; lines
// and tracks hold valid fixes only.

#include "TripModel.h"

#include <string>
#include <string_view>
#include <vector>

namespace kyvo::trip {

enum class Format { Gpx, Kml, Csv, GeoJson };

// "gpx", "kml", "csv", "geojson"; false for anything else.
bool parseFormat(std::string_view text, Format& format);
std::string_view formatExtension(Format format); // ".gpx", ".kml", ".csv", ".geojson"

inline constexpr std::string_view kExtensionNamespace = "https://kyvo.example/xmlns/trip/1";
inline constexpr std::string_view kCreator = "kyvo-trip";

struct WriteOptions {
    bool validOnly = false; // leave void fixes out
};

std::string writeTrips(Format format, const std::vector<Trip>& trips, const WriteOptions& options = {});

// ISO 8601 UTC with milliseconds: "2024-06-12T08:15:00.000Z".
std::string isoTime(double utcSeconds);

} // namespace kyvo::trip
