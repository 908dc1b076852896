// Shown frames and the end of an entry: the telemetry copies, the current
// time, the pictures and the owner's notifications.

#include "AdapterTestSupport.h"

#include "StringIds.h"

#include <cstring>
#include <optional>

namespace kyvo::player::test {
namespace {

struct Telemetry {
    std::string sentence;
    std::array<float, 3> sensor{};
    bool allZero = false;
};

std::optional<Telemetry> telemetryOf(const ROVUAdap& adapter) {
    std::array<char, kGpsRecordSize> gps{};
    std::array<float, 3> sensor{};
    if (!adapter.telemetry(gps, sensor))
        return std::nullopt;
    Telemetry t{std::string(gps.data()), sensor};
    t.allZero = std::all_of(gps.begin(), gps.end(), [](char c) { return c == 0; }) &&
                sensor == std::array<float, 3>{};
    return t;
}

class FrameEventTest : public PlayerAdapterTest {
protected:
    TempFolder folder;

    // Playing, with `name` loaded through the running player's load command.
    void load(const std::string& name, const std::filesystem::path& path) {
        adapter->ChangeState(&adapter->playing());
        ASSERT_EQ(current()->LoadFile(path.c_str(), ""), 0);
        ASSERT_EQ(library.commands().back(), "rovu_loadfile \"" + path.string() + "\" \"\"") << name;
    }
};

TEST_F(FrameEventTest, TelemetryChangesOnFramesOneElevenTwentyOne) {
    writeRecording(folder / "drive.mov", 4);
    load("drive", folder / "drive.mov");
    setFrameCount(31);
    EXPECT_FALSE(telemetryOf(*adapter)) << "no frame shown yet";
    for (std::uint32_t frame = 1; frame <= 31; ++frame) {
        SCOPED_TRACE(frame);
        showFrame(frame, 0.1f * static_cast<float>(frame));
        const auto shown = telemetryOf(*adapter);
        ASSERT_TRUE(shown);
        EXPECT_EQ(adapter->noTelemetry.load(), 0);
        // Frames 1 to 20 show entry 1 (frame 11 reads it again), 21 to 30 entry 2;
        // frame 31 lies at the frame count and gets no records.
        if (frame == 31) {
            EXPECT_TRUE(shown->allZero);
            continue;
        }
        const int k = frame < 21 ? 1 : 2;
        const recgen::TelemetryEntry want = numberedEntry(k);
        EXPECT_EQ(shown->sentence, want.sentence);
        EXPECT_EQ(shown->sensor, want.g);
    }
    EXPECT_EQ(host.count(WM_PLAYER_FRAME), 31u);
    for (const HostCall& n : host.notifications())
        EXPECT_EQ(n, (HostCall{0, WM_PLAYER_FRAME, 0, 0}));
    EXPECT_FLOAT_EQ(adapter->currentTime.load(), 3.1f);
    EXPECT_EQ(adapter->currentSecond.load(), 3);
    EXPECT_EQ(adapter->DisplaySecond(), 4);
}

TEST_F(FrameEventTest, AMissingEntryKeepsTheLastValuesUntilTheNextEntry) {
    writeRecording(folder / "short.mov", 2); // entries 0 and 1: frame 21 finds no entry 2
    load("short", folder / "short.mov");
    const recgen::TelemetryEntry last = numberedEntry(1);
    for (std::uint32_t frame = 1; frame <= 30; ++frame) {
        SCOPED_TRACE(frame);
        showFrame(frame, 0.1f * static_cast<float>(frame));
        const auto shown = telemetryOf(*adapter);
        ASSERT_TRUE(shown);
        EXPECT_EQ(adapter->noTelemetry.load(), frame == 21 ? 1 : 0);
        EXPECT_EQ(shown->sentence, last.sentence) << "no zeros after the missing entry";
        EXPECT_EQ(shown->sensor, last.g);
    }
}

TEST_F(FrameEventTest, WithoutATelemetryBoxNoFrameHasTelemetry) {
    writeRecording(folder / "bare.mov", 0, false);
    load("bare", folder / "bare.mov");
    for (std::uint32_t frame = 1; frame <= 12; ++frame) {
        showFrame(frame);
        EXPECT_FALSE(telemetryOf(*adapter)) << frame;
        EXPECT_EQ(adapter->noTelemetry.load(), 1) << frame;
    }
    EXPECT_EQ(host.count(WM_PLAYER_FRAME), 12u);
}

TEST_F(FrameEventTest, PictureOnlyRecordingsAreKnownByMjpgAfterTheStartOfThePath) {
    writeRecording(folder / "clip.mjpg", 4);
    load("picture-only", folder / "clip.mjpg");
    showFrame(1);
    EXPECT_FALSE(telemetryOf(*adapter));
    EXPECT_EQ(adapter->noTelemetry.load(), 1);

    // ".mjpg" at the very start of the path does not count: a relative path.
    const std::string relative = ".mjpg-adapter-test-" + std::to_string(::getpid()) + ".mov";
    writeRecording(relative, 4);
    load("relative", relative);
    showFrame(1);
    std::filesystem::remove(relative);
    const auto shown = telemetryOf(*adapter);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->sentence, numberedEntry(1).sentence);
    EXPECT_EQ(adapter->noTelemetry.load(), 0);

    // A picture-only file after one with telemetry has none either.
    load("picture-only again", folder / "clip.mjpg");
    showFrame(11);
    EXPECT_EQ(adapter->noTelemetry.load(), 1);
}

TEST_F(FrameEventTest, ARecordingOfTheOtherViewModeOrKeyIsRefusedBeforeAnythingChanges) {
    constexpr std::uint32_t kKey = 0x5A17C0DE;
    const auto plain = folder / "plain.mov";
    const auto scrambled = folder / "scrambled.mov";
    writeRecording(plain, 4);
    writeRecording(scrambled, 4);
    {
        std::fstream file(scrambled, std::ios::binary | std::ios::in | std::ios::out);
        recgen::Bytes header(8);
        file.read(reinterpret_cast<char*>(header.data()), 8);
        recgen::scrambleHeader(header, kKey);
        file.seekp(0);
        file.write(reinterpret_cast<const char*>(header.data()), 8);
    }
    adapter->ChangeState(&adapter->playing());
    EXPECT_EQ(current()->LoadFile(scrambled.c_str(), ""), kViewModeMismatch);
    adapter->ChangeState(&adapter->idle());
    EXPECT_EQ(adapter->Open(scrambled.c_str(), ""), kViewModeMismatch);
    EXPECT_EQ(current(), &adapter->idle()) << "no forwarding for a refused file";
    adapter->encryptedViewMode.store(1);
    adapter->key.store(kKey);
    EXPECT_EQ(adapter->Open(plain.c_str(), ""), kViewModeMismatch);
    EXPECT_EQ(host.mismatches(), (std::vector<int>{strings::kEncryptedInGeneralMode, strings::kEncryptedInGeneralMode,
                                                   strings::kGeneralInEncryptedMode}));
    EXPECT_TRUE(library.commands().empty());
    EXPECT_FALSE(adapter->playerThreadRunning());

    // The view mode and the key are read at every load: another key refuses
    // the scrambled recording in its own view mode, without the mode's message.
    adapter->key.store(kKey ^ 0x80000000u);
    EXPECT_EQ(adapter->Open(scrambled.c_str(), ""), kWrongKey);
    adapter->ChangeState(&adapter->playing());
    EXPECT_EQ(current()->LoadFile(scrambled.c_str(), ""), kWrongKey);
    adapter->ChangeState(&adapter->idle());
    EXPECT_EQ(host.mismatches().size(), 3u);
    EXPECT_TRUE(library.commands().empty());
    adapter->key.store(kKey);

    // In its own view mode the scrambled recording plays, with its telemetry.
    load("scrambled", scrambled);
    showFrame(1);
    EXPECT_EQ(adapter->noTelemetry.load(), 0);
}

TEST_F(FrameEventTest, FramesWhileForwardingShowNoTimeAndNoTelemetryButAreStillReported) {
    writeRecording(folder / "drive.mov", 4);
    load("drive", folder / "drive.mov");
    showFrame(1, 2.5f);
    ASSERT_TRUE(telemetryOf(*adapter));
    EXPECT_FLOAT_EQ(adapter->currentTime.load(), 2.5f);

    adapter->ChangeState(&adapter->forwarding());
    showFrame(11, 7.25f);
    EXPECT_EQ(adapter->currentTime.load(), 0.0f);
    EXPECT_EQ(adapter->currentSecond.load(), 0);
    const auto shown = telemetryOf(*adapter);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(shown->allZero);
    EXPECT_EQ(host.count(WM_PLAYER_FRAME), 2u);
}

TEST_F(FrameEventTest, PicturesOfTheSecondChannelOnlyInTwoChannelMode) {
    std::uint8_t first[4] = {}, second[4] = {};
    orv::FrameInfo info{};
    info.imageSize = 640 * 480 * 4;
    info.picture0 = first;
    info.picture1 = second;
    adapter->channelMode.store(1);
    emitElsewhere(orv::kEvFrame, &info);
    EXPECT_EQ(adapter->image0.load(), first);
    EXPECT_EQ(adapter->image1.load(), nullptr);
    EXPECT_EQ(adapter->imageSize.load(), 640 * 480 * 4);
    adapter->channelMode.store(2);
    emitElsewhere(orv::kEvFrame, &info);
    EXPECT_EQ(adapter->image1.load(), second);
}

// --- The end of an entry (code 20) ---

struct EndCase {
    const char* name;
    std::uint32_t frameCount;
    std::uint32_t frameIndex;
    bool lastFrame; // WM_PLAYER_END is sent
};

void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }

class EndEventTest : public PlayerAdapterTest, public testing::WithParamInterface<EndCase> {};

TEST_P(EndEventTest, EndsPlayingAndTellsTheOwnerAtTheLastFrame) {
    const EndCase& c = GetParam();
    setFrameCount(c.frameCount);
    emitElsewhere(orv::kEvFrameIndex, static_cast<std::intptr_t>(c.frameIndex));
    adapter->ChangeState(&adapter->playing());
    emitElsewhere(orv::kEvEndOfEntry);
    EXPECT_EQ(current(), &adapter->ended());
    EXPECT_EQ(adapter->previous(), &adapter->playing());
    const std::vector<HostCall> end{{0, WM_PLAYER_END, 0, 1}};
    EXPECT_EQ(host.notifications(), c.lastFrame ? end : std::vector<HostCall>{});
}

INSTANTIATE_TEST_SUITE_P(Cases, EndEventTest,
                         testing::Values(EndCase{"NoFrames", 0, 0, true}, EndCase{"AtTheLastFrame", 300, 299, true},
                                         EndCase{"PastTheLastFrame", 300, 300, true},
                                         EndCase{"BeforeTheLastFrame", 300, 298, false},
                                         EndCase{"UnknownCount", 0xFFFFFFFF, 5, false}),
                         [](const testing::TestParamInfo<EndCase>& p) { return std::string(p.param.name); });

TEST_F(PlayerAdapterTest, EndEventInAnyOtherStateChangesNothing) {
    setFrameCount(300);
    emitElsewhere(orv::kEvFrameIndex, std::intptr_t{299});
    for (ROVUState* state : {static_cast<ROVUState*>(&adapter->idle()), static_cast<ROVUState*>(&adapter->stopped()),
                             static_cast<ROVUState*>(&adapter->ended()), static_cast<ROVUState*>(&adapter->ready()),
                             static_cast<ROVUState*>(&adapter->forwarding())}) {
        adapter->ChangeState(state);
        ROVUState* const previous = adapter->previous();
        emitElsewhere(orv::kEvEndOfEntry);
        EXPECT_EQ(current(), state);
        EXPECT_EQ(adapter->previous(), previous);
    }
    EXPECT_TRUE(host.notifications().empty());
}

} // namespace
} // namespace kyvo::player::test
