// Two channels play in step. recgen burns each frame's number into the front
// and into the rear picture; the test reads both numbers from the library's
// two pictures at every frame it reports. The rear's number stays within one
// frame of the front's while playing, after seeks, pauses, a speed change and
// frame steps, with the rear in a file of its own (smaller than the front,
// shown at the front's size) or in the recording's second picture track.
// Without a rear picture the front plays alone and the second picture is black.

#include "PlayerHarness.h"

#include "QtTempFolder.h"

#include <QProcess>
#include <QRect>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <mutex>

using namespace std::chrono_literals;
using orvtest::Event;
using orvtest::PlayerHarness;

namespace {

// recgen's frame code in a 640 x 360 recording: twelve blocks of 32 pixels at
// mid-height, bit 0 first; the library's 640 x 480 picture shows the video
// from row 60.
constexpr int kPictureWidth = 640;
constexpr int kPictureHeight = 480;
constexpr int kBlock = 32;
constexpr int kCodeBits = 12;
constexpr int kCentreY = 60 + (360 - kBlock) / 2 + kBlock / 2;
constexpr int kBytesPerPixel = 4;
constexpr int kSeconds = 4;
constexpr int kFps = 30;

int grey(const std::vector<std::uint8_t>& bgr0, int x, int y) {
    const std::size_t at = (static_cast<std::size_t>(y) * kPictureWidth + x) * kBytesPerPixel;
    return (bgr0[at] + bgr0[at + 1] + bgr0[at + 2]) / 3;
}

int frameCodeOf(const std::vector<std::uint8_t>& bgr0) {
    int code = 0;
    for (int bit = 0; bit < kCodeBits; ++bit)
        if (grey(bgr0, bit * kBlock + kBlock / 2, kCentreY) > 128)
            code |= 1 << bit;
    return code;
}

bool isBlack(const std::vector<std::uint8_t>& bgr0) {
    for (std::size_t i = 0; i < bgr0.size(); i += kBytesPerPixel)
        if (bgr0[i] > 8 || bgr0[i + 1] > 8 || bgr0[i + 2] > 8)
            return false;
    return true;
}

// A recording of recgen with its rear picture "file", "track" or "none".
QString makeRecording(const kyvo::test::QtTempFolder& dir, const QString& name, const QString& rear,
                      const QStringList& extra = {}) {
    const QString path = dir.filePath(name);
    QProcess recgen;
    recgen.start(QStringLiteral(KYVO_RECGEN_PATH),
                 QStringList{"--length", QString::number(kSeconds), "--rate", QString::number(kFps), "--frame-code",
                             "--preset", "ultrafast", "--rear", rear, "--rear-size", "320x180", path} +
                     extra);
    recgen.waitForFinished(120000);
    EXPECT_EQ(recgen.exitCode(), 0) << recgen.readAllStandardError().toStdString();
    return path;
}

std::string loadCommand(const QString& first, const QString& second = {}) {
    return "rovu_loadfile \"" + first.toStdString() + "\" \"" + second.toStdString() + "\"";
}

// The frame numbers both pictures showed at one reported frame.
struct Shown {
    int front = -1;
    int rear = -1;
    bool rearBlack = false;
};

class TwoChannelPlaybackTest : public testing::Test {
protected:
    kyvo::test::QtTempFolder dir;
    QWidget owner;
    PlayerHarness player{ORVPLAYER_PATH};
    mutable std::mutex mutex_;
    std::vector<Shown> shown_; // guarded by mutex_

    void SetUp() override {
        ASSERT_TRUE(player.loaded());
        owner.resize(1020, 600);
        player.owner = &owner;
        player.channelMode = 2;
        player.rects = orv::VideoRectTable{{{24, 45, 640, 360}, {689, 52, 310, 410}}};
        // On the library's thread, right after the frame is reported: both
        // pictures are the ones of that frame.
        player.onFrame = [this](const Event&) {
            std::vector<std::uint8_t> front(kPictureWidth * kPictureHeight * kBytesPerPixel);
            std::vector<std::uint8_t> rear(front.size());
            OrvPictureCopy copy{};
            Shown seen;
            if (player.copyPicture(0, front, copy) && copy.width == kPictureWidth)
                seen.front = frameCodeOf(front);
            if (player.copyPicture(1, rear, copy) && copy.width == kPictureWidth) {
                seen.rearBlack = isBlack(rear);
                seen.rear = seen.rearBlack ? -1 : frameCodeOf(rear);
            }
            std::lock_guard lock(mutex_);
            shown_.push_back(seen);
        };
    }
    void TearDown() override {
        if (player.running()) {
            player.command("quit");
            EXPECT_TRUE(QTest::qWaitFor([&] { return !player.running(); }, 10000));
            EXPECT_TRUE(player.join(10s));
        }
    }

    std::vector<Shown> shown() const {
        std::lock_guard lock(mutex_);
        return shown_;
    }
    std::size_t shownCount() const {
        std::lock_guard lock(mutex_);
        return shown_.size();
    }
    // Waits for `frames` more frames.
    void playFrames(std::size_t frames) {
        const std::size_t target = shownCount() + frames;
        ASSERT_TRUE(QTest::qWaitFor([&] { return shownCount() >= target; }, 20000));
    }
    // Waits until the frames stop (paused, or after steps).
    void settle() { ASSERT_TRUE(player.waitForQuiet(orv::kEvFrame, 400ms, 20s)); }

    // Of the frames from `from` on, those whose rear differs from the front by more than one frame.
    static std::size_t outOfStep(const std::vector<Shown>& frames, std::size_t from = 0) {
        std::size_t count = 0;
        for (std::size_t i = from; i < frames.size(); ++i)
            if (frames[i].rear < 0 || std::abs(frames[i].front - frames[i].rear) > 1)
                ++count;
        return count;
    }
};

TEST_F(TwoChannelPlaybackTest, TheRearFileStaysInStepThroughSeeksPausesSpeedAndSteps) {
    const QString front = makeRecording(dir, "drf_20240612_081500.mov", "file");
    const QString rear = dir.filePath("drf_20240612_081500_R.mov");
    player.start(front.toStdString(), rear.toStdString());
    playFrames(20);

    player.command("seek 2.5 2");
    playFrames(15);
    player.command("seek 1.0 2");
    playFrames(10);
    player.command("pause");
    settle();
    const std::size_t beforeSteps = shownCount();
    for (int step = 0; step < 5; ++step) {
        player.command("frame_step");
        ASSERT_TRUE(QTest::qWaitFor([&] { return shownCount() > beforeSteps + step; }, 10000));
    }
    settle();
    player.command("pause");
    player.command("speed_set 2.00 2");
    playFrames(30);
    player.command("seek 0.2 2");
    playFrames(10);

    const std::vector<Shown> frames = shown();
    ASSERT_GT(frames.size(), 90u);
    EXPECT_LE(outOfStep(frames) * 100, frames.size()) << "more than 1 % of frames out of step";
    // The steps moved both pictures one frame each.
    for (std::size_t i = beforeSteps + 1; i < beforeSteps + 5; ++i) {
        EXPECT_EQ(frames[i].front, frames[i - 1].front + 1) << "step " << i - beforeSteps;
        EXPECT_EQ(frames[i].rear, frames[i].front) << "step " << i - beforeSteps;
    }
}

TEST_F(TwoChannelPlaybackTest, TheSecondPictureTrackIsTheRearAndOneChannelShowsTheFrontAlone) {
    const QString front = makeRecording(dir, "drf_20240612_081500.mov", "track");
    player.start(front.toStdString(), front.toStdString());
    playFrames(30);
    player.command("seek 3.0 2");
    playFrames(20);
    std::vector<Shown> frames = shown();
    EXPECT_LE(outOfStep(frames) * 100, frames.size());
    EXPECT_GT(frames.back().front, 3 * kFps - 5) << "the seek reached the front";

    // The same recording in one channel: its own first picture only.
    player.channelMode = 1;
    const std::size_t oneChannel = shownCount();
    player.command(loadCommand(front));
    playFrames(20);
    frames = shown();
    for (std::size_t i = oneChannel; i < frames.size(); ++i)
        EXPECT_GE(frames[i].front, 0);
}

TEST_F(TwoChannelPlaybackTest, AScrambledRecordingsRearFileIsReadWithTheSameKeyAndEveryFrameIsShown) {
    const QString front = makeRecording(dir, "drf_20240612_081500.mov", "file", {"--scrambled", "0x80000000"});
    player.encryptedViewMode = 1;
    player.key = 0x80000000u;
    player.start(front.toStdString(), dir.filePath("drf_20240612_081500_R.mov").toStdString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.count(orv::kEvEndOfEntry) >= 1; }, 20000));
    const std::vector<Shown> frames = shown();
    EXPECT_LE(outOfStep(frames) * 100, frames.size());
    // To the last frame, which mpv hands over after it ended the file, and
    // never beyond. (Every frame counts in the benchmark; a test that shares
    // the machine with others may see mpv catch up on its first frame.)
    ASSERT_GE(frames.size(), static_cast<std::size_t>(kSeconds * kFps - 2));
    ASSERT_LE(frames.size(), static_cast<std::size_t>(kSeconds * kFps));
    EXPECT_EQ(frames.back().front, kSeconds * kFps - 1);
    EXPECT_EQ(frames.back().rear, kSeconds * kFps - 1);
}

// Paused on one frame under each rear view: "swapped" trades the two
// pictures, "inside" keeps both and shrinks the rear into the front's lower
// right corner (a third of its size, 1/40 of its width from the edges).
TEST_F(TwoChannelPlaybackTest, TheRearSwapsWithTheFrontOrGoesInsideIt) {
    const QString front = makeRecording(dir, "drf_20240612_081500.mov", "file");
    const QString rear = dir.filePath("drf_20240612_081500_R.mov");
    struct Pictures {
        std::vector<std::uint8_t> front, rear;
    };
    auto pausedAtOneSecond = [&](int view) {
        player.rearView = view;
        if (player.running())
            player.command(loadCommand(front, rear));
        else
            player.start(front.toStdString(), rear.toStdString());
        playFrames(5);
        player.command("seek 1.0 2");
        player.command("pause");
        settle();
        Pictures p{std::vector<std::uint8_t>(kPictureWidth * kPictureHeight * kBytesPerPixel),
                   std::vector<std::uint8_t>(kPictureWidth * kPictureHeight * kBytesPerPixel)};
        OrvPictureCopy copy{};
        EXPECT_TRUE(player.copyPicture(0, p.front, copy));
        EXPECT_TRUE(player.copyPicture(1, p.rear, copy));
        EXPECT_EQ(frameCodeOf(p.front), kFps);
        return p;
    };
    const Pictures beside = pausedAtOneSecond(orv::kRearBeside);
    const Pictures swapped = pausedAtOneSecond(orv::kRearSwapped);
    const Pictures inside = pausedAtOneSecond(orv::kRearInside);
    EXPECT_NE(beside.front, beside.rear);
    EXPECT_TRUE(swapped.front == beside.rear) << "the rear in the first picture";
    EXPECT_TRUE(swapped.rear == beside.front) << "the front in the second picture";
    EXPECT_TRUE(inside.rear == beside.rear);

    const QRect inset(640 - 16 - 213, 60 + 360 - 16 - 120, 213, 120);
    int changedInside = 0;
    int changedOutside = 0;
    for (int y = 0; y < kPictureHeight; ++y)
        for (int x = 0; x < kPictureWidth; ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * kPictureWidth + x) * kBytesPerPixel;
            const bool changed = std::abs(inside.front[at] - beside.front[at]) + std::abs(inside.front[at + 1] - beside.front[at + 1]) +
                                     std::abs(inside.front[at + 2] - beside.front[at + 2]) > 30;
            (inset.contains(x, y) ? changedInside : changedOutside) += changed ? 1 : 0;
        }
    EXPECT_EQ(changedOutside, 0);
    EXPECT_GT(changedInside, inset.width() * inset.height() / 2);
    // The inset's white frame.
    const std::size_t corner = (static_cast<std::size_t>(inset.top()) * kPictureWidth + inset.left()) * kBytesPerPixel;
    EXPECT_EQ(inside.front[corner], 0xFF);
}

TEST_F(TwoChannelPlaybackTest, WithoutARearPictureTheFrontPlaysAloneAndTheRearIsBlack) {
    const QString front = makeRecording(dir, "drf_20240612_081500.mov", "none");
    player.start(front.toStdString());
    playFrames(30);
    const std::vector<Shown> frames = shown();
    std::size_t black = 0;
    for (const Shown& s : frames) {
        EXPECT_GE(s.front, 0);
        black += s.rearBlack ? 1 : 0;
    }
    EXPECT_EQ(black, frames.size()) << "the rear shows nothing of another file";
    EXPECT_GT(frames.back().front, frames.front().front);
}

} // namespace
