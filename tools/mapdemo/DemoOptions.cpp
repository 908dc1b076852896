#include "DemoOptions.h"

#include "DemoReplay.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace kyvo::mapdemo {

namespace {

// Every map data set holds its file list; the map window reads it first.
constexpr char kMapFileList[] = "FileList.cfg";

bool readNumber(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc{} && result.ptr == end && std::isfinite(value);
}

ParsedOptions refuse(std::string error) {
    return ParsedOptions{std::nullopt, std::move(error)};
}

} // namespace

std::string demoUsage() {
    return "usage: mapdemo --map FOLDER [--speed 1|4|16] [--screenshot FILE [--after SECONDS]] [RECORDING...]\n"
           "Replays the GPS track of the recordings (in the order given) on the offline road map of FOLDER.\n"
           "  --map FOLDER        the map data set (made by mapforge)\n"
           "  --speed 1|4|16      replay speed (default 1)\n"
           "  --screenshot FILE   run headless: play, write a picture of the window to FILE (PNG), exit\n"
           "  --after SECONDS     how long to play before the screenshot (default 3)\n"
           "In the map: P or F1 saves a screenshot into FOLDER/Screenshot, Esc closes the map.\n";
}

ParsedOptions parseDemoOptions(std::span<const std::string> arguments) {
    DemoOptions options;
    bool mapGiven = false;
    bool afterGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return ParsedOptions{options, {}};
        }
        if (arg == "--map" || arg == "--speed" || arg == "--screenshot" || arg == "--after") {
            if (!hasValue)
                return refuse(arg + " needs a value");
            const std::string& value = arguments[++i];
            if (arg == "--map") {
                if (value.empty())
                    return refuse("--map needs a folder");
                options.mapFolder = value;
                mapGiven = true;
            } else if (arg == "--speed") {
                double speed = 0;
                if (!readNumber(value, speed) || speed != std::floor(speed) ||
                    !isReplaySpeed(static_cast<int>(speed)))
                    return refuse("--speed must be 1, 4 or 16, not \"" + value + "\"");
                options.speed = static_cast<int>(speed);
            } else if (arg == "--screenshot") {
                if (value.empty())
                    return refuse("--screenshot needs a file name");
                options.screenshot = value;
            } else {
                double seconds = 0;
                if (!readNumber(value, seconds) || seconds < 0 || seconds > kMaxScreenshotDelaySeconds)
                    return refuse("--after must be a number of seconds from 0 to 3600, not \"" + value + "\"");
                options.afterSeconds = seconds;
                afterGiven = true;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return refuse("unknown option " + arg);
        } else {
            options.recordings.push_back(arg);
        }
    }
    if (!mapGiven)
        return refuse("--map FOLDER is required");
    if (afterGiven && options.screenshot.empty())
        return refuse("--after goes with --screenshot");
    return ParsedOptions{options, {}};
}

std::string checkMapFolder(const std::string& folder) {
    std::error_code error;
    if (!std::filesystem::exists(folder, error))
        return "map folder " + folder + " does not exist";
    if (!std::filesystem::is_directory(folder, error))
        return "map folder " + folder + " is not a folder";
    const std::filesystem::path list = std::filesystem::path(folder) / kMapFileList;
    if (!std::filesystem::exists(list, error))
        return "map folder " + folder + " holds no map data set (no " + kMapFileList + "; make one with mapforge)";
    std::ifstream file(list, std::ios::binary);
    if (!file || file.peek() == std::ifstream::traits_type::eof())
        return "map folder " + folder + ": " + kMapFileList + " cannot be read or is empty";
    return {};
}

} // namespace kyvo::mapdemo
