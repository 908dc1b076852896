// Playback library benchmark: a 60 s 1920 x 1080 30 fps H.264 recording played
// at normal speed. Reports the frames delivered against the frame count, the
// CPU time of the whole process against `mpv --no-config --vo=null --ao=null`
// playing the same file in real time (measured in the same run), and the time
// from a picture leaving libmpv to callback code 6.
//
//   orvplayer_bench [--window] [--two] [FILE]
// With --window the front's video window is moved into the left enlarged
// popup halfway through, and the popup's repaint (its frame and the picture
// scaled into it) is timed there for five seconds.
// Without FILE a recording is made with ffmpeg under $TMPDIR (kept for reuse).
// --window plays into a video window of an (offscreen) owner window, as the viewer does.
// --two plays two channels: FILE and its rear picture FILE_R (made beside the
// made recording), against two mpv processes playing both at the same time;
// it also reports the peak resident memory of the process.

#include "BenchProcess.h"
#include "PlayerHarness.h"
#include "VideoPopupLeft.h"

#include <QApplication>
#include <QElapsedTimer>
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

// The rear picture beside the made recording: another 60 s 1080p30 scene, no sound.
std::string ensureRear(const std::string& front) {
    const std::filesystem::path frontPath(front);
    const std::filesystem::path path =
        frontPath.parent_path() / (frontPath.stem().string() + "_R" + frontPath.extension().string());
    if (std::filesystem::exists(path))
        return path.string();
    std::printf("making its 60 s 1920x1080 30 fps rear picture at %s ...\n", path.c_str());
    std::fflush(stdout);
    const int rc = run({"ffmpeg", "-nostdin", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                        "testsrc=size=1920x1080:rate=30", "-t", "60", "-c:v", "libx264", "-preset", "veryfast", "-g",
                        "30", "-pix_fmt", "yuv420p", "-f", "mov", path.string()});
    return rc == 0 ? path.string() : std::string();
}

// Two mpv processes at once: their summed CPU time, and the wall time of both.
int runTwoMpv(const std::string& a, const std::string& b, double* cpu, double* wall) {
    std::fflush(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pids[2] = {};
    const std::string* files[2] = {&a, &b};
    for (int i = 0; i < 2; ++i) {
        pids[i] = fork();
        if (pids[i] == 0) {
            execlp("mpv", "mpv", "--no-config", "--vo=null", "--ao=null", "--really-quiet", files[i]->c_str(),
                   static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    int worst = 0;
    *cpu = 0;
    for (pid_t pid : pids) {
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        *cpu += kyvo::bench::cpuSeconds(usage);
        worst = std::max(worst, WIFEXITED(status) ? WEXITSTATUS(status) : 1);
    }
    *wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return worst;
}

// The peak resident memory of this process, in megabytes.
double peakResidentMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
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
    bool two = false;
    std::string file;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--window")
            window = true;
        else if (a == "--two")
            two = true;
        else
            file = a;
    }
    if (file.empty())
        file = ensureRecording();
    const std::string rear = two && !file.empty() ? ensureRear(file) : std::string();
    if (file.empty() || (two && rear.empty())) {
        std::fprintf(stderr, "bench: no recording\n");
        return 1;
    }

    // 1. mpv itself, decoding and playing in real time without output.
    double mpvCpu = 0;
    double mpvWall = 0;
    const int mpvRc = two ? runTwoMpv(file, rear, &mpvCpu, &mpvWall)
                          : run({"mpv", "--no-config", "--vo=null", "--ao=null", "--really-quiet", file}, &mpvCpu,
                                &mpvWall);

    // 2. The library, through a client of its own.
    orvtest::PlayerHarness player(ORVPLAYER_PATH);
    if (!player.loaded()) {
        std::fprintf(stderr, "bench: cannot load %s\n", ORVPLAYER_PATH);
        return 1;
    }
    QWidget owner;
    if (window) {
        owner.resize(1020, 600);
        owner.show();
        player.owner = &owner;
    }
    if (two) {
        player.channelMode = 2;
        player.rects = orv::VideoRectTable{{{24, 45, 640, 360}, {689, 52, 310, 410}}};
    }
    const double cpuBefore = processCpu();
    const auto start = std::chrono::steady_clock::now();
    player.start(file, rear);
    std::vector<double> repaintMs;
    if (window) {
        // Halfway through, the front's window goes into the left popup; the
        // popup repaints as a move or an uncovering makes it, while playing.
        QTest::qWait(30000);
        kyvo::video::VideoPopupLeft popup(&owner);
        popup.setShown(true);
        if (auto* video = reinterpret_cast<QWidget*>(player.videoWindow0())) {
            video->setParent(&popup);
            video->setGeometry(popup.videoRect());
            video->show();
        }
        const auto until = std::chrono::steady_clock::now() + 5s;
        while (std::chrono::steady_clock::now() < until) {
            QElapsedTimer timer;
            timer.start();
            popup.repaint();
            repaintMs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            QTest::qWait(33);
        }
        if (auto* video = reinterpret_cast<QWidget*>(player.videoWindow0())) {
            video->setParent(&owner);
            video->show();
        }
    }
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
    std::vector<std::intptr_t> indexes;
    for (const auto& e : player.events()) {
        if (e.code == orv::kEvStreamInfo)
            frameCount = e.frameCount;
        if (e.code == orv::kEvFrameIndex)
            indexes.push_back(e.parameter);
        if (e.code == orv::kEvFrame) {
            ++frames;
            latencyMs.push_back(static_cast<double>(e.latencyNs) / 1e6);
        }
    }

    std::printf("\nrecording: %s\n", file.c_str());
    std::printf("mode: %s, %s\n", window ? "into video windows (offscreen)" : "no video window",
                two ? "two channels (front and rear)" : "one channel");
    std::printf("%-44s %10s %10s\n", "", "library", two ? "2 x mpv" : "mpv CLI");
    std::printf("%-44s %10.1f %10.1f\n", "wall time (s)", wall, mpvWall);
    std::printf("%-44s %10.2f %10.2f\n", "CPU time (s)", cpu, mpvCpu);
    std::printf("%-44s %10.2f\n", "CPU ratio library / mpv (target <= 2.0)", mpvCpu > 0 ? cpu / mpvCpu : 0.0);
    std::printf("%-44s %10zu (frame count %u)\n", "frames delivered", frames, frameCount);
    std::string missing;
    for (std::intptr_t i = 1; i <= static_cast<std::intptr_t>(frameCount); ++i)
        if (std::find(indexes.begin(), indexes.end(), i) == indexes.end())
            missing += " " + std::to_string(i);
    if (!missing.empty())
        std::printf("%-44s %s\n", "frame indexes not shown", missing.c_str());
    std::printf("%-44s %10.3f\n", "picture to callback 6, median (ms)", percentile(latencyMs, 0.5));
    std::printf("%-44s %10.3f\n", "picture to callback 6, 99th percentile (ms)", percentile(latencyMs, 0.99));
    std::printf("%-44s %10.1f\n", "peak resident memory (MB)", peakResidentMb());
    if (!repaintMs.empty())
        std::printf("%-44s %10.3f (%zu repaints)\n", "left popup repaint, median (ms)", percentile(repaintMs, 0.5),
                    repaintMs.size());
    if (mpvRc != 0)
        std::printf("note: mpv exited with %d\n", mpvRc);
    return 0;
}
