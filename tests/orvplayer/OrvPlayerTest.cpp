// The playback library through a client of its own: the order of its codes,
// its commands (pause, seeks and frame steps among them), its windows and its
// failures. Nothing here is timed: a test waits for what it expects (frames
// that come, or frames that stop) with a generous deadline.

#include "PlayerHarness.h"

#include "QtTempFolder.h"
#include "WindowMessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTest>
#include <QProcess>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <string>

using namespace std::chrono_literals;
using orvtest::Event;
using orvtest::PlayerHarness;

namespace {

// The frames have stopped when none came for this long; generous, so that a
// loaded machine does not pass for a paused player.
constexpr auto kQuiet = 1s;
// Only keeps a broken library from hanging the run.
constexpr auto kDeadline = 20s;
constexpr int kFramesPerSecond = 30; // of the recordings made here

QString makeRecording(const kyvo::test::QtTempFolder& dir, const QString& name, double seconds, const QString& size = "320x240") {
    const QString path = dir.filePath(name);
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {"-nostdin", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                  QStringLiteral("testsrc2=size=%1:rate=30").arg(size), "-t", QString::number(seconds), "-c:v",
                  "libx264", "-preset", "ultrafast", "-g", "30", "-pix_fmt", "yuv420p", "-f", "mov", path});
    ffmpeg.waitForFinished(60000);
    return ffmpeg.exitCode() == 0 ? path : QString();
}

// The player's last codes: stopped, the windows gone, ended.
bool endsWithTheWindowsGone(const std::vector<int>& codes) {
    const std::vector<int> last{orv::kEvStopped, orv::kEvVideoWindow0, orv::kEvPlayerEnded};
    return codes.size() >= last.size() && std::equal(last.begin(), last.end(), codes.end() - 3);
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
    kyvo::test::QtTempFolder dir;
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
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 1, kDeadline));
    player.command("quit");
    ASSERT_TRUE(player.join(10s));
    EXPECT_EQ(player.veloraResult(), 0);

    const std::vector<int> expected{orv::kEvOwnerWindow,    orv::kEvChannelMode,  orv::kEvVideoRects,
                                    orv::kEvPopupRects,     orv::kEvVolume,       orv::kEvEncryptedMode,
                                    orv::kEvKey,            orv::kEvVideoWindow0, orv::kEvStopFlag,
                                    orv::kEvReady,          orv::kEvChannelMode,  orv::kEvEncryptedMode,
                                    orv::kEvKey,            orv::kEvPlaying,      orv::kEvStreamInfo,
                                    orv::kEvEndOfEntry,     orv::kEvStopped,      orv::kEvVideoWindow0,
                                    orv::kEvPlayerEnded};
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

// The frame events from `mark` (an index into the events) on.
std::vector<Event> framesFrom(const std::vector<Event>& events, std::size_t mark) {
    std::vector<Event> frames;
    for (std::size_t i = mark; i < events.size(); ++i)
        if (events[i].code == orv::kEvFrame)
            frames.push_back(events[i]);
    return frames;
}

// The index of the frame shown at `seconds`, the first frame being 1.
std::intptr_t indexAt(double seconds) { return static_cast<std::intptr_t>(seconds * kFramesPerSecond) + 1; }

} // namespace

// --- Pause, seeks and frame steps: the player's own paused state ---

TEST_F(OrvPlayerTest, PauseStopsTheFramesAndResumesThem) {
    const QString file = makeRecording(dir, "drf_20240612_081500.mov", 4);
    player.start(file.toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvFrame, 10, kDeadline));
    player.command("pause");
    ASSERT_TRUE(player.waitForQuiet(orv::kEvFrame, kQuiet, kDeadline));
    EXPECT_EQ(player.count(orv::kEvEndOfEntry), 0u) << "the file played to its end instead of pausing";
    player.command("pause");
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 1, kDeadline));
    const auto indexes = frameIndexes(player.events());
    EXPECT_TRUE(inOrder(indexes));
    EXPECT_NEAR(static_cast<double>(indexes.size()), 4.0 * kFramesPerSecond, 2.0);
}

// A click on the progress bar seeks while the picture is paused: playback goes
// on from the new second.
TEST_F(OrvPlayerTest, ASeekResumesAPausedPlayer) {
    constexpr int kFramesAfter = 15;
    const QString file = makeRecording(dir, "drf_20240612_081500.mov", 6);
    player.start(file.toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvFrame, 10, kDeadline));
    player.command("pause");
    ASSERT_TRUE(player.waitForQuiet(orv::kEvFrame, kQuiet, kDeadline));
    const std::size_t mark = player.events().size();
    player.command("seek 4.00 2");
    ASSERT_TRUE(player.waitFor(
        [&](const std::vector<Event>& events) { return framesFrom(events, mark).size() >= kFramesAfter; }, kDeadline))
        << "the picture stayed on the new second";
    const auto frames = framesFrom(player.events(), mark);
    EXPECT_NEAR(frames.front().time, 4.0, 1.0 / kFramesPerSecond + 1e-3);
    EXPECT_GT(frames.back().time, frames.front().time);
}

// Single steps: the viewer seeks and pauses again at once; the player ends
// paused at the new second, whether it was paused or playing before.
TEST_F(OrvPlayerTest, ASeekFollowedByPauseEndsPausedAtTheNewSecond) {
    constexpr std::intptr_t kSlack = 3; // frames mpv may show before the pause takes hold
    const QString file = makeRecording(dir, "drf_20240612_081500.mov", 10);
    player.start(file.toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvFrame, 10, kDeadline));
    for (const bool pausedBefore : {true, false}) {
        SCOPED_TRACE(pausedBefore ? "paused before" : "playing before");
        if (pausedBefore) {
            player.command("pause");
            ASSERT_TRUE(player.waitForQuiet(orv::kEvFrame, kQuiet, kDeadline));
        }
        const double second = pausedBefore ? 4.0 : 1.0;
        const std::size_t mark = player.events().size();
        player.command("seek " + std::to_string(second) + " 2");
        player.command("pause");
        ASSERT_TRUE(player.waitFor(
            [&](const std::vector<Event>& events) {
                const auto frames = framesFrom(events, mark);
                return std::any_of(frames.begin(), frames.end(), [&](const Event& e) {
                    return std::abs(e.time - second) < 0.5 / kFramesPerSecond;
                });
            },
            kDeadline));
        ASSERT_TRUE(player.waitForQuiet(orv::kEvFrame, kQuiet, kDeadline));
        EXPECT_EQ(player.count(orv::kEvEndOfEntry), 0u) << "it played on to the end";
        const auto indexes = frameIndexes(player.events());
        EXPECT_GE(indexes.back(), indexAt(second));
        EXPECT_LE(indexes.back(), indexAt(second) + kSlack);
        if (!pausedBefore)
            break;
        player.command("pause"); // plays on from the new second
        ASSERT_TRUE(player.waitForCount(orv::kEvFrameIndex, indexes.size() + 10, kDeadline));
    }
}

TEST_F(OrvPlayerTest, AbsoluteSeekLandsOnTheSecondAndRelativeSeekMovesOn) {
    const QString file = makeRecording(dir, "drf_20240612_081500.mov", 6);
    player.start(file.toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvFrame, 3, kDeadline));
    player.command("pause");
    ASSERT_TRUE(player.waitForQuiet(orv::kEvFrame, kQuiet, kDeadline));
    // Each seek is followed by a pause: the seek's frames are the landing
    // frame and whatever mpv shows before the pause takes hold.
    auto seekAndPause = [&](const std::string& seek) {
        const std::size_t mark = player.events().size();
        player.command(seek);
        player.command("pause");
        EXPECT_TRUE(player.waitFor(
            [&](const std::vector<Event>& events) { return !framesFrom(events, mark).empty(); }, kDeadline));
        EXPECT_TRUE(player.waitForQuiet(orv::kEvFrame, kQuiet, kDeadline));
        return framesFrom(player.events(), mark);
    };
    const auto absolute = seekAndPause("seek 4.00 2");
    ASSERT_FALSE(absolute.empty());
    EXPECT_NEAR(absolute.front().time, 4.0, 1.0 / kFramesPerSecond + 1e-3);
    const auto relative = seekAndPause("seek -2.00");
    ASSERT_FALSE(relative.empty());
    EXPECT_NEAR(relative.front().time, absolute.back().time - 2.0, 1.0 / kFramesPerSecond + 1e-3);
}

// A frame step pauses a playing player after one frame, steps one frame at a
// time while paused, and "pause" then plays on, at the recording's own pace
// again (the steps themselves do not wait for the frame's time).
TEST_F(OrvPlayerTest, AFrameStepShowsOneFrameAndStaysPaused) {
    const QString file = makeRecording(dir, "drf_20240612_081500.mov", 3);
    player.start(file.toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvFrame, 5, kDeadline));
    player.command("frame_step");
    ASSERT_TRUE(player.waitForQuiet(orv::kEvFrame, kQuiet, kDeadline));
    for (int step = 0; step < 3; ++step) {
        SCOPED_TRACE(step);
        const auto before = frameIndexes(player.events());
        player.command("frame_step");
        ASSERT_TRUE(player.waitForCount(orv::kEvFrameIndex, before.size() + 1, kDeadline));
        ASSERT_TRUE(player.waitForQuiet(orv::kEvFrame, kQuiet, kDeadline));
        const auto after = frameIndexes(player.events());
        EXPECT_EQ(after.size(), before.size() + 1);
        EXPECT_EQ(after.back(), before.back() + 1);
        // The copy of the picture is the stepped frame, tagged with its index
        // and time; a buffer too small for it is refused.
        std::vector<std::uint8_t> picture(orv::kSmallPictureWidth * orv::kSmallPictureHeight * orv::kBytesPerPixel);
        OrvPictureCopy copy{};
        ASSERT_TRUE(player.copyPicture(0, picture, copy));
        EXPECT_EQ(copy.frameIndex, after.back());
        EXPECT_NEAR(copy.time, (after.back() - 1) / 30.0, 0.002);
        EXPECT_EQ(copy.width * copy.height * orv::kBytesPerPixel, static_cast<int>(picture.size()));
        std::vector<std::uint8_t> small(picture.size() - 1);
        EXPECT_FALSE(player.copyPicture(0, small, copy));
        EXPECT_FALSE(player.copyPicture(2, picture, copy));
    }
    EXPECT_EQ(player.count(orv::kEvEndOfEntry), 0u);
    const auto resumed = std::chrono::steady_clock::now();
    player.command("pause");
    EXPECT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 1, kDeadline));
    // About 80 frames were left, 2.7 seconds at 30 frames a second; untimed
    // playback would be through them in a fraction of that.
    EXPECT_GT(std::chrono::steady_clock::now() - resumed, std::chrono::milliseconds(1500));
}

// mpv keeps its pause across files; the player does not: a file loaded while
// paused plays.
TEST_F(OrvPlayerTest, AFileLoadedWhilePausedPlays) {
    const QString first = makeRecording(dir, "drf_20240612_081500.mov", 5);
    const QString second = makeRecording(dir, "drf_20240612_081600.mov", 1);
    player.start(first.toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvFrame, 5, kDeadline));
    player.command("pause");
    ASSERT_TRUE(player.waitForQuiet(orv::kEvFrame, kQuiet, kDeadline));
    const std::size_t mark = player.events().size();
    player.command("rovu_loadfile \"" + second.toStdString() + "\" \"\"");
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 2, kDeadline)) << "the new file did not play to its end";
    EXPECT_NEAR(static_cast<double>(framesFrom(player.events(), mark).size()), 1.0 * kFramesPerSecond, 2.0);
}

// --- Speed, entries and files ---

TEST_F(OrvPlayerTest, DoubleSpeedDeliversTheSameFramesInOrder) {
    const QString file = makeRecording(dir, "drf_20240612_081500.mov", 3);
    player.start(file.toStdString());
    player.command("speed_set 2.00 2");
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 1, kDeadline));
    const auto indexes = frameIndexes(player.events());
    EXPECT_TRUE(inOrder(indexes));
    EXPECT_NEAR(static_cast<double>(indexes.size()), 90.0, 2.0);
    EXPECT_LE(indexes.back(), 90); // never past the last frame
}

TEST_F(OrvPlayerTest, EndEntryKeepsThePlayerForTheNextFileAndQuitReturns) {
    const QString first = makeRecording(dir, "drf_20240612_081500.mov", 5);
    const QString second = makeRecording(dir, "evt_20240612_081600.mov", 1);
    player.start(first.toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvFrame, 5, kDeadline));
    player.command("pt_step 1 1");
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 1, 10s));
    EXPECT_TRUE(player.running());
    player.command("rovu_loadfile \"" + second.toStdString() + "\" \"\"");
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 2, kDeadline));
    EXPECT_EQ(player.count(orv::kEvPlaying), 2u);
    player.command("quit");
    ASSERT_TRUE(player.join(10s));
    EXPECT_TRUE(endsWithTheWindowsGone(player.codes()));
}

TEST_F(OrvPlayerTest, LoadingANewFileEndsTheCurrentEntryFirst) {
    const QString first = makeRecording(dir, "drf_20240612_081500.mov", 5);
    const QString second = makeRecording(dir, "drf_20240612_081600.mov", 1);
    player.start(first.toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvFrame, 3, kDeadline));
    player.command("rovu_loadfile \"" + second.toStdString() + "\" \"\"");
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 2, kDeadline));
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
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 1, kDeadline));
    std::size_t ends = 1;
    for (const QString& bad : {empty, corrupt}) {
        player.command("rovu_loadfile \"" + bad.toStdString() + "\" \"\"");
        ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, ++ends, kDeadline));
    }
    EXPECT_EQ(player.count(orv::kEvFrame), 0u);
    EXPECT_EQ(player.count(orv::kEvPlaying), 3u);
    player.command("quit");
    EXPECT_TRUE(player.join(10s));
}

TEST_F(OrvPlayerTest, TheStopFlagEndsThePlayer) {
    const QString file = makeRecording(dir, "drf_20240612_081500.mov", 5);
    player.start(file.toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvFrame, 3, kDeadline));
    std::int32_t* flag = player.stopFlag();
    ASSERT_NE(flag, nullptr);
    std::atomic_ref<std::int32_t>(*flag).store(1);
    ASSERT_TRUE(player.join(10s));
    EXPECT_TRUE(endsWithTheWindowsGone(player.codes()));
}

TEST_F(OrvPlayerTest, UnknownCommandsAreIgnored) {
    const QString file = makeRecording(dir, "drf_20240612_081500.mov", 2);
    player.start(file.toStdString());
    for (const char* bad : {"bogus", "seek", "volume x 2", "rovu_loadfile \"open", ""})
        player.command(bad);
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 1, kDeadline));
    EXPECT_NEAR(static_cast<double>(player.count(orv::kEvFrame)), 60.0, 2.0);
}

namespace {

// The test's thread is the GUI thread: wait while it keeps handling events.
template <class Predicate>
bool pumpUntil(Predicate predicate, int ms = 20000) {
    return QTest::qWaitFor(predicate, ms);
}

// The same for the frames to stop.
bool pumpUntilQuiet(const PlayerHarness& player) {
    const auto since = std::chrono::steady_clock::now();
    return pumpUntil([&] { return player.quiet(orv::kEvFrame, since, kQuiet); });
}

// Marks the test records when a video window is deleted.
constexpr int kWindowDeleted = -1;

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
    ASSERT_TRUE(pumpUntilQuiet(player));
    const auto before = frameIndexes(player.events());
    kyvo::sendMessage(window, orv::kMsgFrameStep);
    ASSERT_TRUE(pumpUntil([&] { return frameIndexes(player.events()).size() > before.size(); }));
    ASSERT_TRUE(pumpUntilQuiet(player));
    EXPECT_EQ(frameIndexes(player.events()).size(), before.size() + 1);
    EXPECT_EQ(frameIndexes(player.events()).back(), before.back() + 1);

    // 0x660 places the window at its rectangle again.
    player.rects.rect[0][0] = 30;
    player.rects.rect[0][2] = 320;
    player.rects.rect[0][3] = 180;
    kyvo::sendMessage(window, orv::kMsgPlaced);
    EXPECT_TRUE(pumpUntil([&] { return window->geometry() == QRect(30, 45, 320, 180); }, 5000));

    // The windows go with the player, and the client hears of it (code 3
    // with 0) before they are deleted.
    QPointer<QWidget> gone(window);
    QObject::connect(window, &QObject::destroyed, [&] { player.mark(kWindowDeleted); });
    player.command("quit");
    ASSERT_TRUE(pumpUntil([&] { return !player.running(); }));
    ASSERT_TRUE(pumpUntil([&] { return gone.isNull(); }, 5000));
    const auto events = player.events();
    const auto told = std::find_if(events.begin(), events.end(), [](const Event& e) {
        return e.code == orv::kEvVideoWindow0 && e.parameter == 0;
    });
    const auto deleted =
        std::find_if(events.begin(), events.end(), [](const Event& e) { return e.code == kWindowDeleted; });
    ASSERT_NE(told, events.end()) << "the client was never told";
    EXPECT_LT(told, deleted);
}

// The client's rectangle tables need to live only until Velora returns: a
// window job queued before the end but run after it reads nothing of them.
TEST_F(OrvPlayerTest, WindowJobsQueuedBeforeTheEndReadNoRectangleAfterIt) {
    const QString file = makeRecording(dir, "drf_20240612_081500.mov", 3);
    QWidget owner;
    owner.resize(700, 450);
    player.owner = &owner;
    player.start(file.toStdString());
    ASSERT_TRUE(pumpUntil([&] { return player.count(orv::kEvFrame) >= 3; }));
    QPointer<QWidget> window(reinterpret_cast<QWidget*>(player.videoWindow0()));
    ASSERT_FALSE(window.isNull());
    const QRect placed = window->geometry();

    // The GUI thread handles nothing until the player has ended: the job to
    // place the window again waits in its queue.
    kyvo::sendMessage(window, orv::kMsgPlaced);
    player.command("quit");
    ASSERT_TRUE(player.join(kDeadline));
    const std::int16_t gone[4] = {1, 2, 3, 4}; // what the client's table holds after the end
    std::copy(std::begin(gone), std::end(gone), player.rects.rect[0]);
    QCoreApplication::sendPostedEvents(); // the queued jobs run; the deletion stays deferred
    ASSERT_FALSE(window.isNull());
    EXPECT_EQ(window->geometry(), placed);
    EXPECT_TRUE(pumpUntil([&] { return window.isNull(); }, 5000));
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
    ASSERT_TRUE(pumpUntilQuiet(player));
    EXPECT_EQ(player.count(orv::kEvEndOfEntry), 0u) << "both channels should have paused";
    player.command("pause");
    ASSERT_TRUE(pumpUntil([&] { return player.count(orv::kEvEndOfEntry) >= 1; }));
    player.command("quit");
    ASSERT_TRUE(pumpUntil([&] { return !player.running(); }));
    const auto codes = player.codes();
    const std::vector<int> last{orv::kEvStopped, orv::kEvVideoWindow0, orv::kEvVideoWindow1, orv::kEvPlayerEnded};
    ASSERT_GE(codes.size(), last.size());
    EXPECT_TRUE(std::equal(last.begin(), last.end(), codes.end() - 4));
}

// Any byte but NUL may stand in a file name: from the argument list as it is,
// and in the load command with backslashes and double quotes escaped.
TEST_F(OrvPlayerTest, PathsWithBlanksQuotesBackslashesAndNonAsciiLettersPlay) {
    QDir(dir.path()).mkpath(QString::fromUtf8("記憶卡 01"));
    const QString first = makeRecording(dir, QString::fromUtf8("記憶卡 01/evt_20240612_081500 前.mov"), 1);
    const QString second = makeRecording(dir, QString::fromUtf8(R"(記憶卡 01/a\b "c" \.mov)"), 1);
    ASSERT_FALSE(first.isEmpty());
    ASSERT_FALSE(second.isEmpty());
    player.start(first.toUtf8().toStdString());
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 1, kDeadline));
    std::string escaped;
    for (const QString& file : {second, first}) {
        escaped += " \"";
        for (const char c : file.toUtf8().toStdString()) {
            if (c == '\\' || c == '"')
                escaped += '\\';
            escaped += c;
        }
        escaped += '"';
    }
    player.command("rovu_loadfile" + escaped);
    ASSERT_TRUE(player.waitForCount(orv::kEvEndOfEntry, 2, kDeadline));
    EXPECT_EQ(player.count(orv::kEvPlaying), 2u);
    EXPECT_NEAR(static_cast<double>(player.count(orv::kEvFrame)), 2.0 * kFramesPerSecond, 4.0);
}
