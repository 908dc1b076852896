// The playback library asks at every load for the view mode, the key and the
// channel count: a scrambled recording plays in the encrypted view mode like
// its plain twin (same frames, same frame count, same length), the wrong key
// or a plain recording in that mode plays nothing, and a channel count changed
// between two loads makes or removes the second channel's window.

#include "PlayerHarness.h"

#include "QtTempFolder.h"
#include "RecordingScramble.h"
#include "WindowMessage.h"

#include <QFile>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

using namespace std::chrono_literals;
using orvtest::Event;
using orvtest::PlayerHarness;

namespace {

constexpr std::uint32_t kKey = 0x80000001u;

QString makeRecording(const kyvo::test::QtTempFolder& dir, const QString& name, double seconds) {
    const QString path = dir.filePath(name);
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {"-nostdin", "-loglevel", "error", "-y", "-f", "lavfi", "-i", "testsrc2=size=320x240:rate=30", "-t",
                  QString::number(seconds), "-c:v", "libx264", "-preset", "ultrafast", "-g", "30", "-pix_fmt",
                  "yuv420p", "-f", "mov", path});
    ffmpeg.waitForFinished(60000);
    return ffmpeg.exitCode() == 0 ? path : QString();
}

// A copy of `plain` with its first header scrambled with `key`.
QString scrambledCopy(const QString& plain, const QString& copy, std::uint32_t key) {
    QFile in(plain);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = in.readAll();
    kyvo::scramble::transformHeader(std::span(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size()), 0, key);
    QFile out(copy);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return {};
    return copy;
}

std::string loadCommand(const QString& first, const QString& second = {}) {
    return "rovu_loadfile \"" + first.toStdString() + "\" \"" + second.toStdString() + "\"";
}

// What one entry showed: its frames, the frame count it reported (code 23)
// and the length its video window answered (code 14).
struct Entry {
    std::size_t frames = 0;
    std::uint32_t frameCount = 0;
    float length = -1;
    bool secondPicture = false;
};

class ScrambledPlaybackTest : public testing::Test {
protected:
    kyvo::test::QtTempFolder dir;
    QWidget owner;
    PlayerHarness player{ORVPLAYER_PATH};

    void SetUp() override {
        ASSERT_TRUE(player.loaded());
        owner.resize(700, 450);
        player.owner = &owner;
    }
    void TearDown() override {
        if (player.running()) {
            player.command("quit");
            EXPECT_TRUE(QTest::qWaitFor([&] { return !player.running(); }, 10000));
            EXPECT_TRUE(player.join(10s));
        }
    }

    // What the entry that begins at the `n`th 18 (from 1) showed so far; its
    // length is the first 14 after the event `askedAt`.
    Entry entry(std::size_t n, std::size_t askedAt) const {
        Entry entry;
        std::size_t playing = 0;
        const std::vector<Event> events = player.events();
        for (std::size_t i = 0; i < events.size(); ++i) {
            const Event& e = events[i];
            playing += e.code == orv::kEvPlaying ? 1 : 0;
            if (e.code == orv::kEvLength && i >= askedAt && entry.length < 0)
                entry.length = e.time;
            if (playing != n)
                continue;
            if (e.code == orv::kEvStreamInfo)
                entry.frameCount = e.frameCount;
            if (e.code == orv::kEvFrame) {
                ++entry.frames;
                entry.secondPicture = e.hasPicture1;
            }
        }
        return entry;
    }

    // Plays the `n`th entry to its end, asking its length once it shows frames.
    Entry playEntry(std::size_t n) {
        auto ended = [&] { return player.count(orv::kEvEndOfEntry) >= n; };
        std::size_t askedAt = SIZE_MAX;
        EXPECT_TRUE(QTest::qWaitFor([&] { return entry(n, askedAt).frames > 0 || ended(); }, 20000));
        if (!ended()) {
            askedAt = player.events().size();
            static const char request[] = "get_time_length";
            kyvo::postMessage(reinterpret_cast<QObject*>(player.videoWindow0()), orv::kMsgGetTimeLength,
                              reinterpret_cast<kyvo::WParam>(request));
            EXPECT_TRUE(QTest::qWaitFor([&] { return entry(n, askedAt).length >= 0; }, 20000));
        }
        EXPECT_TRUE(QTest::qWaitFor(ended, 20000));
        return entry(n, askedAt);
    }
};

} // namespace

TEST_F(ScrambledPlaybackTest, AScrambledRecordingPlaysLikeItsPlainTwinWithItsKeyOnly) {
    const QString plain = makeRecording(dir, "drf_20240612_081500.mov", 2);
    ASSERT_FALSE(plain.isEmpty());
    const QString scrambled = scrambledCopy(plain, dir.filePath("drf_20240612_081600.mov"), kKey);
    ASSERT_FALSE(scrambled.isEmpty());

    player.start(plain.toStdString());
    const Entry twin = playEntry(1);
    EXPECT_EQ(twin.frameCount, 60u);
    EXPECT_NEAR(static_cast<double>(twin.frames), 60.0, 2.0);
    EXPECT_NEAR(twin.length, 2.0f, 0.05f);

    // Chosen between two loads: the encrypted view mode with the key.
    player.encryptedViewMode = 1;
    player.key = kKey;
    player.command(loadCommand(scrambled));
    const Entry restored = playEntry(2);
    EXPECT_EQ(restored.frameCount, twin.frameCount);
    EXPECT_NEAR(static_cast<double>(restored.frames), static_cast<double>(twin.frames), 2.0);
    EXPECT_FLOAT_EQ(restored.length, twin.length);

    // Another key, and a plain recording in the encrypted view mode: started
    // and ended at once, not a frame.
    player.key = kKey ^ 0x100u;
    player.command(loadCommand(scrambled));
    EXPECT_EQ(playEntry(3).frames, 0u);
    player.key = kKey;
    player.command(loadCommand(plain));
    EXPECT_EQ(playEntry(4).frames, 0u);

    // The file itself is never rewritten.
    QFile file(scrambled);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_NE(file.read(8).mid(4), QByteArray("ftyp"));
}

TEST_F(ScrambledPlaybackTest, TheChannelCountChangedBetweenLoadsMakesAndRemovesTheSecondWindow) {
    const QString front = makeRecording(dir, "drf_20240612_081500.mov", 1);
    const QString rear = makeRecording(dir, "drf_20240612_081500_R.mov", 1);
    ASSERT_FALSE(front.isEmpty());
    ASSERT_FALSE(rear.isEmpty());
    player.start(front.toStdString());
    EXPECT_FALSE(playEntry(1).secondPicture);
    EXPECT_EQ(player.count(orv::kEvVideoWindow1), 0u);

    player.channelMode = 2;
    player.command(loadCommand(front, rear));
    EXPECT_TRUE(playEntry(2).secondPicture);
    auto window1 = [&] {
        std::vector<std::intptr_t> reported;
        for (const Event& e : player.events())
            if (e.code == orv::kEvVideoWindow1)
                reported.push_back(e.parameter);
        return reported;
    };
    ASSERT_EQ(window1().size(), 1u);
    EXPECT_NE(window1()[0], 0) << "the second channel's window";

    player.channelMode = 1;
    player.command(loadCommand(front));
    EXPECT_FALSE(playEntry(3).secondPicture);
    ASSERT_EQ(window1().size(), 2u);
    EXPECT_EQ(window1()[1], 0) << "the second window is gone";

    player.command("quit");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !player.running(); }, 10000));
    EXPECT_EQ(window1().size(), 2u) << "a window already gone is not reported again";
}
