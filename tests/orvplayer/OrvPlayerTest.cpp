// The playback library through a client of its own: the order of its codes,
// its commands, its windows and its failures.

#include "PlayerHarness.h"

#include "WindowMessage.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTest>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

using namespace std::chrono_literals;
using orvtest::Event;
using orvtest::PlayerHarness;

namespace {

QString makeRecording(const QTemporaryDir& dir, const QString& name, double seconds, const QString& size = "320x240") {
    const QString path = dir.filePath(name);
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {"-nostdin", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                  QStringLiteral("testsrc2=size=%1:rate=30").arg(size), "-t", QString::number(seconds), "-c:v",
                  "libx264", "-preset", "ultrafast", "-g", "30", "-pix_fmt", "yuv420p", "-f", "mov", path});
    ffmpeg.waitForFinished(60000);
    return ffmpeg.exitCode() == 0 ? path : QString();
}

std::vector<int> withoutFrames(const std::vector<int>& codes) {
    std::vector<int> out;
    for (int c : codes)
        if (c != orv::kEvFrame && c != orv::kEvFrameIndex)
            out.push_back(c);
    return out;
}

class OrvPlayerTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    PlayerHarness player{ORVPLAYER_PATH};

    void SetUp() override { ASSERT_TRUE(player.loaded()); }
    void TearDown() override {
        if (player.running()) {
            player.command("quit");
            EXPECT_TRUE(player.join(10s));
        }
    }
};

} // namespace

TEST_F(OrvPlayerTest, ThreeSecondRecordingGivesItsCodesInOrder) {
    const QString file = makeRecording(dir, "drf_20240612_081500.mov", 3);
    ASSERT_FALSE(file.isEmpty());
    player.start(file.toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 1, 20s));
    player.command("quit");
    ASSERT_TRUE(player.join(10s));
    EXPECT_EQ(player.veloraResult(), 0);

    const std::vector<int> expected{orv::kEvOwnerWindow, orv::kEvChannelMode, orv::kEvVideoRects,
                                    orv::kEvPopupRects,  orv::kEvVolume,      orv::kEvEncryptedMode,
                                    orv::kEvKey,         orv::kEvVideoWindow0, orv::kEvStopFlag,
                                    orv::kEvReady,       orv::kEvPlaying,     orv::kEvStreamInfo,
                                    orv::kEvEndOfEntry,  orv::kEvStopped,     orv::kEvPlayerEnded};
    EXPECT_EQ(withoutFrames(player.codes()), expected);

    // Every shown frame: 24 with its index, then 6 with its record.
    const auto events = player.events();
    std::size_t frames = 0;
    std::uint32_t frameCount = 0;
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].code == orv::kEvStreamInfo)
            frameCount = events[i].frameCount;
        if (events[i].code != orv::kEvFrame)
            continue;
        ASSERT_GT(i, 0u);
        EXPECT_EQ(events[i - 1].code, orv::kEvFrameIndex);
        EXPECT_EQ(events[i].imageSize, 640 * 480 * 4);
        EXPECT_TRUE(events[i].hasPicture0);
        EXPECT_FALSE(events[i].hasPicture1);
        if (frames == 0) {
            EXPECT_EQ(events[i - 1].parameter, 1);
        }
        ++frames;
    }
    EXPECT_EQ(frameCount, 90u);
    EXPECT_NEAR(static_cast<double>(frames), 90.0, 2.0);
}

namespace {

std::vector<std::intptr_t> frameIndexes(const std::vector<Event>& events) {
    std::vector<std::intptr_t> indexes;
    for (const Event& e : events)
        if (e.code == orv::kEvFrameIndex)
            indexes.push_back(e.parameter);
    return indexes;
}

// Frames come in order. Under load libmpv can hand over a picture twice
// without marking it a redraw, so an index may repeat (never go back).
bool inOrder(const std::vector<std::intptr_t>& v) {
    return std::is_sorted(v.begin(), v.end());
}

} // namespace

TEST_F(OrvPlayerTest, PauseStopsTheFramesAndResumesThem) {
    const QString file = makeRecording(dir, "drf_20240612_081500.mov", 4);
    player.start(file.toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvFrame, 10, 20s));
    player.command("pause");
    std::this_thread::sleep_for(300ms); // the frames in flight arrive
    const std::size_t paused = player.count(orv::kEvFrame);
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(player.count(orv::kEvFrame), paused);
    player.command("pause");
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 1, 20s));
    const auto indexes = frameIndexes(player.events());
    EXPECT_TRUE(inOrder(indexes));
    EXPECT_NEAR(static_cast<double>(indexes.size()), 120.0, 2.0);
}

TEST_F(OrvPlayerTest, AbsoluteSeekLandsOnTheSecondAndRelativeSeekMovesOn) {
    const QString file = makeRecording(dir, "drf_20240612_081500.mov", 6);
    player.start(file.toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvFrame, 3, 20s));
    player.command("pause");
    std::this_thread::sleep_for(200ms);
    const std::size_t before = player.count(orv::kEvFrame);
    player.command("seek 4.00 2");
    ASSERT_TRUE(player.waitForCount(orv::kEvFrame, before + 1, 10s));
    Event landed = player.events().back();
    EXPECT_NEAR(landed.time, 4.0, 1.0 / 30 + 1e-3);
    // Relative to where it stands (a frame may still follow the first seek).
    player.command("seek -2.00");
    ASSERT_TRUE(player.waitFor(
        [](const std::vector<Event>& events) { return events.back().code == orv::kEvFrame && events.back().time < 3; },
        10s));
    landed = player.events().back();
    EXPECT_NEAR(landed.time, 2.0, 1.0 / 30 + 1e-3);
}

TEST_F(OrvPlayerTest, FrameStepWhilePausedAdvancesTheIndexByOne) {
    const QString file = makeRecording(dir, "drf_20240612_081500.mov", 3);
    player.start(file.toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvFrame, 5, 20s));
    player.command("pause");
    std::this_thread::sleep_for(300ms);
    for (int step = 0; step < 3; ++step) {
        const auto before = frameIndexes(player.events());
        player.command("frame_step");
        ASSERT_TRUE(player.waitForCount(orv::kEvFrameIndex, before.size() + 1, 10s));
        const auto after = frameIndexes(player.events());
        EXPECT_EQ(after.back(), before.back() + 1);
    }
}

TEST_F(OrvPlayerTest, DoubleSpeedDeliversTheSameFramesInOrder) {
    const QString file = makeRecording(dir, "drf_20240612_081500.mov", 3);
    player.start(file.toStdString());
    player.command("speed_set 2.00 2");
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 1, 20s));
    const auto indexes = frameIndexes(player.events());
    EXPECT_TRUE(inOrder(indexes));
    EXPECT_NEAR(static_cast<double>(indexes.size()), 90.0, 2.0);
    EXPECT_LE(indexes.back(), 90); // never past the last frame
}

TEST_F(OrvPlayerTest, EndEntryKeepsThePlayerForTheNextFileAndQuitReturns) {
    const QString first = makeRecording(dir, "drf_20240612_081500.mov", 5);
    const QString second = makeRecording(dir, "evt_20240612_081600.mov", 1);
    player.start(first.toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvFrame, 5, 20s));
    player.command("pt_step 1 1");
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 1, 10s));
    EXPECT_TRUE(player.running());
    player.command("rovu_loadfile \"" + second.toStdString() + "\" \"\"");
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 2, 20s));
    EXPECT_EQ(player.count(orv::kEvPlaying), 2u);
    player.command("quit");
    ASSERT_TRUE(player.join(10s));
    const auto codes = player.codes();
    EXPECT_EQ(codes[codes.size() - 2], orv::kEvStopped);
    EXPECT_EQ(codes.back(), orv::kEvPlayerEnded);
}

TEST_F(OrvPlayerTest, LoadingANewFileEndsTheCurrentEntryFirst) {
    const QString first = makeRecording(dir, "drf_20240612_081500.mov", 5);
    const QString second = makeRecording(dir, "drf_20240612_081600.mov", 1);
    player.start(first.toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvFrame, 3, 20s));
    player.command("rovu_loadfile \"" + second.toStdString() + "\" \"\"");
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 2, 20s));
    auto codes = withoutFrames(player.codes());
    const auto firstEnd = std::find(codes.begin(), codes.end(), orv::kEvEndOfEntry);
    ASSERT_NE(firstEnd, codes.end());
    EXPECT_EQ(*(firstEnd + 1), orv::kEvPlaying);
}

TEST_F(OrvPlayerTest, MissingEmptyAndCorruptFilesStartAndEndAtOnce) {
    const QString empty = dir.filePath("drf_20240612_081500.mov");
    QFile(empty).open(QIODevice::WriteOnly);
    const QString corrupt = dir.filePath("evt_20240612_081600.mov");
    {
        QFile file(corrupt);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, '\x5A'));
    }
    player.start(dir.filePath("missing.mov").toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 1, 20s));
    std::size_t ends = 1;
    for (const QString& bad : {empty, corrupt}) {
        player.command("rovu_loadfile \"" + bad.toStdString() + "\" \"\"");
        ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, ++ends, 20s));
    }
    EXPECT_EQ(player.count(orv::kEvFrame), 0u);
    EXPECT_EQ(player.count(orv::kEvPlaying), 3u);
    player.command("quit");
    EXPECT_TRUE(player.join(10s));
}

TEST_F(OrvPlayerTest, TheStopFlagEndsThePlayer) {
    const QString file = makeRecording(dir, "drf_20240612_081500.mov", 5);
    player.start(file.toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvFrame, 3, 20s));
    std::int32_t* flag = player.stopFlag();
    ASSERT_NE(flag, nullptr);
    std::atomic_ref<std::int32_t>(*flag).store(1);
    ASSERT_TRUE(player.join(10s));
    const auto codes = player.codes();
    EXPECT_EQ(codes[codes.size() - 2], orv::kEvStopped);
    EXPECT_EQ(codes.back(), orv::kEvPlayerEnded);
}

TEST_F(OrvPlayerTest, UnknownCommandsAreIgnored) {
    const QString file = makeRecording(dir, "drf_20240612_081500.mov", 2);
    player.start(file.toStdString());
    for (const char* bad : {"bogus", "seek", "volume x 2", "rovu_loadfile \"open", ""})
        player.command(bad);
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 1, 20s));
    EXPECT_NEAR(static_cast<double>(player.count(orv::kEvFrame)), 60.0, 2.0);
}

namespace {

// The test's thread is the GUI thread: wait while it keeps handling events.
template <class Predicate>
bool pumpUntil(Predicate predicate, int ms = 20000) {
    return QTest::qWaitFor(predicate, ms);
}

} // namespace

TEST_F(OrvPlayerTest, VideoWindowsShowThePictureAndAnswerTheClientsMessages) {
    const QString file = makeRecording(dir, "drf_20240612_081500.mov", 3, "1280x720");
    QWidget owner;
    owner.resize(700, 450);
    owner.show();
    player.owner = &owner;
    player.start(file.toStdString());
    ASSERT_TRUE(pumpUntil([&] { return player.count(orv::kEvFrame) >= 10; }));
    auto* window = reinterpret_cast<QWidget*>(player.videoWindow0());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->parentWidget(), &owner);
    EXPECT_EQ(window->geometry(), QRect(24, 45, 640, 360));
    EXPECT_EQ(player.events().back().imageSize, 1920 * 1080 * 4); // a large source gives the large picture

    // The picture reaches the window: the test pattern is not black.
    const QImage shown = window->grab().toImage();
    int lit = 0;
    for (int x = 0; x < shown.width(); x += 16)
        lit += qGray(shown.pixel(x, shown.height() / 2)) > 40;
    EXPECT_GT(lit, 10);

    // 0x600 asks for the length, which comes back as code 14.
    static const char request[] = "get_time_length";
    kyvo::postMessage(window, orv::kMsgGetTimeLength, reinterpret_cast<kyvo::WParam>(request));
    ASSERT_TRUE(pumpUntil([&] { return player.count(orv::kEvLength) >= 1; }));
    for (const Event& e : player.events()) {
        if (e.code == orv::kEvLength) {
            EXPECT_NEAR(e.time, 3.0, 0.05);
        }
    }

    // 0x670 steps one frame while paused.
    player.command("pause");
    QTest::qWait(300);
    const auto before = frameIndexes(player.events());
    kyvo::sendMessage(window, orv::kMsgFrameStep);
    ASSERT_TRUE(pumpUntil([&] { return frameIndexes(player.events()).size() > before.size(); }));
    EXPECT_EQ(frameIndexes(player.events()).back(), before.back() + 1);

    // 0x660 places the window at its rectangle again.
    player.rects.rect[0][0] = 30;
    player.rects.rect[0][2] = 320;
    player.rects.rect[0][3] = 180;
    kyvo::sendMessage(window, orv::kMsgPlaced);
    EXPECT_TRUE(pumpUntil([&] { return window->geometry() == QRect(30, 45, 320, 180); }, 5000));

    QPointer<QWidget> gone(window);
    player.command("quit");
    ASSERT_TRUE(pumpUntil([&] { return !player.running(); }));
    EXPECT_TRUE(pumpUntil([&] { return gone.isNull(); }, 5000)); // the windows go with the player
}

TEST_F(OrvPlayerTest, TwoChannelsPlayInStepAndFillBothPictures) {
    const QString front = makeRecording(dir, "drf_20240612_081500.mov", 3);
    const QString rear = makeRecording(dir, "drf_20240612_081500_R.mov", 3);
    QWidget owner;
    owner.resize(700, 450);
    player.owner = &owner;
    player.channelMode = 2;
    player.start(front.toStdString(), rear.toStdString());
    ASSERT_TRUE(pumpUntil([&] { return player.count(orv::kEvFrame) >= 15; }));
    EXPECT_EQ(player.count(orv::kEvVideoWindow1), 1u);
    EXPECT_TRUE(player.events().back().hasPicture1);
    player.command("pause");
    QTest::qWait(300);
    const std::size_t paused = player.count(orv::kEvFrame);
    QTest::qWait(400);
    EXPECT_EQ(player.count(orv::kEvFrame), paused);
    player.command("pause");
    ASSERT_TRUE(pumpUntil([&] { return player.count(orv::kEvEndOfEntry) >= 1; }));
    player.command("quit");
    ASSERT_TRUE(pumpUntil([&] { return !player.running(); }));
}

TEST_F(OrvPlayerTest, PathsWithBlanksAndNonAsciiLettersPlay) {
    QDir(dir.path()).mkpath(QString::fromUtf8("記憶卡 01"));
    const QString file = makeRecording(dir, QString::fromUtf8("記憶卡 01/evt_20240612_081500 前.mov"), 1);
    ASSERT_FALSE(file.isEmpty());
    player.start(file.toUtf8().toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 1, 20s));
    EXPECT_NEAR(static_cast<double>(player.count(orv::kEvFrame)), 30.0, 2.0);
}
