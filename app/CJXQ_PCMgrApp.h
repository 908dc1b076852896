#pragma once
// The application object: reads the command line, starts the framework, runs
// the main window as a modal dialog and ends when it returns.
//
//   tessaro-viewer [--screenshot FILE] [--after SECONDS] [--at TIME] [--offline] [FILE...]
//
// --offline runs as without a connection: no web map, its notice instead.
// --at opens the first file held at TIME of the recording (seconds, M:SS or
// H:MM:SS): the moment of an incident, straight from a report.
// With --screenshot, or when no display is available, the viewer runs
// headless: it lets the window initialise (or run for SECONDS), writes a PNG
// of the window and exits.

#include <optional>
#include <string>
#include <vector>

namespace kyvo::app {

struct LaunchOptions {
    std::optional<std::string> screenshotPath;
    double afterSeconds = 0.5;
    bool afterGiven = false;
    std::optional<double> heldAtSeconds; // --at: the first file opens held there
    bool offline = false;                // --offline: the network is never used (no web map)
    std::vector<std::string> files;
    bool showHelp = false;
    std::string error; // not empty: the command line could not be read
};

// Parses the arguments after the program name.
LaunchOptions parseLaunchOptions(const std::vector<std::string>& args);

inline constexpr char kDefaultScreenshotName[] = "tessaro-viewer.png";

class CJXQ_PCMgrApp {
public:
    // Runs the program; answers its exit code.
    int run(int argc, char** argv);
};

} // namespace kyvo::app
