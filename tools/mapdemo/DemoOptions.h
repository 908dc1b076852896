#pragma once
// The demo's command line and the check of a map folder. Toolkit-free.
//
//     mapdemo --map FOLDER [--speed 1|4|16] [--screenshot FILE [--after SECONDS]] [RECORDING...]

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kyvo::mapdemo {

// How long a headless run plays before its screenshot when --after is not given.
inline constexpr double kDefaultScreenshotDelaySeconds = 3;
// The longest --after accepted.
inline constexpr double kMaxScreenshotDelaySeconds = 3600;

struct DemoOptions {
    std::string mapFolder;
    int speed = 1;
    std::string screenshot; // empty: interactive
    double afterSeconds = kDefaultScreenshotDelaySeconds;
    std::vector<std::string> recordings; // played in this order
    bool help = false;
};

struct ParsedOptions {
    std::optional<DemoOptions> options;
    std::string error; // why the command line was refused
};

// Parses the arguments after the program's name.
ParsedOptions parseDemoOptions(std::span<const std::string> arguments);

std::string demoUsage();

// Empty when `folder` looks like a map data set (a readable folder with its
// file list); otherwise what is wrong, for the user.
std::string checkMapFolder(const std::string& folder);

} // namespace kyvo::mapdemo
