// Whole recordings made through ffmpeg, checked by ffprobe (a real peer) and
// read back through the box reader.
#include "BoxReader.h"
#include "ByteOrder.h"
#include "Nmea.h"
#include "RecgenTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

namespace kyvo::recgen {
namespace {

using test::ffprobe;
using test::TempFolder;
using test::text;
using test::tinyOptions;

constexpr double kKnot = drive::kMetresPerSecondPerKnot;

double distanceM(const RmcFix& a, const RmcFix& b) {
    const double rad = std::numbers::pi / 180;
    const double north = (b.latitudeDeg - a.latitudeDeg) * rad * drive::kEarthRadiusM;
    const double east = (b.longitudeDeg - a.longitudeDeg) * rad * drive::kEarthRadiusM * std::cos(a.latitudeDeg * rad);
    return std::hypot(north, east);
}

RecordingContents readBack(const std::filesystem::path& file) {
    const FileSource source(file);
    return readRecording(source);
}

}  // namespace

// Names the codec in test listings instead of dumping its bytes.
void PrintTo(VideoCodec codec, std::ostream* out) { *out << codecKeyword(codec); }

namespace {

class CodecTest : public testing::TestWithParam<std::tuple<VideoCodec, bool>> {};

TEST_P(CodecTest, PlaysInFfprobeAndCarriesIntactTelemetry) {
    const auto [codec, audio] = GetParam();
    TempFolder folder;
    RecordingOptions options = tinyOptions();
    options.codec = codec;
    options.audio = audio;
    const auto file = folder.path() / options.fileName();
    makeRecording(options, file);

    const test::Probe probe = ffprobe(file);
    ASSERT_TRUE(probe.video);
    const std::string expectedCodec = codec == VideoCodec::H265 ? "hevc" : std::string(codecKeyword(codec));
    EXPECT_EQ(text(*probe.video, "codec_name"), expectedCodec);
    EXPECT_EQ(probe.video->value("width").toInt(), 128);
    EXPECT_EQ(probe.video->value("height").toInt(), 72);
    EXPECT_EQ(text(*probe.video, "r_frame_rate"), "30/1");
    EXPECT_EQ(text(*probe.video, "nb_frames"), "60");
    EXPECT_NEAR(std::stod(text(probe.format, "duration")), 2.0, 0.05);
    EXPECT_NE(text(probe.format, "format_name").find("mov"), std::string::npos);
    EXPECT_EQ(probe.audio.has_value(), audio);
    EXPECT_EQ(probe.streamCount, audio ? 2 : 1);
    if (probe.audio) {
        EXPECT_EQ(text(*probe.audio, "codec_name"), "aac");
    }

    const RecordingContents contents = readBack(file);
    ASSERT_TRUE(contents.boxes.complete) << contents.boxes.problem;
    EXPECT_EQ(contents.boxes.boxes.front().type, box::kFtyp);
    EXPECT_EQ(contents.boxes.boxes.back().type, box::kUdat);
    EXPECT_FALSE(contents.events);
    ASSERT_TRUE(contents.telemetry);
    ASSERT_EQ(contents.telemetry->entries.size(), 7u);  // 60 frames: entries for frames 1, 11, ... 61
    EXPECT_EQ(contents.telemetry->malformedEntries, 0u);
    std::optional<RmcFix> previous;
    for (const TelemetryEntry& e : contents.telemetry->entries) {
        const auto fix = parseRmc(e.sentence);
        ASSERT_TRUE(fix) << e.sentence;
        EXPECT_NEAR(e.g[2], 1.0, 0.7);
        if (previous && previous->valid && fix->valid) {
            const double expected = (previous->speedKnots + fix->speedKnots) / 2 * kKnot / 3;
            EXPECT_NEAR(distanceM(*previous, *fix), expected, 0.5 + 0.03 * expected) << e.sentence;
        }
        previous = fix;
    }
    EXPECT_EQ(previous->millisOfDay, ((8 * 60 + 15) * 60 + 2) * 1000u);
}

INSTANTIATE_TEST_SUITE_P(AllCodecs, CodecTest,
                         testing::Combine(testing::Values(VideoCodec::H264, VideoCodec::Mjpeg, VideoCodec::Mpeg4,
                                                          VideoCodec::H265),
                                          testing::Bool()),
                         [](const auto& param) {
                             return std::string(codecKeyword(std::get<0>(param.param))) +
                                    (std::get<1>(param.param) ? "WithAudio" : "Silent");
                         });

TEST(RecordingTest, H264HasAKeyframeEveryThirtyFrames) {
    TempFolder folder;
    RecordingOptions options = tinyOptions();
    options.audio = false;
    options.lengthS = 3;
    const auto file = folder.path() / "k.mov";
    makeRecording(options, file);
    const ProcessResult keys = runProcess({"ffprobe", "-v", "error", "-select_streams", "v", "-skip_frame", "nokey",
                                           "-show_entries", "frame=pts_time", "-of", "csv=p=0", file.string()});
    ASSERT_TRUE(keys.succeeded()) << keys.errors;
    // ffprobe may add empty side-data fields; keep the time stamps only.
    std::vector<std::string> times;
    std::string token;
    for (char c : keys.output + "\n") {
        if (c == '\n' || c == ',') {
            if (!token.empty())
                times.push_back(token);
            token.clear();
        } else {
            token += c;
        }
    }
    EXPECT_EQ(times, (std::vector<std::string>{"0.000000", "1.000000", "2.000000"}));
}

TEST(RecordingTest, EventRecordingHasAlignedEvtiWithTimesInsideTheRecording) {
    TempFolder folder;
    RecordingOptions options = tinyOptions();
    options.kind = RecordingKind::Event;
    options.events = 3;
    options.lengthS = 3;
    options.audio = false;
    const auto file = folder.path() / options.fileName();
    makeRecording(options, file);

    const FileSource source(file);
    const RecordingContents contents = readRecording(source);
    const BoxInfo* evti = contents.boxes.find(box::kEvti);
    ASSERT_NE(evti, nullptr);
    EXPECT_EQ(evti->offset % 4, 0u);
    EXPECT_EQ(scanForEventBox(source), evti->offset);
    ASSERT_TRUE(contents.events);
    ASSERT_EQ(contents.events->size(), 3u);
    const std::int64_t start = toSeconds(options.start);
    for (const std::string& event : *contents.events) {
        std::string stamp = event.substr(0, 19);
        std::replace(stamp.begin(), stamp.end(), '/', '-');
        const auto when = parseCivilTime(stamp);
        ASSERT_TRUE(when) << event;
        EXPECT_GE(toSeconds(*when), start);
        EXPECT_LT(toSeconds(*when), start + options.lengthS);
        EXPECT_EQ(event.substr(19), " G-sensor event");
    }
    EXPECT_TRUE(ffprobe(file).video);
}

TEST(RecordingTest, ScrambledHeaderHidesFtypAndUndoesWithTheKey) {
    TempFolder folder;
    RecordingOptions options = tinyOptions();
    options.codec = VideoCodec::Mjpeg;
    options.audio = false;
    options.scrambleKey = 0x5A5AA5A5;
    const auto file = folder.path() / "s.mov";
    makeRecording(options, file);

    const Bytes raw = test::readBytes(file);
    ASSERT_GE(raw.size(), 8u);
    EXPECT_NE(std::string(raw.begin() + 4, raw.begin() + 8), "ftyp");
    const BufferSource source(raw);
    const DescrambledSource plain(source, *options.scrambleKey);
    const RecordingContents contents = readRecording(plain);
    ASSERT_TRUE(contents.boxes.complete) << contents.boxes.problem;
    const BoxInfo& first = contents.boxes.boxes.front();
    EXPECT_EQ(first.type, box::kFtyp);
    EXPECT_EQ(loadBe32(std::span(raw).first<4>()), first.size ^ *options.scrambleKey);
    ASSERT_TRUE(contents.telemetry);
    EXPECT_EQ(contents.telemetry->entries.size(), 7u);
}

TEST(RecordingTest, PictureOnlyVariantIsMjpegWithoutBoxes) {
    TempFolder folder;
    RecordingOptions options = tinyOptions();
    options.pictureOnly = true;
    const auto file = folder.path() / options.fileName();
    EXPECT_EQ(file.extension(), ".mjpg");
    const RecordingReport report = makeRecording(options, file);
    EXPECT_EQ(report.entries, 0);

    const test::Probe probe = ffprobe(file);
    ASSERT_TRUE(probe.video);
    EXPECT_EQ(text(*probe.video, "codec_name"), "mjpeg");
    EXPECT_EQ(text(*probe.video, "nb_frames"), "60");
    EXPECT_EQ(probe.streamCount, 1);
    const RecordingContents contents = readBack(file);
    EXPECT_TRUE(contents.boxes.complete);
    EXPECT_EQ(contents.boxes.find(box::kUdat), nullptr);
    EXPECT_EQ(contents.boxes.find(box::kEvti), nullptr);
}

TEST(RecordingTest, FailuresSayWhyAndLeaveNothingBehind) {
    TempFolder folder;
    const auto file = folder.path() / "f.mov";
    auto expectFailure = [&](RecordingOptions options, const std::string& mentioned) {
        try {
            makeRecording(options, file);
            ADD_FAILURE() << "no error; expected one mentioning " << mentioned;
        } catch (const RecordingError& error) {
            EXPECT_NE(std::string(error.what()).find(mentioned), std::string::npos) << error.what();
        }
        EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    };
    RecordingOptions badPreset = tinyOptions();
    badPreset.preset = "nosuchpreset";
    expectFailure(badPreset, "ffmpeg failed (exit status 1) encoding h264:\nx264 [error]: invalid preset");
    RecordingOptions missing = tinyOptions();
    missing.ffmpeg = "kyvo-no-such-encoder";
    expectFailure(missing, "cannot run kyvo-no-such-encoder");
    RecordingOptions odd = tinyOptions();
    odd.width = 129;
    expectFailure(odd, "even");
}

}  // namespace
}  // namespace kyvo::recgen
