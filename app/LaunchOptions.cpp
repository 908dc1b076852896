#include "CJXQ_PCMgrApp.h"

#include <cstdlib>

namespace kyvo::app {

namespace {

// "95", "95.5", "1:35" or "0:01:35.5": seconds, or minutes and hours before
// colons. Nothing else; -1 when the text is none of these.
double parseTimeOfDrive(const std::string& text) {
    double total = 0;
    std::size_t start = 0;
    for (int field = 0; field < 3; ++field) {
        const std::size_t colon = text.find(':', start);
        const std::string part = text.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        char* end = nullptr;
        const double value = std::strtod(part.c_str(), &end);
        if (part.empty() || end != part.c_str() + part.size() || !(value >= 0) || part[0] == '+' || part[0] == '-')
            return -1;
        const bool last = colon == std::string::npos;
        if (field > 0 && value >= 60)
            return -1; // minutes and seconds after a colon stay below 60
        if (!last && value != static_cast<double>(static_cast<long>(value)))
            return -1; // only the seconds take a fraction
        total = total * 60 + value;
        if (last)
            return total;
        start = colon + 1;
    }
    return -1;
}

} // namespace

LaunchOptions parseLaunchOptions(const std::vector<std::string>& args) {
    LaunchOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--screenshot") {
            if (!hasValue) {
                options.error = "--screenshot needs a file name";
                return options;
            }
            options.screenshotPath = args[++i];
        } else if (arg == "--after") {
            if (!hasValue) {
                options.error = "--after needs a number of seconds";
                return options;
            }
            const std::string& text = args[++i];
            char* end = nullptr;
            const double seconds = std::strtod(text.c_str(), &end);
            if (end == text.c_str() || *end != '\0' || !(seconds >= 0) || seconds > 24 * 3600) {
                options.error = "--after takes a number of seconds, not '" + text + "'";
                return options;
            }
            options.afterSeconds = seconds;
            options.afterGiven = true;
        } else if (arg == "--at") {
            const double seconds = hasValue ? parseTimeOfDrive(args[i + 1]) : -1;
            if (!(seconds >= 0) || seconds > 24 * 3600) {
                options.error = hasValue ? "--at takes seconds or M:SS, not '" + args[i + 1] + "'"
                                         : "--at needs a time (seconds or M:SS)";
                return options;
            }
            ++i;
            options.heldAtSeconds = seconds;
        } else if (arg == "--offline") {
            options.offline = true;
        } else if (arg == "-h" || arg == "--help") {
            options.showHelp = true;
        } else if (arg == "--") {
            options.files.insert(options.files.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        } else if (arg.size() > 1 && arg[0] == '-') {
            options.error = "unknown option '" + arg + "'";
            return options;
        } else {
            options.files.push_back(arg);
        }
    }
    return options;
}

} // namespace kyvo::app
