// A generated recording plays through the adapter and the real playback
// library to its last frame; the telemetry shown on each frame is the entry
// recgen wrote for it.

#include "ROVUAdap.h"

#include "BoxReader.h"
#include "RecordingMaker.h"
#include "ViewerMessages.h"
#include "WindowMessage.h"

#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <mutex>

namespace kyvo::player {
namespace {

struct ShownFrame {
    std::uint32_t index = 0;
    bool hasTelemetry = false;
    std::string sentence;
    std::array<float, 3> sensor{};
};

// The main window's part, over real widgets; every frame notification takes
// down what the adapter shows at that moment (on the player thread, before the
// next frame can come).
class WidgetHost : public AdapterHost {
public:
    QWidget owner;
    ROVUAdap* adapter = nullptr;

    std::intptr_t ownerWindow() override { return reinterpret_cast<std::intptr_t>(&owner); }
    void notifyOwner(unsigned message, std::uintptr_t, std::intptr_t lParam) override {
        std::lock_guard lock(mutex_);
        if (message == WM_PLAYER_END && lParam == 1)
            ended_ = true;
        if (message != WM_PLAYER_FRAME || !adapter)
            return;
        ShownFrame frame;
        frame.index = adapter->frameIndex.load();
        std::array<char, kGpsRecordSize> gps{};
        frame.hasTelemetry = adapter->noTelemetry.load() == 0 && adapter->telemetry(gps, frame.sensor);
        frame.sentence = gps.data();
        frames_.push_back(frame);
    }
    std::intptr_t sendToWindow(std::intptr_t window, unsigned message, std::uintptr_t wParam,
                               std::intptr_t lParam) override {
        return sendMessage(reinterpret_cast<QObject*>(window), message, wParam, lParam);
    }
    void postToWindow(std::intptr_t window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override {
        postMessage(reinterpret_cast<QObject*>(window), message, wParam, lParam);
    }
    bool moveWindow(std::intptr_t window, int x, int y, int width, int height) override {
        auto* widget = reinterpret_cast<QWidget*>(window);
        widget->setGeometry(x, y, width, height);
        widget->show();
        return true;
    }
    void viewModeMismatch(int) override { ADD_FAILURE() << "view mode mismatch"; }
    void screenSize(int& width, int& height) override {
        width = 1920;
        height = 1080;
    }

    bool ended() const {
        std::lock_guard lock(mutex_);
        return ended_;
    }
    std::vector<ShownFrame> frames() const {
        std::lock_guard lock(mutex_);
        return frames_;
    }

private:
    mutable std::mutex mutex_; // guards the two below
    bool ended_ = false;
    std::vector<ShownFrame> frames_;
};

TEST(RealLibraryTest, RecordingPlaysToItsEndWithItsTelemetryEveryTenFrames) {
    QTemporaryDir dir;
    recgen::RecordingOptions options;
    options.lengthS = 3;
    options.width = 160;
    options.height = 90;
    options.audio = false;
    options.preset = "ultrafast";
    const std::filesystem::path file = std::filesystem::path(dir.path().toStdString()) / options.fileName();
    const recgen::RecordingReport report = recgen::makeRecording(options, file);
    const recgen::RecordingContents contents = recgen::readRecording(recgen::FileSource(file));
    ASSERT_TRUE(contents.telemetry);
    const auto& entries = contents.telemetry->entries;

    WidgetHost host;
    host.owner.resize(700, 450);
    host.owner.show();
    ROVUAdap adapter(host);
    host.adapter = &adapter;
    adapter.current()->SetVideoRect(0, 24, 45, 640, 360);
    ASSERT_EQ(adapter.current()->Load(ORVPLAYER_PATH), PlayerLibrary::kBound);
    adapter.channelMode.store(1);
    ASSERT_EQ(adapter.Open(file.c_str(), ""), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.ended(); }, 60000)) << "no WM_PLAYER_END";
    EXPECT_EQ(adapter.current(), &adapter.ended());
    EXPECT_EQ(adapter.frameCount.load(), static_cast<std::uint32_t>(report.frames));
    EXPECT_TRUE(QTest::qWaitFor([&] { return adapter.lengthSeconds.load() == options.lengthS; }, 10000))
        << "length " << adapter.length.load();

    const std::vector<ShownFrame> frames = host.frames();
    ASSERT_GE(frames.size(), static_cast<std::size_t>(report.frames) - 2);
    EXPECT_EQ(frames.front().index, 1u);
    const ShownFrame* entryFrame = nullptr; // the last frame that carried an entry
    int entryFrames = 0;
    for (const ShownFrame& frame : frames) {
        SCOPED_TRACE(frame.index);
        if (frame.index >= adapter.frameCount.load())
            continue; // frames at or above the frame count carry no records
        if (frame.index % 10 == 1) {
            entryFrame = &frame;
            ++entryFrames;
            const std::size_t k = frame.index == 1 ? 1 : frame.index / 10;
            ASSERT_LT(k, entries.size());
            ASSERT_TRUE(frame.hasTelemetry);
            EXPECT_EQ(frame.sentence, entries[k].sentence);
            EXPECT_EQ(frame.sensor, entries[k].g);
        } else if (entryFrame) {
            EXPECT_EQ(frame.sentence, entryFrame->sentence);
            EXPECT_EQ(frame.sensor, entryFrame->sensor);
        }
    }
    EXPECT_GE(entryFrames, report.frames / 10 - 1);
    EXPECT_NE(entries[1].sentence, entries[2].sentence) << "the drive should move";
}

} // namespace
} // namespace kyvo::player
