#include "CJXQ_PCMgrApp.h"

#include <cstdlib>

namespace kyvo::app {

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
