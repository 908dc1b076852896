#include "TripCommand.h"

#include "RecordingFixes.h"
#include "TripExport.h"
#include "TripCheck.h"
#include "TripStitch.h"
#include "TripWriters.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <ostream>

namespace kyvo::trip {

namespace {

namespace fs = std::filesystem;

constexpr char kUsage[] =
    "usage: kyvo-trip export [--format gpx|kml|csv|geojson] [--trips] [--gap SECONDS] [--valid-only] [-o OUT] "
    "FILE|FOLDER...\n"
    "       kyvo-trip check [--trips] [--gap SECONDS] FILE|FOLDER...\n";
constexpr std::size_t kProgressEvery = 50; // recordings between progress lines

struct Options {
    std::string command;
    Format format = Format::Gpx;
    bool trips = false;
    bool validOnly = false;
    double gap = kDefaultGapLimitSeconds;
    std::string output;
    std::vector<std::string> inputs;
};

bool parse(const std::vector<std::string>& args, Options& options, std::string& error) {
    if (args.empty() || (args[0] != "export" && args[0] != "check")) {
        error = "a command is needed: export or check";
        return false;
    }
    options.command = args[0];
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--trips") {
            options.trips = true;
        } else if (a == "--valid-only" && options.command == "export") {
            options.validOnly = true;
        } else if (a == "--format" && options.command == "export") {
            if (!value(v) || !parseFormat(v, options.format)) {
                error = error.empty() ? "--format: expected gpx, kml, csv or geojson, not " + v : error;
                return false;
            }
        } else if (a == "--gap") {
            if (!value(v))
                return false;
            const auto r = std::from_chars(v.data(), v.data() + v.size(), options.gap);
            if (r.ec != std::errc() || r.ptr != v.data() + v.size() || options.gap < 0) {
                error = "--gap: expected seconds, not " + v;
                return false;
            }
        } else if (a == "-o" && options.command == "export") {
            if (!value(options.output))
                return false;
        } else if (a.starts_with("-")) {
            error = "unknown option " + a;
            return false;
        } else {
            options.inputs.push_back(a);
        }
    }
    if (options.inputs.empty()) {
        error = "no recordings named";
        return false;
    }
    return true;
}

// The recordings named: files as they are, folders' ".mov" files in name order.
std::vector<std::string> recordingsOf(const std::vector<std::string>& inputs, std::ostream& err, bool& missing) {
    std::vector<std::string> files;
    for (const std::string& input : inputs) {
        std::error_code ec;
        if (fs::is_directory(input, ec)) {
            const std::vector<std::string> found = recordingsIn(input);
            files.insert(files.end(), found.begin(), found.end());
        } else if (fs::is_regular_file(input, ec)) {
            files.push_back(input);
        } else {
            err << "kyvo-trip: " << input << ": no such file or folder\n";
            missing = true;
        }
    }
    return files;
}

} // namespace

int runTripCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        out << kUsage;
        return 0;
    }
    Options options;
    std::string error;
    if (!parse(arguments, options, error)) {
        err << "kyvo-trip: " << error << "\n" << kUsage;
        return kExitBadInput;
    }
    bool missing = false;
    const std::vector<std::string> files = recordingsOf(options.inputs, err, missing);
    if (files.empty()) {
        err << "kyvo-trip: no recordings found\n";
        return kExitBadInput;
    }

    bool skipped = missing;
    bool found = false;
    std::vector<RecordingInput> inputs;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (files.size() > kProgressEvery && i % kProgressEvery == 0)
            err << "kyvo-trip: reading " << i + 1 << " of " << files.size() << "\n";
        const RecordingFixes read = readRecordingFixesFile(files[i]);
        if (read.readResult != player::kTelemetryCopied) {
            err << "kyvo-trip: " << files[i] << ": no telemetry could be read (" << read.readResult << "), skipped\n";
            skipped = true;
            continue;
        }
        if (options.command == "check") {
            const Quality quality = checkRecording(read);
            out << files[i] << ": " << qualityLine(quality) << "\n";
            found = found || !quality.clean();
        }
        inputs.push_back(stitchInput(files[i], read.fixes));
    }
    const std::vector<Trip> trips = options.trips ? stitchTrips(inputs, options.gap) : tripPerRecording(inputs);

    if (options.command == "check") {
        if (options.trips) {
            for (std::size_t t = 0; t < trips.size(); ++t) {
                const Quality quality = checkSteps(trips[t].fixes);
                out << "trip " << t + 1 << " (" << trips[t].recordings.size() << " recordings): gaps " << quality.gaps
                    << ", jumps " << quality.jumps << "\n";
                found = found || quality.gaps > 0 || quality.jumps > 0;
            }
        }
        return skipped ? kExitBadInput : found ? kExitFound : kExitClean;
    }

    WriteOptions write;
    write.validOnly = options.validOnly;
    const std::string text = writeTrips(options.format, trips, write);
    if (options.output.empty()) {
        out << text;
    } else if (!writeFileWhole(options.output, text, error)) {
        err << "kyvo-trip: " << error << "\n";
        return kExitBadInput;
    } else {
        err << "kyvo-trip: wrote " << options.output << " (" << trips.size() << " trips)\n";
    }
    return skipped ? kExitFound : kExitClean;
}

} // namespace kyvo::trip
