// A generated recording plays through the adapter and the real playback
// library to its last frame; the telemetry shown on each frame is the entry
// recgen wrote for it. Recordings whose names hold quotes, backslashes, blanks
// and Chinese letters play the same way.

#include "ROVUAdap.h"

#include "BoxReader.h"
#include "RecordingMaker.h"
#include "TempFolder.h"
#include "ViewerMessages.h"
#include "WindowMessage.h"

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
            ++ends_;
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

    bool ended() const { return ends() > 0; }
    int ends() const {
        std::lock_guard lock(mutex_);
        return ends_;
    }
    std::vector<ShownFrame> frames() const {
        std::lock_guard lock(mutex_);
        return frames_;
    }

private:
    mutable std::mutex mutex_; // guards the two below
    int ends_ = 0;
    std::vector<ShownFrame> frames_;
};

// A small recording of `seconds` made by recgen at `file`; its telemetry entries.
std::vector<recgen::TelemetryEntry> makeSmallRecording(const std::filesystem::path& file, int seconds,
                                                       double routeOffset = 0) {
    recgen::RecordingOptions options;
    options.lengthS = seconds;
    options.width = 160;
    options.height = 90;
    options.audio = false;
    options.preset = "ultrafast";
    options.routeOffsetS = routeOffset;
    recgen::makeRecording(options, file);
    const recgen::RecordingContents contents = recgen::readRecording(recgen::FileSource(file));
    return contents.telemetry ? contents.telemetry->entries : std::vector<recgen::TelemetryEntry>{};
}

TEST(RealLibraryTest, RecordingPlaysToItsEndWithItsTelemetryEveryTenFrames) {
    const kyvo::test::TempFolder dir;
    recgen::RecordingOptions options;
    options.lengthS = 3;
    options.width = 160;
    options.height = 90;
    options.audio = false;
    options.preset = "ultrafast";
    const std::filesystem::path file = dir / options.fileName();
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

// Every legal Linux file name plays with its telemetry: started from idle
// (the player's argument list) and loaded from ended (the load command).
TEST(RealLibraryTest, NamesWithQuotesBackslashesBlanksAndChineseLettersPlayWithTheirTelemetry) {
    constexpr int kSeconds = 2;
    constexpr std::uint32_t kEntryFrame = 11; // shows entry 1
    const kyvo::test::TempFolder dir;
    const std::filesystem::path folder = dir / "記憶卡 \"01\" \\ 前";
    std::filesystem::create_directories(folder);
    const std::filesystem::path files[] = {folder / "drf_20240612_081500 a\\b \"c\".mov",
                                           folder / "evt_20240612_081600 \\\"行車\" .mov"};
    const std::vector<recgen::TelemetryEntry> entries[] = {makeSmallRecording(files[0], kSeconds),
                                                           makeSmallRecording(files[1], kSeconds, 600)};
    ASSERT_GT(entries[0].size(), 1u);
    ASSERT_GT(entries[1].size(), 1u);
    ASSERT_NE(entries[0][1].sentence, entries[1][1].sentence) << "the two drives should differ";

    WidgetHost host;
    host.owner.resize(700, 450);
    host.owner.show();
    ROVUAdap adapter(host);
    host.adapter = &adapter;
    ASSERT_EQ(adapter.current()->Load(ORVPLAYER_PATH), PlayerLibrary::kBound);
    adapter.channelMode.store(1);
    std::size_t firstFrames = 0;
    for (int k = 0; k < 2; ++k) {
        SCOPED_TRACE(files[k].string());
        ASSERT_EQ(adapter.Open(files[k].c_str(), ""), 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return host.ends() > k; }, 60000)) << "no WM_PLAYER_END";
        const std::vector<ShownFrame> frames = host.frames();
        const auto shown = std::find_if(frames.begin() + static_cast<std::ptrdiff_t>(firstFrames), frames.end(),
                                        [](const ShownFrame& f) { return f.index == kEntryFrame; });
        ASSERT_NE(shown, frames.end()) << "frame " << kEntryFrame << " was not shown";
        EXPECT_TRUE(shown->hasTelemetry);
        EXPECT_EQ(shown->sentence, entries[k][1].sentence);
        firstFrames = frames.size();
    }
    EXPECT_EQ(adapter.current(), &adapter.ended());

    // Ended's Close ends the player; its windows are gone, nothing is sent to them.
    EXPECT_EQ(adapter.current()->Close(), 0);
    EXPECT_FALSE(adapter.library().loaded());
    EXPECT_EQ(adapter.NotifyMoved(), 1);
}

// A scrambled recording in the encrypted view mode, with its key: the same
// frames as its plain twin, each entry frame with the entry recgen wrote.
TEST(RealLibraryTest, ScrambledRecordingPlaysWithTheTelemetryOfItsPlainTwin) {
    constexpr std::uint32_t kKey = 0xFFFFFFFFu;
    const kyvo::test::TempFolder dir;
    recgen::RecordingOptions options;
    options.lengthS = 2;
    options.width = 160;
    options.height = 90;
    options.audio = false;
    options.preset = "ultrafast";
    const std::filesystem::path plain = dir / "plain.mov";
    const recgen::RecordingReport report = recgen::makeRecording(options, plain);
    const recgen::RecordingContents contents = recgen::readRecording(recgen::FileSource(plain));
    ASSERT_TRUE(contents.telemetry);
    const auto& entries = contents.telemetry->entries;
    options.scrambleKey = kKey;
    const std::filesystem::path scrambled = dir / "scrambled.mov";
    recgen::makeRecording(options, scrambled);

    WidgetHost host;
    host.owner.resize(700, 450);
    ROVUAdap adapter(host);
    host.adapter = &adapter;
    ASSERT_EQ(adapter.current()->Load(ORVPLAYER_PATH), PlayerLibrary::kBound);
    adapter.channelMode.store(1);
    adapter.encryptedViewMode.store(1);
    adapter.key.store(kKey);
    ASSERT_EQ(adapter.Open(scrambled.c_str(), ""), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.ended(); }, 60000)) << "no WM_PLAYER_END";
    EXPECT_EQ(adapter.frameCount.load(), static_cast<std::uint32_t>(report.frames));

    int entryFrames = 0;
    for (const ShownFrame& frame : host.frames()) {
        if (frame.index % 10 != 1 || frame.index >= adapter.frameCount.load())
            continue;
        SCOPED_TRACE(frame.index);
        const std::size_t k = frame.index == 1 ? 1 : frame.index / 10;
        ASSERT_LT(k, entries.size());
        ASSERT_TRUE(frame.hasTelemetry);
        EXPECT_EQ(frame.sentence, entries[k].sentence);
        EXPECT_EQ(frame.sensor, entries[k].g);
        ++entryFrames;
    }
    EXPECT_GE(entryFrames, report.frames / 10 - 1);
}

} // namespace
} // namespace kyvo::player
