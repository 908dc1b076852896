// Playback library benchmark: a 60 s 1920 x 1080 30 fps H.264 recording played
// at normal speed. Reports the frames delivered against the frame count, the
// CPU time of the whole process against `mpv --no-config --vo=null --ao=null`
// playing the same file in real time (measured in the same run), and the time
// from a picture leaving libmpv to callback code 6.
//
//   orvplayer_bench [--window] [FILE]
// Without FILE a recording is made with ffmpeg under $TMPDIR (kept for reuse).
// --window plays into a video window of an (offscreen) owner window, as the viewer does.

#include "BenchProcess.h"
#include "PlayerHarness.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

double processCpu() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return kyvo::bench::cpuSeconds(usage);
}

int run(const std::vector<std::string>& args, double* childCpu = nullptr, double* wall = nullptr) {
    const kyvo::bench::ProcessRun result = kyvo::bench::runProcess(args);
    if (childCpu)
        *childCpu = result.cpuSeconds;
    if (wall)
        *wall = result.wallSeconds;
    return result.exitCode;
}

std::string ensureRecording() {
    const char* tmp = std::getenv("TMPDIR");
    const std::filesystem::path path =
        std::filesystem::path(tmp ? tmp : "/tmp") / "kyvo-bench" / "drf_20240612_081500.mov";
    if (std::filesystem::exists(path))
        return path.string();
    std::filesystem::create_directories(path.parent_path());
    std::printf("making a 60 s 1920x1080 30 fps H.264 recording at %s ...\n", path.c_str());
    std::fflush(stdout);
    const int rc = run({"ffmpeg", "-nostdin", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                        "testsrc2=size=1920x1080:rate=30", "-f", "lavfi", "-i", "sine=frequency=300:sample_rate=48000",
                        "-t", "60", "-c:v", "libx264", "-preset", "veryfast", "-g", "30", "-pix_fmt", "yuv420p",
                        "-c:a", "aac", "-shortest", "-f", "mov", path.string()});
    return rc == 0 ? path.string() : std::string();
}

double percentile(std::vector<double> v, double p) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    bool window = false;
    std::string file;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--window")
            window = true;
        else
            file = a;
    }
    if (file.empty())
        file = ensureRecording();
    if (file.empty()) {
        std::fprintf(stderr, "bench: no recording\n");
        return 1;
    }

    // 1. mpv itself, decoding and playing in real time without output.
    double mpvCpu = 0;
    double mpvWall = 0;
    const int mpvRc = run({"mpv", "--no-config", "--vo=null", "--ao=null", "--really-quiet", file}, &mpvCpu, &mpvWall);

    // 2. The library, through a client of its own.
    orvtest::PlayerHarness player(ORVPLAYER_PATH);
    if (!player.loaded()) {
        std::fprintf(stderr, "bench: cannot load %s\n", ORVPLAYER_PATH);
        return 1;
    }
    QWidget owner;
    if (window) {
        owner.resize(700, 450);
        owner.show();
        player.owner = &owner;
    }
    const double cpuBefore = processCpu();
    const auto start = std::chrono::steady_clock::now();
    player.start(file);
    if (!QTest::qWaitFor([&] { return player.count(orv::kEvEndOfEntry) >= 1; }, 180000))
        std::fprintf(stderr, "bench: the recording did not end within 3 minutes\n");
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = processCpu() - cpuBefore;
    player.command("quit");
    if (!QTest::qWaitFor([&] { return !player.running(); }, 10000))
        std::fprintf(stderr, "bench: the player did not end\n");

    std::uint32_t frameCount = 0;
    std::size_t frames = 0;
    std::vector<double> latencyMs;
    for (const auto& e : player.events()) {
        if (e.code == orv::kEvStreamInfo)
            frameCount = e.frameCount;
        if (e.code == orv::kEvFrame) {
            ++frames;
            latencyMs.push_back(static_cast<double>(e.latencyNs) / 1e6);
        }
    }

    std::printf("\nrecording: %s\n", file.c_str());
    std::printf("mode: %s\n", window ? "into a video window (offscreen)" : "no video window");
    std::printf("%-44s %10s %10s\n", "", "library", "mpv CLI");
    std::printf("%-44s %10.1f %10.1f\n", "wall time (s)", wall, mpvWall);
    std::printf("%-44s %10.2f %10.2f\n", "CPU time (s)", cpu, mpvCpu);
    std::printf("%-44s %10.2f\n", "CPU ratio library / mpv (target <= 2.0)", mpvCpu > 0 ? cpu / mpvCpu : 0.0);
    std::printf("%-44s %10zu (frame count %u)\n", "frames delivered", frames, frameCount);
    std::printf("%-44s %10.3f\n", "picture to callback 6, median (ms)", percentile(latencyMs, 0.5));
    std::printf("%-44s %10.3f\n", "picture to callback 6, 99th percentile (ms)", percentile(latencyMs, 0.99));
    if (mpvRc != 0)
        std::printf("note: mpv exited with %d\n", mpvRc);
    return 0;
}
