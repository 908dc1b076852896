#pragma once
// The map page the viewer writes into its program folder and shows in its map
// panel, and the one-time writing of that page.
//
// The page draws its map with a local copy of Leaflet and a small script beside
// the program that offers, on top of Leaflet, the names the page calls:
//   GBrowserIsCompatible()           true once the script has loaded
//   GMap2(element)                   .setCenter(GLatLng, zoom), .getZoom(),
//                                    .addOverlay(o), .removeOverlay(o), .addControl(c)
//   GLatLng(lat, lon)                a point (numbers)
//   GMarker(GLatLng)                 a marker overlay
//   GSmallZoomControl(), GMapTypeControl()
//   GUnload()                        releases the map when the page unloads
//   GTrack(points)                   optional: draws the [[lat, lon], ...] track
// The page declares `var following = true;`: the script sets it false when the
// user drags the map and true again from its own button; updateMap recentres
// only while it is true.

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace kyvo::map {

// The page's file name in the program folder.
inline constexpr std::string_view kMapPageFileName = "googlemap.htm";
// The files the page loads, relative to the program folder; they are copied
// beside the program.
inline constexpr std::string_view kLeafletFolder = "leaflet";
inline constexpr std::string_view kLeafletStyleFile = "leaflet/leaflet.css";
inline constexpr std::string_view kLeafletScriptFile = "leaflet/leaflet.js";
inline constexpr std::string_view kShimScriptFile = "gmapshim.js";

inline constexpr std::string_view kMapPageTitle = "Google Maps";
inline constexpr std::string_view kMapCanvasId = "map_canvas";
inline constexpr int kMapCanvasWidth = 310;  // pixels, the size of the map panel
inline constexpr int kMapCanvasHeight = 410;
inline constexpr int kMapZoom = 15;
// The page waits for the map script this many times, this long each time.
inline constexpr int kCompatRetries = 25;
inline constexpr int kCompatRetryMs = 200;

// The page text, centred at first on the whole degrees of the position
// (truncated toward zero; a number that is not finite or out of range counts
// as 0). Plain ASCII.
std::string googleMapPageText(double latitude, double longitude);

enum class PageWrite {
    Written, // the page was written
    Kept,    // something of that name was there already and was left as it is
    Failed,  // the page could not be written; nothing of it was left behind
};

// Writes the page as kMapPageFileName into `folder` unless a directory entry of
// that name exists (of any kind, even a dangling symbolic link or one that
// cannot be read): then it is kept untouched. The text goes to a temporary
// file in the same folder first, which is moved into place without replacing
// anything that appeared in the meantime.
PageWrite writeGoogleMapPage(const std::filesystem::path& folder, double latitude, double longitude);

namespace detail {
// The calls the page writer makes to move and write its file; tests replace
// them to play a file system that lacks a call, fills up, or gains the page
// while the writer is busy. The defaults are the system's calls.
struct PageFileCalls {
    int (*linkat)(int fromDir, const char* from, int toDir, const char* to, int flags);
    int (*renameat2)(int fromDir, const char* from, int toDir, const char* to, unsigned flags);
    ssize_t (*write)(int fd, const void* data, std::size_t size);
};
PageFileCalls systemPageFileCalls();
PageWrite writePage(const std::filesystem::path& folder, std::string_view text, const PageFileCalls& calls);
} // namespace detail

} // namespace kyvo::map
