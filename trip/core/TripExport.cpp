#include "TripExport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace kyvo::trip {

namespace fs = std::filesystem;

std::vector<std::string> recordingsIn(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.is_regular_file(ec) && entry.path().extension() == ".mov")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

RecordingInput stitchInput(const std::string& path, std::vector<Fix> fixes) {
    const auto named = namedStart(path);
    RecordingInput input;
    input.path = path;
    input.kind = named ? named->kind : RecordingKind::Normal;
    input.start = named ? named->start : (fixes.empty() ? 0 : fixes.front().utcSeconds);
    input.fixes = std::move(fixes);
    return input;
}

std::optional<Trip> tripOf(const std::string& recording, player::ViewMode mode, std::uint32_t key,
                           double gapLimitSeconds) {
    std::vector<std::string> files = recordingsIn(fs::path(recording).parent_path().string());
    if (std::find(files.begin(), files.end(), recording) == files.end())
        files.push_back(recording);

    std::vector<RecordingInput> inputs;
    for (const std::string& file : files) {
        RecordingFixes read = readRecordingFixesFile(file, mode, key);
        if (!read.fixes.empty())
            inputs.push_back(stitchInput(file, std::move(read.fixes)));
    }
    for (Trip& trip : stitchTrips(std::move(inputs), gapLimitSeconds))
        if (std::find(trip.recordings.begin(), trip.recordings.end(), recording) != trip.recordings.end())
            return std::move(trip);
    return std::nullopt;
}

std::string tripFileName(const std::string& recording) {
    return "trip_" + fs::path(recording).stem().string() + ".gpx";
}

bool writeFileWhole(const std::string& path, const std::string& text, std::string& error) {
    const fs::path target(path);
    const fs::path temp = target.parent_path() /
                          ("." + target.filename().string() + ".part" + std::to_string(::getpid()));
    {
        std::ofstream file(temp, std::ios::binary | std::ios::trunc);
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!file.flush()) {
            error = "cannot write " + temp.string();
            file.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        error = "cannot write " + path + ": " + ec.message();
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

} // namespace kyvo::trip
