// Recording folder benchmark: scanning a card folder for normal recordings and
// collecting all of them as checked (sorted full paths), the part of "open a
// folder, Select All, Add to List" that runs below the selector window.
// Anchors measured in the same run on the same folder: `ls -f` (enumeration
// order, no sorting) and `ls` (sorted), each a fork/exec writing to /dev/null,
// plus the bare cost of starting `ls` on nothing but the folder itself.
//
//   recordings_bench [RUNS]
// Makes 10,000 empty "drf_YYYYMMDD_hhmmss.mov" files and 10,000 others
// (event recordings, ".mjpg" pictures, ".jpg" stills, text files) in a
// folder under $TMPDIR, removed afterwards. Prints medians of warm runs.

#include "FolderScan.h"
#include "SelectedList.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using kyvo::recordings::RecordingKind;

constexpr int kRecordings = 10'000;
constexpr int kOthers = 10'000;
constexpr int kDefaultRuns = 21;
constexpr int kWarmRuns = 2;
constexpr double kIssueTargetMs = 300.0; // scan + check all + adding to the play list, window included

// Names spread over days like a card that recorded for a month, one file a
// minute: drf_YYYYMMDD_hhmmss.mov.
std::string recordingName(const char* marker, int index, const char* extension) {
    const int day = 1 + index / (24 * 60);
    const int minuteOfDay = index % (24 * 60);
    char name[64];
    std::snprintf(name, sizeof name, "%s202406%02d_%02d%02d%02d%s", marker, day, minuteOfDay / 60, minuteOfDay % 60,
                  index % 60, extension);
    return name;
}

bool makeFolder(const fs::path& folder) {
    std::vector<std::string> names;
    for (int i = 0; i < kRecordings; ++i)
        names.push_back(recordingName("drf_", i, ".mov"));
    // The others, a quarter of each sort.
    for (int i = 0; i < kOthers; ++i) {
        switch (i % 4) {
        case 0: names.push_back(recordingName("evt_", i, ".mov")); break;
        case 1: names.push_back(recordingName("drf_", i, ".mjpg")); break;
        case 2: names.push_back(recordingName("snap_", i, ".jpg")); break;
        default: names.push_back("log_" + std::to_string(i) + ".txt"); break;
        }
    }
    for (const std::string& name : names) {
        const int fd = ::open((folder / name).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::close(fd) != 0)
            return false;
    }
    return true;
}

struct Timing {
    double medianMs = 0;
    double minMs = 0;
    double maxMs = 0;
};

Timing measure(int runs, const std::function<void()>& work) {
    for (int i = 0; i < kWarmRuns; ++i)
        work();
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const Clock::time_point start = Clock::now();
        work();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front(), ms.back()};
}

// Runs a command with its output thrown away and waits for it; false when it
// cannot be started or does not exit with 0.
bool runQuietly(std::vector<std::string> args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void printRow(const char* label, const Timing& t) {
    std::printf("%-44s %10.2f %10.2f %10.2f\n", label, t.medianMs, t.minMs, t.maxMs);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRuns;
    std::string pattern = (fs::temp_directory_path() / "kyvorecbenchXXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::fprintf(stderr, "recordings_bench: cannot make a folder under %s\n", fs::temp_directory_path().c_str());
        return 1;
    }
    const fs::path folder = pattern;
    const int status = [&] {
        if (!makeFolder(folder)) {
            std::fprintf(stderr, "recordings_bench: cannot fill %s\n", folder.c_str());
            return 1;
        }
        const std::u16string folderText = folder.u16string();

        std::size_t listed = 0;
        std::size_t handed = 0;
        bool cut = false;
        std::vector<std::u16string> names;
        const Timing scanTime = measure(runs, [&] { names = kyvo::recordings::scan(RecordingKind::Normal, folder); });
        const std::vector<bool> all(names.size(), true);
        const Timing collectTime = measure(runs, [&] {
            const kyvo::recordings::CollectResult result = kyvo::recordings::collect(names, all, folderText);
            handed = result.paths.size();
            cut = result.cut;
        });
        const Timing bothTime = measure(runs, [&] {
            const std::vector<std::u16string> scanned = kyvo::recordings::scan(RecordingKind::Normal, folder);
            listed = scanned.size();
            const kyvo::recordings::CollectResult result =
                kyvo::recordings::collect(scanned, std::vector<bool>(scanned.size(), true), folderText);
            handed = result.paths.size();
        });

        bool lsOk = true;
        const Timing lsStart = measure(runs, [&] { lsOk &= runQuietly({"ls", "-d", folder.string()}); });
        const Timing lsUnsorted = measure(runs, [&] { lsOk &= runQuietly({"ls", "-f", folder.string()}); });
        const Timing lsSorted = measure(runs, [&] { lsOk &= runQuietly({"ls", folder.string()}); });
        if (!lsOk) {
            std::fprintf(stderr, "recordings_bench: ls failed\n");
            return 1;
        }

        std::printf("folder: %s, %d recordings + %d other files; %d warm runs each\n", folder.c_str(), kRecordings,
                    kOthers, runs);
        std::printf("listed %zu normal recordings; collect hands over %zu paths (%s)\n", listed, handed,
                    cut ? "cut to the 500 of a selected list" : "not cut");
        std::printf("%-44s %10s %10s %10s\n", "", "median ms", "min ms", "max ms");
        printRow("scan(Normal)", scanTime);
        printRow("collect(all 10,000 checked)", collectTime);
        printRow("scan + collect", bothTime);
        printRow("anchor: ls -d FOLDER (start-up only)", lsStart);
        printRow("anchor: ls -f FOLDER (unsorted)", lsUnsorted);
        printRow("anchor: ls FOLDER (sorted)", lsSorted);
        std::printf("scan + collect / ls -f: %.2f; / ls: %.2f; share of the %.0f ms issue target: %.1f %%\n",
                    bothTime.medianMs / lsUnsorted.medianMs, bothTime.medianMs / lsSorted.medianMs, kIssueTargetMs,
                    100.0 * bothTime.medianMs / kIssueTargetMs);
        return 0;
    }();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return status;
}
