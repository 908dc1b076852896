// The page's own script run in a JavaScript engine (node) against a stand-in
// for the map script: what updateMap, setTrack and check_compat do with the
// calls the viewer sends. Skipped where no node is installed.
#include "GoogleMapPage.h"
#include "MapCall.h"
#include "TrackData.h"

#include "TempFolder.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace kyvo::map {
namespace {

namespace fs = std::filesystem;

// A map that records what the page does with it; state() prints
// "centre zoom markers:marker".
constexpr const char* kStandIn = R"JS(
function GLatLng(lat, lon) { this.lat = lat; this.lon = lon; }
var GMarker = function (point) { this.point = point; };
function GMap2(element) { this.element = element; this.overlays = []; this.zoom = -1; }
GMap2.prototype.setCenter = function (point, zoom) { this.center = point; this.zoom = zoom; };
GMap2.prototype.getZoom = function () { return this.zoom; };
GMap2.prototype.addOverlay = function (o) { this.overlays.push(o); };
GMap2.prototype.removeOverlay = function (o) { this.overlays = this.overlays.filter(function (x) { return x !== o; }); };
GMap2.prototype.addControl = function (c) { this.controls = (this.controls || 0) + 1; };
var GBrowserIsCompatible = function () { return true; };
function GSmallZoomControl() {}
function GMapTypeControl() {}
var unloads = 0;
var GUnload = function () { unloads++; };
var tracks = [];
var GTrack = function (points) { tracks.push(points); };
var written = [];
var document = { getElementById: function (id) { return id; }, write: function (t) { written.push(t); } };
function state() {
  if (!map) return "no map";
  var m = map.overlays.map(function (o) { return o.point.lat + "," + o.point.lon; }).join(" ");
  return map.center.lat + "," + map.center.lon + " z" + map.zoom + " " + map.overlays.length + ":" + m;
}
)JS";

std::optional<fs::path> findNode() {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const fs::path node = fs::path(dir) / "node";
        if (!dir.empty() && ::access(node.c_str(), X_OK) == 0)
            return node;
    }
    return std::nullopt;
}

// The inline script of the page.
std::string pageScript() {
    const std::string page = googleMapPageText(25.7, 121.2);
    const std::string open = "<script type=\"text/javascript\">\n";
    const std::size_t begin = page.find(open);
    const std::size_t end = page.find("</script>\n</head>");
    EXPECT_NE(begin, std::string::npos);
    EXPECT_NE(end, std::string::npos);
    return page.substr(begin + open.size(), end - begin - open.size());
}

class PageScriptTest : public testing::Test {
protected:
    void SetUp() override {
        node_ = findNode();
        if (!node_)
            GTEST_SKIP() << "node is not installed; the page script is not run";
    }

    // Runs the stand-in, the page script and `scenario`; answers what it printed.
    std::string run(const std::string& scenario) {
        const fs::path file = folder_ / "scenario.js";
        std::ofstream(file) << kStandIn << pageScript() << "\nfunction say(t) { console.log(t); }\n" << scenario;
        const std::string command = node_->string() + " " + file.string() + " 2>&1";
        FILE* pipe = ::popen(command.c_str(), "r");
        if (pipe == nullptr)
            return "cannot start node";
        std::string out;
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, got);
        const int status = ::pclose(pipe);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << out;
        return out;
    }

    std::optional<fs::path> node_;
    test::TempFolder folder_{"kyvomapjs"};
};

TEST_F(PageScriptTest, UpdatesMoveTheMarkerKeepTheZoomAndIgnoreBadCalls) {
    const std::string south = *updateMapCall(-33.8688, 151.2093);
    const std::string out = run(R"JS(
updateMap('1.000000', '2.000000'); say(state());
check_compat(); say(state() + " controls " + map.controls + " on " + map.element);
map.zoom = 12;
)JS" + south + R"JS(; say(state());
['abc', '', ' ', 'NaN', 'Infinity', '-Infinity', '1,5', '12abc', null].forEach(function (bad) {
  updateMap(bad, '5.000000'); updateMap('5.000000', bad);
});
updateMap('91.000000', '5.0'); updateMap('-90.000001', '5.0');
updateMap('1.0', '180.5'); updateMap('1.0', '-181'); updateMap('1.0');
say(state());
following = false; updateMap('10.500000', '20.250000'); say(state());
following = true; updateMap('10.500000', '20.250000'); say(state());
GMarker = function () { throw new Error("no marker"); };
try { updateMap('3.000000', '4.000000'); } catch (e) { say("threw"); }
say(state());
)JS");
    EXPECT_EQ(out, "no map\n"
                   "25,121 z15 1:25,121 controls 2 on map_canvas\n"
                   "-33.8688,151.2093 z12 1:-33.8688,151.2093\n"
                   "-33.8688,151.2093 z12 1:-33.8688,151.2093\n"
                   "-33.8688,151.2093 z12 1:10.5,20.25\n"
                   "10.5,20.25 z12 1:10.5,20.25\n"
                   "threw\n"
                   "10.5,20.25 z12 1:10.5,20.25\n");
}

TEST_F(PageScriptTest, TrackCallReachesTheMapScript) {
    const std::string call = trackCallText({{25.5, 121.25, 0}, {-33.8688, -151.2093, 90}});
    const std::string out = run("setTrack([]);\n" + call + ";\nsay(JSON.stringify(tracks));\n"
                                "GTrack = undefined; setTrack([[1, 2]]); say(tracks.length);\n");
    EXPECT_EQ(out, "[[],[[25.5,121.25],[-33.8688,-151.2093]]]\n2\n");
}

TEST_F(PageScriptTest, UnloadReleasesTheMapOnlyOnceThereIsOne) {
    const std::string out = run(R"JS(
UnloadGoogleMap(); say(unloads);
check_compat(); UnloadGoogleMap(); say(unloads);
GUnload = function () { throw new Error("gone"); };
UnloadGoogleMap(); say("ok");
)JS");
    EXPECT_EQ(out, "0\n1\nok\n");
}

TEST_F(PageScriptTest, CheckCompatGivesUpAfterItsRetries) {
    const std::string out = run(R"JS(
var delays = [], queue = [];
GBrowserIsCompatible = undefined;
setTimeout = function (f, ms) { delays.push(ms); queue.push(f); };
check_compat();
while (queue.length > 0) queue.shift()();
say(delays.length + " x " + delays[0] + " " + JSON.stringify(written) + " " + state());
)JS");
    EXPECT_EQ(out, "25 x 200 [\"Failed to load Google Maps API\"] no map\n");
}

} // namespace
} // namespace kyvo::map
