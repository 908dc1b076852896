// The drive read from recordings: sentences decoded into fixes, void and zero
// fixes left out, telemetry boxes walked safely, unreadable files reported.
#include "DemoTrack.h"

#include "BoxReader.h"
#include "BoxWriter.h"
#include "ByteOrder.h"
#include "Nmea.h"
#include "RecordingMaker.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace kyvo::mapdemo {
namespace {

using recgen::Bytes;

constexpr double kCoordinateTolerance = 1e-6;

// A plain recording without a movie: an "ftyp" box, then `boxes`.
Bytes recordingBytes(const Bytes& boxes) {
    Bytes out(16, 0);
    recgen::storeBe32(std::span(out).first<4>(), 16);
    const std::string ftyp = "ftypqt  ";
    std::copy(ftyp.begin(), ftyp.end(), out.begin() + 4);
    out.insert(out.end(), boxes.begin(), boxes.end());
    return out;
}

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

recgen::TelemetryEntry entryWith(const std::string& sentence) {
    return {recgen::entry::kTimeTag, 0, sentence, {0, 0, 1}};
}

struct SentenceCase {
    const char* name;
    const char* sentence;
    std::optional<TrackPoint> expected; // only the fields checked below
};

TEST(DemoTrack, SentencesGiveFixesAndVoidOrZeroFixesGiveNone) {
    const SentenceCase cases[] = {
        {"north east", "$GPRMC,081530.250,A,2503.5000,N,12133.8400,E,022.4,084.4,120624,,,A*00",
         TrackPoint{121.564, 25.058333333, 84.4, 20240612, 8, 15, 30, 0}},
        {"south west", "$GPRMC,235959,A,3351.0000,S,15112.6000,W,0,270.0,311299,,,A*00",
         TrackPoint{-151.21, -33.85, 270.0, 19991231, 23, 59, 59, 0}},
        {"no date or time", "$GPRMC,,A,2503.5000,N,12133.8400,E,0,10.0,,,,A",
         TrackPoint{121.564, 25.058333333, 10.0, 0, 0, 0, 0, 0}},
        {"impossible date", "$GPRMC,081530,A,2503.5000,N,12133.8400,E,0,10.0,310224,,,A",
         TrackPoint{121.564, 25.058333333, 10.0, 0, 8, 15, 30, 0}},
        {"void", "$GPRMC,081530.000,V,2503.5000,N,12133.8400,E,022.4,084.4,120624,,,N*00", std::nullopt},
        {"zero latitude", "$GPRMC,081530.000,A,0000.0000,N,12133.8400,E,0,0,120624,,,A", std::nullopt},
        {"zero longitude", "$GPRMC,081530.000,A,2503.5000,N,00000.0000,E,0,0,120624,,,A", std::nullopt},
    };
    for (const SentenceCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<TrackPoint> point = trackPointFromRmc(c.sentence);
        ASSERT_EQ(point.has_value(), c.expected.has_value());
        if (!point)
            continue;
        EXPECT_NEAR(point->longitude, c.expected->longitude, kCoordinateTolerance);
        EXPECT_NEAR(point->latitude, c.expected->latitude, kCoordinateTolerance);
        EXPECT_DOUBLE_EQ(point->course, c.expected->course);
        EXPECT_EQ(point->date, c.expected->date);
        EXPECT_EQ(point->hour, c.expected->hour);
        EXPECT_EQ(point->minute, c.expected->minute);
        EXPECT_EQ(point->second, c.expected->second);
    }
}

TEST(DemoTrack, ClockRunsAcrossMidnightAndKeepsFractions) {
    const auto before = trackPointFromRmc("$GPRMC,235959.500,A,2503.5,N,12133.84,E,0,0,311224,,,A");
    const auto after = trackPointFromRmc("$GPRMC,000000.250,A,2503.5,N,12133.84,E,0,0,010125,,,A");
    ASSERT_TRUE(before && after);
    EXPECT_DOUBLE_EQ(after->clock - before->clock, 0.75);
    EXPECT_EQ(after->date, 20250101);
}

TEST(DemoTrack, TelemetryBoxKeepsValidFixesInOrderAndStaysInsideTheBox) {
    const std::string a = "$GPRMC,081500.000,A,2503.4980,N,12133.8400,E,014.1,204.0,120624,,,A*6C";
    const std::string b = "$GPRMC,081500.333,A,2503.4968,N,12133.8394,E,015.3,204.0,120624,,,A*60";
    const std::string voidFix = "$GPRMC,081500.667,V,2503.4968,N,12133.8394,E,015.3,204.0,120624,,,N*60";
    const std::string c = "$GPRMC,081501.000,A,2503.4940,N,12133.8380,E,017.5,205.0,120624,,,A*69";
    std::vector<recgen::TelemetryEntry> entries{entryWith(a), entryWith(voidFix), entryWith(b), entryWith(c),
                                                entryWith(a)};
    Bytes box = recgen::encodeUdatBox(entries);

    std::vector<TrackPoint> points = trackFromTelemetry(box);
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[1].second, 0);
    EXPECT_DOUBLE_EQ(points[2].course, 205.0);
    EXPECT_DOUBLE_EQ(points[2].clock - points[0].clock, 1.0);

    // An entry without its GPS tag is not read.
    const std::size_t third = recgen::box::kHeaderSize + 2 * recgen::entry::kSize;
    Bytes untagged = box;
    untagged[third + recgen::entry::kGpsTagOffset] = 'X';
    EXPECT_EQ(trackFromTelemetry(untagged).size(), 3u);

    // The box's declared size ends the walk, whatever follows it in the copy;
    // a copy shorter than the declared size ends it at the last whole entry.
    Bytes declaredShort = box;
    recgen::storeBe32(std::span(declaredShort).first<4>(),
                      static_cast<std::uint32_t>(recgen::box::kHeaderSize + 2 * recgen::entry::kSize));
    EXPECT_EQ(trackFromTelemetry(declaredShort).size(), 1u);
    const std::size_t fourth = third + recgen::entry::kSize;
    Bytes cut(box.begin(), box.begin() + static_cast<std::ptrdiff_t>(fourth + recgen::entry::kSize - 1));
    EXPECT_EQ(trackFromTelemetry(cut).size(), 2u);
    EXPECT_TRUE(trackFromTelemetry(Bytes(box.begin(), box.begin() + 4)).empty());

    // A sentence that fills its whole field without a NUL stays inside it.
    Bytes unterminated = box;
    std::fill_n(unterminated.begin() + recgen::box::kHeaderSize + recgen::entry::kSentenceOffset,
                recgen::entry::kSentenceCapacity, 'A');
    EXPECT_EQ(trackFromTelemetry(unterminated).size(), 3u);
}

TEST(DemoTrack, UnreadableRecordingsAreReportedWithTheirName) {
    test::TempFolder folder("mapdemotrack");
    const auto movieOnly = folder / "movieonly.mov";
    writeFile(movieOnly, recordingBytes({}));

    struct Case {
        std::filesystem::path path;
        const char* reason;
    };
    const Case cases[] = {
        {folder / "missing.mov", "no such file"},
        {folder.path(), "folder"},
        {movieOnly, "no GPS telemetry"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.string());
        const RecordingTrack track = readRecordingTrack(c.path.string());
        EXPECT_FALSE(track.ok());
        EXPECT_NE(track.error.find(c.path.string()), std::string::npos) << track.error;
        EXPECT_NE(track.error.find(c.reason), std::string::npos) << track.error;
    }

    const auto plain = folder / "plain.mov";
    writeFile(plain, recordingBytes(recgen::encodeUdatBox(std::vector{entryWith(
                         "$GPRMC,081500.000,A,2503.4980,N,12133.8400,E,014.1,204.0,120624,,,A*6C")})));
    const RecordingTrack track = readRecordingTrack(plain.string());
    EXPECT_TRUE(track.ok()) << track.error;
    EXPECT_EQ(track.points.size(), 1u);
}

TEST(DemoTrack, RecgenRecordingGivesEveryValidFixWithItsTime) {
    test::TempFolder folder("mapdemorec");
    recgen::RecordingOptions options;
    // Long enough for the drive's first GPS outage (it starts 6 to 14 s in).
    options.lengthS = 18;
    options.width = 128;
    options.height = 72;
    options.audio = false;
    options.preset = "ultrafast";
    const auto file = folder / options.fileName();
    recgen::makeRecording(options, file);

    const recgen::FileSource source(file);
    const recgen::RecordingContents contents = recgen::readRecording(source);
    ASSERT_TRUE(contents.telemetry);
    std::vector<recgen::RmcFix> valid;
    for (const recgen::TelemetryEntry& entry : contents.telemetry->entries) {
        const auto fix = recgen::parseRmc(entry.sentence);
        ASSERT_TRUE(fix) << entry.sentence;
        if (fix->valid)
            valid.push_back(*fix);
    }
    ASSERT_LT(valid.size(), contents.telemetry->entries.size()) << "the drive has a GPS outage";

    const RecordingTrack track = readRecordingTrack(file.string());
    ASSERT_TRUE(track.ok()) << track.error;
    ASSERT_EQ(track.points.size(), valid.size());
    for (std::size_t i = 0; i < valid.size(); ++i) {
        SCOPED_TRACE(i);
        const recgen::RmcFix& fix = valid[i];
        const TrackPoint& point = track.points[i];
        // The sentence holds 1/10000 minute.
        EXPECT_NEAR(point.longitude, fix.longitudeDeg, 1e-5);
        EXPECT_NEAR(point.latitude, fix.latitudeDeg, 1e-5);
        EXPECT_NEAR(point.course, fix.courseDeg, 0.05);
        EXPECT_EQ(point.date, fix.year * 10000 + fix.month * 100 + fix.day);
        const std::uint32_t whole = fix.millisOfDay / 1000;
        EXPECT_EQ(point.hour * 3600 + point.minute * 60 + point.second, static_cast<int>(whole));
        if (i > 0) {
            EXPECT_NEAR(point.clock - track.points[i - 1].clock,
                        (fix.millisOfDay - valid[i - 1].millisOfDay) / 1000.0, 1e-3);
        }
    }

    // The record sent to the map window for the first fix.
    const cartoframe::TGisPosition record = toPositionRecord(track.points.front());
    EXPECT_EQ(record.add, 1);
    EXPECT_FLOAT_EQ(record.longitude, static_cast<float>(track.points.front().longitude));
    EXPECT_FLOAT_EQ(record.heading, static_cast<float>(track.points.front().course));
    EXPECT_EQ(record.date, 20240612);
    EXPECT_EQ(record.hour, 8);
    EXPECT_EQ(record.minute, 15);
    EXPECT_EQ(clearTrackRecord().add, 0);
}

} // namespace
} // namespace kyvo::mapdemo
