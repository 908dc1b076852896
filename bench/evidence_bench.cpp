// Keeping evidence: thirty 1920 x 1080 stills captured from the playback
// library against ffmpeg extracting the same thirty frames to JPEG, a 600 MB
// backup copy against cp plus sync of the same file, the GUI thread's
// lateness (a 10 ms timer, maximum) during both, and a print-out to PDF.
//
//   evidence_bench
// Files are made under $TMPDIR/kyvo-bench (kept for reuse, except the copies).

#include "BackupCopy.h"
#include "BackupRunner.h"
#include "BenchProcess.h"
#include "CaptureNaming.h"
#include "CaptureRun.h"
#include "PlayerHarness.h"
#include "PrintJob.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

fs::path benchFolder() {
    const char* tmp = std::getenv("TMPDIR");
    const fs::path folder = fs::path(tmp ? tmp : "/tmp") / "kyvo-bench";
    fs::create_directories(folder);
    return folder;
}

double seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// The largest lateness of a 10 ms timer on this thread while `work` runs on
// another thread, and the work's wall time.
struct Watched {
    double wallSeconds = 0;
    double maxLateMs = 0;
};
Watched watchGuiWhile(const std::function<void()>& work) {
    std::atomic<bool> done{false};
    Watched watched;
    QElapsedTimer since;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const double late = static_cast<double>(since.nsecsElapsed()) / 1e6 - 10.0;
        watched.maxLateMs = std::max(watched.maxLateMs, late);
        since.restart();
    });
    const auto start = Clock::now();
    std::thread worker([&] {
        work();
        done = true;
    });
    since.start();
    tick.start(10);
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    worker.join();
    watched.wallSeconds = seconds(start);
    return watched;
}

// The playback library through the test harness, paused, as the capture sees it.
class HarnessSource : public kyvo::capture::CaptureSource {
public:
    explicit HarnessSource(orvtest::PlayerHarness& player) : player_(player) {}
    std::uint32_t shownFrame() const override {
        std::uint32_t index = 0;
        for (const auto& e : player_.events())
            if (e.code == orv::kEvFrameIndex)
                index = static_cast<std::uint32_t>(e.parameter);
        return index;
    }
    std::uint32_t frameCount() const override { return kyvo::capture::kUnknownFrameCount; }
    bool twoChannels() const override { return false; }
    bool copyPicture(int channel, kyvo::capture::Picture& picture) override {
        picture.pixels.resize(1920u * 1080u * 4u);
        OrvPictureCopy copy{};
        if (!player_.copyPicture(channel, picture.pixels, copy))
            return false;
        picture.width = copy.width;
        picture.height = copy.height;
        picture.frameIndex = copy.frameIndex;
        picture.time = copy.time;
        return true;
    }
    void requestStep() override { player_.command("frame_step"); }

private:
    orvtest::PlayerHarness& player_;
};

std::string makeRecording(const fs::path& folder) {
    const fs::path path = folder / "evidence_1080p.mov";
    if (fs::exists(path))
        return path.string();
    kyvo::bench::runProcess({"ffmpeg", "-nostdin", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                             "testsrc2=size=1920x1080:rate=30", "-t", "10", "-c:v", "libx264", "-preset", "veryfast",
                             "-g", "30", "-pix_fmt", "yuv420p", "-f", "mov", path.string()});
    return fs::exists(path) ? path.string() : std::string();
}

fs::path makeLargeFile(const fs::path& folder, std::uintmax_t bytes) {
    const fs::path path = folder / "backup-source-600MB.mov";
    if (fs::exists(path) && fs::file_size(path) == bytes)
        return path;
    std::vector<char> block(1u << 20);
    std::mt19937 random(7);
    for (char& c : block)
        c = static_cast<char>(random());
    std::ofstream out(path, std::ios::binary);
    for (std::uintmax_t written = 0; written < bytes; written += block.size())
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
    return path;
}

void captureBench(const fs::path& folder) {
    const std::string recording = makeRecording(folder);
    if (recording.empty()) {
        std::printf("capture: no recording\n");
        return;
    }
    orvtest::PlayerHarness player(ORVPLAYER_PATH);
    player.start(recording);
    if (!player.waitForCount(orv::kEvFrame, 60, std::chrono::seconds(30))) {
        std::printf("capture: the recording did not play\n");
        return;
    }
    player.command("frame_step"); // pauses
    player.waitForQuiet(orv::kEvFrame, std::chrono::milliseconds(400), std::chrono::seconds(10));
    HarnessSource source(player);
    const std::uint32_t first = source.shownFrame();
    const fs::path stills = folder / "stills";
    fs::remove_all(stills);
    fs::create_directories(stills);
    kyvo::capture::CaptureRequest request;
    request.folder = stills.string() + "/";
    request.recording = recording;
    request.thirty = true;
    std::atomic<bool> stop{false};
    kyvo::capture::CaptureReport report;
    const Watched watched = watchGuiWhile([&] { report = runCapture(source, request, stop); });
    player.command("quit");
    player.join(std::chrono::seconds(10));

    const fs::path extracted = folder / "ffmpeg-stills";
    fs::remove_all(extracted);
    fs::create_directories(extracted);
    char start[32];
    std::snprintf(start, sizeof start, "%.4f", (first - 1) / 30.0);
    const kyvo::bench::ProcessRun ffmpeg = kyvo::bench::runProcess(
        {"ffmpeg", "-nostdin", "-loglevel", "error", "-y", "-ss", start, "-i", recording, "-frames:v", "30", "-q:v",
         "5", (extracted / "%02d.jpg").string()});
    std::printf("\nthirty 1920 x 1080 stills (%d written, %d failed)\n", report.written, report.failed);
    std::printf("  %-48s %8.0f ms\n", "capture, confirm to end", watched.wallSeconds * 1000);
    std::printf("  %-48s %8.0f ms\n", "ffmpeg extracting the same 30 frames to JPEG", ffmpeg.wallSeconds * 1000);
    std::printf("  %-48s %8.2f   (target <= 1.5)\n", "ratio", watched.wallSeconds / ffmpeg.wallSeconds);
    std::printf("  %-48s %8.1f ms (target <= 50)\n", "GUI thread, largest lateness of a 10 ms timer",
                watched.maxLateMs);
}

void backupBench(const fs::path& folder) {
    const fs::path source = makeLargeFile(folder, 600ull << 20);
    kyvo::bench::runProcess({"sync"});
    const fs::path copies = folder / "backups";
    fs::create_directories(copies);
    const fs::path cpTarget = copies / "cp-copy.mov";
    const auto cpStart = Clock::now();
    kyvo::bench::runProcess({"cp", source.string(), cpTarget.string()});
    kyvo::bench::runProcess({"sync"});
    const double cpSeconds = seconds(cpStart);
    fs::remove(cpTarget);
    kyvo::bench::runProcess({"sync"});

    QWidget window;
    kyvo::app::CopyResult result = kyvo::app::CopyResult::Cancelled;
    bool finished = false;
    kyvo::app::BackupRunner runner(&window, [&](kyvo::app::CopyResult r, const fs::path&) {
        result = r;
        finished = true;
    });
    const fs::path target = kyvo::app::backupTarget(copies, source);
    QElapsedTimer since;
    double maxLate = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        maxLate = std::max(maxLate, static_cast<double>(since.nsecsElapsed()) / 1e6 - 10.0);
        since.restart();
    });
    const auto start = Clock::now();
    runner.start(source, target);
    since.start();
    tick.start(10);
    while (!finished)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    const double copySeconds = seconds(start);
    fs::remove(target);
    std::printf("\nbackup copy of a 600 MB recording (%s)\n", result == kyvo::app::CopyResult::Copied ? "copied" : "FAILED");
    std::printf("  %-48s %8.0f ms\n", "copy, written, synced and renamed", copySeconds * 1000);
    std::printf("  %-48s %8.0f ms\n", "cp plus sync", cpSeconds * 1000);
    std::printf("  %-48s %8.2f   (target <= 1.25)\n", "ratio", copySeconds / cpSeconds);
    std::printf("  %-48s %8.1f ms (target <= 50)\n", "GUI thread, largest lateness of a 10 ms timer", maxLate);
}

void printBench(const fs::path& folder) {
    QImage picture(1920, 1080, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x & 255, y & 255, (x ^ y) & 255));
    const kyvo::app::PrintTexts texts{QStringLiteral("日期: 2024/06/12  08:15:03"),
                                      QStringLiteral("位置 緯度: 025° 03' 29.00\"   經度: 121° 33' 49.97\""),
                                      QStringLiteral("速度: 45.0 公里/小時"),
                                      QStringLiteral("GSensor X: 0.180     Y: 0.015     Z: 0.999")};
    std::vector<double> ms;
    for (int run = 0; run < 7; ++run) {
        QPrinter printer(QPrinter::HighResolution);
        kyvo::app::preparePrinter(printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString((folder / "print.pdf").string()));
        const auto start = Clock::now();
        kyvo::app::printPage(printer, picture, texts);
        ms.push_back(seconds(start) * 1000);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("\nprint-out of a 1920 x 1080 frame to PDF\n");
    std::printf("  %-48s %8.0f ms (target <= 500)\n", "median of 7", ms[ms.size() / 2]);
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const fs::path folder = benchFolder();
    captureBench(folder);
    backupBench(folder);
    printBench(folder);
    return 0;
}
