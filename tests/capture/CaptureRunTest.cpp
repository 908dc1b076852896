// The still capture over a source that stands in for the playback library:
// names, the number of stills, steps that are waited for, and what ends a
// capture early.

#include "CaptureNaming.h"
#include "CaptureRun.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

using namespace kyvo::capture;
namespace fs = std::filesystem;

namespace {

// A paused player: the frame on screen changes only when a step is asked,
// unless it is told to ignore steps.
class SteppingSource : public CaptureSource {
public:
    std::uint32_t index = 90;
    std::uint32_t count = 0xFFFFFFFFu;
    bool rear = false;
    bool ignoreSteps = false;
    int steps = 0;

    std::uint32_t shownFrame() const override { return index; }
    std::uint32_t frameCount() const override { return count; }
    bool twoChannels() const override { return rear; }
    bool copyPicture(int channel, Picture& picture) override {
        picture.width = 64;
        picture.height = 48;
        picture.pixels.assign(64 * 48 * 4, static_cast<std::uint8_t>(channel == 0 ? 40 : 200));
        picture.frameIndex = index;
        picture.time = static_cast<float>(index - 1) / 30.0f;
        return index > 0;
    }
    void requestStep() override {
        ++steps;
        if (!ignoreSteps)
            ++index;
    }
};

// A player on a thread of its own: a step request is queued and the frame
// changes a moment later on that thread, as the library does it.
class ThreadedSource : public CaptureSource {
public:
    ~ThreadedSource() override {
        for (std::thread& t : steps_)
            t.join();
    }
    std::uint32_t shownFrame() const override { return index_.load(); }
    std::uint32_t frameCount() const override { return 300; }
    bool twoChannels() const override { return false; }
    bool copyPicture(int, Picture& picture) override {
        picture.width = 32;
        picture.height = 16;
        picture.pixels.assign(32 * 16 * 4, 90);
        picture.frameIndex = index_.load();
        picture.time = static_cast<float>(picture.frameIndex) / 30.0f;
        return true;
    }
    void requestStep() override {
        steps_.emplace_back([this] {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            index_.fetch_add(1);
        });
    }

private:
    std::atomic<std::uint32_t> index_{10};
    std::vector<std::thread> steps_;
};

CaptureRequest requestFor(const fs::path& folder, bool thirty) {
    CaptureRequest request;
    request.folder = folder.string() + "/";
    request.recording = "/media/card/drf_20240612_081500.mov";
    request.thirty = thirty;
    request.stepTimeout = std::chrono::milliseconds(100);
    return request;
}

} // namespace

TEST(CaptureNaming, StillsAreNamedAfterTheRecordingTheSecondAndTheirNumber) {
    EXPECT_EQ(stillFileName("/stills/", "/card/drf_20110104_123456.mov", 75, 1, false),
              "/stills/drf_20110104_123456_0115_1.jpg");
    EXPECT_EQ(stillFileName("/stills", "/card/drf_20110104_123456.mov", 3599, 30, true),
              "/stills/drf_20110104_123456_5959_30_R.jpg");
    EXPECT_EQ(stillFileName("/s/", "/card.d/evt_1", 600, 2, false), "/s/evt_1_1000_2.jpg");
    EXPECT_EQ(recordingBaseName("/a.b/c.tar.mov"), "c.tar");
}

TEST(CaptureNaming, TheNumberOfStillsIsBoundedByThirtyAndTheFramesBeforeTheLast) {
    EXPECT_EQ(stillCount(false, 300, 10), 1);
    EXPECT_EQ(stillCount(true, 300, 10), 30);
    EXPECT_EQ(stillCount(true, 300, 290), 10);
    EXPECT_EQ(stillCount(true, 300, 299), 1);
    EXPECT_EQ(stillCount(true, 300, 300), 1);
    EXPECT_EQ(stillCount(true, kUnknownFrameCount, 5), 30);
}

TEST(CaptureRun, ThirtyStillsOfConsecutiveFramesAreWritten) {
    const kyvo::test::TempFolder folder("kyvocapture");
    SteppingSource source;
    source.rear = true;
    std::vector<std::pair<int, int>> progress;
    const std::atomic<bool> stop{false};
    const CaptureReport report = runCapture(source, requestFor(folder.path(), true), stop,
                                            [&](int count, int total) { progress.emplace_back(count, total); });
    EXPECT_EQ(report.ending, CaptureReport::Done);
    EXPECT_EQ(report.written, 30);
    EXPECT_EQ(report.failed, 0);
    EXPECT_EQ(source.steps, 29);
    ASSERT_EQ(report.files.size(), 60u);
    // Frame 90 is at 2.97 s, frame 119 at 3.93 s.
    EXPECT_EQ(fs::path(report.files.front()).filename(), "drf_20240612_081500_0002_1.jpg");
    EXPECT_EQ(fs::path(report.files[1]).filename(), "drf_20240612_081500_0002_1_R.jpg");
    EXPECT_EQ(fs::path(report.files.back()).filename(), "drf_20240612_081500_0003_30_R.jpg");
    for (const std::string& file : report.files)
        EXPECT_GT(fs::file_size(file), 100u) << file;
    ASSERT_EQ(progress.size(), 31u);
    EXPECT_EQ(progress.front(), std::make_pair(0, 30));
    EXPECT_EQ(progress.back(), std::make_pair(30, 30));
}

TEST(CaptureRun, StepsMadeOnThePlayersOwnThreadAreWaitedFor) {
    const kyvo::test::TempFolder folder("kyvocapture");
    ThreadedSource source;
    const std::atomic<bool> stop{false};
    CaptureRequest request = requestFor(folder.path(), true);
    request.stepTimeout = std::chrono::seconds(5);
    const CaptureReport report = runCapture(source, request, stop);
    EXPECT_EQ(report.ending, CaptureReport::Done);
    EXPECT_EQ(report.written, 30);
    EXPECT_EQ(source.shownFrame(), 39u);
}

TEST(CaptureRun, NeverStepsOntoTheLastFrame) {
    const kyvo::test::TempFolder folder("kyvocapture");
    SteppingSource source;
    source.count = 100;
    source.index = 97;
    const std::atomic<bool> stop{false};
    const CaptureReport report = runCapture(source, requestFor(folder.path(), true), stop);
    EXPECT_EQ(report.total, 3);
    EXPECT_EQ(report.written, 3);
    EXPECT_EQ(source.index, 99u);
}

TEST(CaptureRun, ALibraryThatDoesNotStepEndsTheCaptureInsteadOfHanging) {
    const kyvo::test::TempFolder folder("kyvocapture");
    SteppingSource source;
    source.ignoreSteps = true;
    const std::atomic<bool> stop{false};
    const auto started = std::chrono::steady_clock::now();
    const CaptureReport report = runCapture(source, requestFor(folder.path(), true), stop);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    EXPECT_EQ(report.ending, CaptureReport::StepTimedOut);
    EXPECT_EQ(report.written, 1);
    EXPECT_EQ(source.steps, 1);
}

TEST(CaptureRun, NothingIsCapturedWithoutAFolderOrAFrameAndFailuresAreCounted) {
    const kyvo::test::TempFolder folder("kyvocapture");
    SteppingSource source;
    const std::atomic<bool> stop{false};
    CaptureRequest request = requestFor(folder.path(), false);
    request.folder.clear();
    EXPECT_EQ(runCapture(source, request, stop).ending, CaptureReport::NoFolder);

    source.index = 0;
    EXPECT_EQ(runCapture(source, requestFor(folder.path(), false), stop).ending, CaptureReport::NoPicture);
    EXPECT_TRUE(fs::is_empty(folder.path()));

    source.index = 40;
    const CaptureReport failed = runCapture(source, requestFor(folder.path() / "missing", true), stop);
    EXPECT_EQ(failed.ending, CaptureReport::Done);
    EXPECT_EQ(failed.written, 0);
    EXPECT_EQ(failed.failed, 30);
}

TEST(CaptureRun, AStopRequestEndsTheCaptureBetweenStills) {
    const kyvo::test::TempFolder folder("kyvocapture");
    SteppingSource source;
    std::atomic<bool> stop{false};
    const CaptureReport report = runCapture(source, requestFor(folder.path(), true), stop, [&](int count, int) {
        if (count == 3)
            stop = true;
    });
    EXPECT_EQ(report.ending, CaptureReport::Stopped);
    EXPECT_EQ(report.written, 3);
}
