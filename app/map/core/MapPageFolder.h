#pragma once
// Which folder the map panel shows its page from. The page lives in the
// program's data folder, beside the Leaflet copy and the script it loads by
// relative names: in the build tree that is the program's own folder, in an
// installed tree the data folder where the install put the page. When the page
// is missing there and cannot be written (an installed tree is read-only for
// the user), the page goes into a folder of the user's instead, beside links
// to the program's Leaflet and script, so the panel still shows the map.

#include "GoogleMapPage.h"

#include <filesystem>

namespace kyvo::map {

struct MapPageFolder {
    std::filesystem::path folder; // where the page is (empty when Failed)
    PageWrite write = PageWrite::Failed;
};

// Writes the page into `programData` unless it is there already; failing
// that, into `userFolder` (made when missing), where links named after the
// page's files point to those of `programData`. An entry of such a name that
// is already there is kept as it is. Failed only when neither folder takes
// the page.
MapPageFolder placeGoogleMapPage(const std::filesystem::path& programData, const std::filesystem::path& userFolder,
                                 double latitude, double longitude);

} // namespace kyvo::map
