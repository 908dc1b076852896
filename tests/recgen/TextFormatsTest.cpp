// The text formats: NMEA sentences, clock times, recording names, the speed
// caption script, and the command line that ties names to options.
#include "CommandLine.h"
#include "FfmpegCommand.h"
#include "Nmea.h"
#include "RecordingName.h"

#include <gtest/gtest.h>

#include <vector>

namespace kyvo::recgen {
namespace {

RmcFix sampleFix() {
    RmcFix fix;
    fix.millisOfDay = ((8 * 60 + 15) * 60 + 30) * 1000;
    fix.latitudeDeg = 25 + 3.5 / 60;
    fix.longitudeDeg = 121 + 33.84 / 60;
    fix.speedKnots = 22.4;
    fix.courseDeg = 84.4;
    fix.day = 12;
    fix.month = 6;
    fix.year = 2024;
    return fix;
}

TEST(NmeaTest, FormatsTheRecorderSentenceWithItsChecksum) {
    EXPECT_EQ(formatRmc(sampleFix()),
              "$GPRMC,081530.000,A,2503.5000,N,12133.8400,E,022.4,084.4,120624,,,A*61");

    RmcFix southWest = sampleFix();
    southWest.valid = false;
    southWest.millisOfDay = 86399999;
    southWest.latitudeDeg = -(33 + 59.99999 / 60);  // rounds up into the next degree
    southWest.longitudeDeg = -(70 + 0.5 / 60);
    southWest.speedKnots = 123.45;
    southWest.courseDeg = 359.96;                    // rounds to 360.0, written as 000.0
    const std::string text = formatRmc(southWest);
    EXPECT_EQ(text.substr(0, text.find('*')),
              "$GPRMC,235959.999,V,3400.0000,S,07000.5000,W,123.5,000.0,120624,,,N");
    const auto parsed = parseRmc(text);
    ASSERT_TRUE(parsed);
    EXPECT_FALSE(parsed->valid);
    EXPECT_NEAR(parsed->latitudeDeg, -34.0, 1e-9);
    EXPECT_NEAR(parsed->longitudeDeg, -(70 + 0.5 / 60), 1e-9);
    EXPECT_EQ(parsed->millisOfDay, 86399999u);
}

TEST(NmeaTest, ParseRoundTripsAndRejectsDamage) {
    const std::string good = formatRmc(sampleFix());
    const auto fix = parseRmc(good);
    ASSERT_TRUE(fix);
    EXPECT_NEAR(fix->latitudeDeg, sampleFix().latitudeDeg, 1e-9);
    EXPECT_NEAR(fix->speedKnots, 22.4, 1e-9);
    EXPECT_EQ(fix->year, 2024);

    std::string wrongSum = good;
    wrongSum.back() = wrongSum.back() == '0' ? '1' : '0';
    std::string changedField = good;
    changedField[20] = '4';  // latitude digit changed, checksum kept
    for (const std::string& bad : {wrongSum, changedField, std::string("$GPGGA") + good.substr(6), good.substr(0, 40),
                                   std::string("$GPRMC,,A,,,,,,,,,,A*00")}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(parseRmc(bad));
    }
}

TEST(CivilTimeTest, AddsAcrossDayMonthAndLeapDayAndRejectsImpossibleDates) {
    const CivilTime start{2024, 2, 28, 23, 59, 30};
    EXPECT_EQ(addSeconds(start, 40), (CivilTime{2024, 2, 29, 0, 0, 10}));
    EXPECT_EQ(addSeconds(start, 86400 + 30), (CivilTime{2024, 3, 1, 0, 0, 0}));
    EXPECT_EQ(addSeconds(CivilTime{2024, 1, 1, 0, 0, 5}, -10), (CivilTime{2023, 12, 31, 23, 59, 55}));
    EXPECT_EQ(parseCivilTime("2024-06-12 08:15:00"), (CivilTime{2024, 6, 12, 8, 15, 0}));
    EXPECT_EQ(parseCivilTime("2024-06-12T08:15:00"), (CivilTime{2024, 6, 12, 8, 15, 0}));
    for (const char* bad : {"2023-02-29 00:00:00", "2024-13-01 00:00:00", "2024-06-12 24:00:00", "2024-06-12 8:15:00",
                            "2024/06/12 08:15:00"})
        EXPECT_FALSE(parseCivilTime(bad)) << bad;
    EXPECT_EQ(formatSlashed({2024, 6, 12, 8, 5, 9}), "2024/06/12 08:05:09");
}

TEST(RecordingNameTest, FollowsTheRecorderGrammarBothWays) {
    const CivilTime start{2024, 6, 12, 8, 15, 0};
    EXPECT_EQ(recordingName(RecordingKind::Normal, start), "drf_20240612_081500.mov");
    EXPECT_EQ(recordingName(RecordingKind::Event, start), "evt_20240612_081500.mov");
    EXPECT_EQ(recordingName(RecordingKind::Manual, start, kPictureOnlyExtension), "muevt_20240612_081500.mjpg");

    const auto manual = parseRecordingName("muevt_20241231_235959.mov");
    ASSERT_TRUE(manual);
    EXPECT_EQ(manual->kind, RecordingKind::Manual);
    EXPECT_EQ(manual->start, (CivilTime{2024, 12, 31, 23, 59, 59}));
    EXPECT_EQ(manual->extension, ".mov");
    for (const char* bad : {"drf_2024061_081500.mov", "evt_20241312_081500.mov", "drf_20240612-081500.mov",
                            "xyz_20240612_081500.mov", "drf_20240612_081500"})
        EXPECT_FALSE(parseRecordingName(bad)) << bad;
}

TEST(SpeedCaptionTest, SetsTheCaptionAtEachEntryMoment) {
    // 2/3 s is written 0.6666: rounding up to 0.6667 would miss the frame at 0.66667 s.
    const std::vector<double> times{0.0, 2.0 / 3};
    const std::vector<double> speeds{0.2, 45.6};
    EXPECT_EQ(speedCaptionScript(times, speeds),
              "0.0000 drawtext@speed reinit text='SPEED 000 km/h';\n"
              "0.6666 drawtext@speed reinit text='SPEED 046 km/h';\n");
    // Option level escapes ':' and the quote; the graph level then escapes the backslashes and the quote.
    EXPECT_EQ(escapeFilterValue("/a:b/it's"), R"(/a\\:b/it\\\'s)");
}

MakeCommand parseMake(std::vector<std::string> args) {
    return std::get<MakeCommand>(parseCommandLine(args));
}

TEST(CommandLineTest, OutputNameSuppliesKindStartAndVariantUnlessOptionsSayOtherwise) {
    const MakeCommand fromName = parseMake({"cards/evt_20240101_120000.mov"});
    EXPECT_EQ(fromName.output, "cards/evt_20240101_120000.mov");
    EXPECT_EQ(fromName.options.kind, RecordingKind::Event);
    EXPECT_EQ(fromName.options.start, (CivilTime{2024, 1, 1, 12, 0, 0}));
    EXPECT_EQ(fromName.options.eventCount(), 1);

    const MakeCommand overridden = parseMake({"--kind", "normal", "--start=2024-06-12 09:00:00", "evt_20240101_120000.mov"});
    EXPECT_EQ(overridden.options.kind, RecordingKind::Normal);
    EXPECT_EQ(overridden.options.start.hour, 9);
    EXPECT_EQ(overridden.options.eventCount(), 0);

    EXPECT_EQ(parseMake({"--kind", "manual", "--start", "2024-06-12 09:00:00", "out/"}).output,
              "out/muevt_20240612_090000.mov");
    EXPECT_EQ(parseMake({"--mjpg", "out/"}).output, "out/drf_20240612_081500.mjpg");
    EXPECT_TRUE(parseMake({"clip.mjpg"}).options.pictureOnly);
    EXPECT_EQ(parseMake({}).output, "drf_20240612_081500.mov");
}

TEST(CommandLineTest, ReadsEveryValueOption) {
    const RecordingOptions o = parseMake({"--scrambled", "0x1A2B3C4D", "--size", "320x180", "--codec", "h265",
                                          "--no-audio", "--time-tag", "RTCD", "--events", "3", "--length=5",
                                          "--rate", "25", "--seed", "99", "--lat", "-33.9", "--lon", "18.4",
                                          "--utc-offset", "8", "--route-offset", "42", "x.mov"})
                                   .options;
    EXPECT_EQ(o.scrambleKey, 0x1A2B3C4Du);
    EXPECT_EQ(o.width, 320);
    EXPECT_EQ(o.height, 180);
    EXPECT_EQ(o.codec, VideoCodec::H265);
    EXPECT_FALSE(o.audio);
    EXPECT_EQ(o.timeTag, entry::kClockTag);
    EXPECT_EQ(o.eventCount(), 3);
    EXPECT_EQ(o.frameCount(), 125);
    EXPECT_EQ(o.drive.seed, 99u);
    EXPECT_DOUBLE_EQ(o.drive.startLatitudeDeg, -33.9);
    EXPECT_DOUBLE_EQ(o.utcOffsetHours, 8);
    EXPECT_DOUBLE_EQ(o.routeOffsetS, 42);

    const CardOptions card = std::get<CardCommand>(parseCommandLine({"card", "sd", "--count-each", "2",
                                                                     "--minutes-each", "0.5", "--force"}))
                                 .options;
    EXPECT_EQ(card.folder, "sd");
    EXPECT_EQ(card.normalCount + card.eventCount + card.manualCount, 6);
    EXPECT_EQ(card.base.lengthS, 30);
    EXPECT_EQ(card.base.preset, "ultrafast");
    EXPECT_TRUE(card.force);
    EXPECT_TRUE(std::holds_alternative<HelpCommand>(parseCommandLine({"card", "--help"})));
}

TEST(CommandLineTest, RejectsWhatItCannotMean) {
    const std::vector<std::vector<std::string>> bad{
        {"--bogus"},           {"--length"},        {"--codec", "vp9"},       {"--size", "320"},
        {"--scrambled", "zz"}, {"--kind", "other"}, {"--start", "yesterday"}, {"--no-audio=1"},
        {"a.mov", "b.mov"},    {"--force"},         {"card"},                 {"card", "sd", "--events", "2"},
        {"card", "sd", "--mjpg"}, {"dump"},
    };
    for (const auto& args : bad) {
        SCOPED_TRACE(args.front());
        EXPECT_THROW(parseCommandLine(args), UsageError);
    }
}

}  // namespace
}  // namespace kyvo::recgen
