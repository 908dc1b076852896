#pragma once
// kyvo-trip's command line and its two commands, on the trip core.
//
//   kyvo-trip export [--format gpx|kml|csv|geojson] [--trips] [--gap SECONDS]
//                    [--valid-only] [-o OUT] FILE|FOLDER...
//   kyvo-trip check [--trips] [--gap SECONDS] FILE|FOLDER...
//
// Folders are searched (not recursively) for ".mov" recordings. A recording
// that cannot be read is reported on standard error and skipped. Output goes
// to a temporary file beside OUT that is renamed once whole; without -o it
// goes to standard output.

#include <iosfwd>
#include <string>
#include <vector>

namespace kyvo::trip {

inline constexpr int kExitClean = 0;
inline constexpr int kExitFound = 1;   // check: something found; export: some recordings skipped
inline constexpr int kExitBadInput = 2;

int runTripCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace kyvo::trip
