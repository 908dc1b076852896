// The track of a recording: built telemetry boxes (valid, void, damaged, cut
// short, scrambled) and a real recording made by recgen, and the track call.
#include "TrackData.h"

#include "BoxReader.h"
#include "BoxWriter.h"
#include "ByteOrder.h"
#include "Nmea.h"
#include "RecordingMaker.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace kyvo::map {
namespace {

using recgen::Bytes;

std::string rmc(double lat, double lon, double course, bool valid = true) {
    recgen::RmcFix fix;
    fix.millisOfDay = 8 * 3600 * 1000;
    fix.valid = valid;
    fix.latitudeDeg = lat;
    fix.longitudeDeg = lon;
    fix.courseDeg = course;
    fix.day = 12;
    fix.month = 6;
    fix.year = 2024;
    return recgen::formatRmc(fix);
}

recgen::TelemetryEntry entryOf(std::string sentence) {
    return {recgen::entry::kTimeTag, 0, std::move(sentence), {0, 0, 1}};
}

Bytes box(std::string_view type, std::size_t payload) {
    Bytes out(recgen::box::kHeaderSize + payload, 0);
    recgen::storeBe32(std::span(out).first<4>(), static_cast<std::uint32_t>(out.size()));
    std::copy(type.begin(), type.end(), out.begin() + recgen::box::kTypeOffset);
    return out;
}

// ftyp, a small mdat, the udat box of `entries`, then whatever `after` holds.
Bytes recording(const std::vector<recgen::TelemetryEntry>& entries, const Bytes& after = {}) {
    Bytes out = box("ftyp", 8);
    const Bytes mdat = box("mdat", 100);
    out.insert(out.end(), mdat.begin(), mdat.end());
    const Bytes udat = recgen::encodeUdatBox(entries);
    out.insert(out.end(), udat.begin(), udat.end());
    out.insert(out.end(), after.begin(), after.end());
    return out;
}

// Entry 0 is never shown in playback, so it is never part of a track.
const std::vector<recgen::TelemetryEntry> kEntries = {
    entryOf(rmc(10, 10, 0)),
    entryOf(rmc(25.5, 121.25, 84.5)),
    entryOf(rmc(25.5, 121.25, 84.5, false)), // void: the receiver holds its last position
    entryOf(rmc(-33.75, -151.5, 270)),
    entryOf("$GPRMC,080000.000,A,0000.0000,N,00000.0000,E,000.0,000.0,120624,,,A*00"), // nothing found yet
    entryOf("$GPGGA,080000.000,2530.0000,N,12115.0000,E,1,08,0.9,10.0,M,,M,,*00"),
    entryOf(rmc(-33.75, -151.5, 270)), // the car stands: kept, one point per entry
    entryOf(rmc(0.5, -0.25, 359.9)),
};
const std::vector<TrackPoint> kTrack = {
    {25.5, 121.25, 84.5}, {-33.75, -151.5, 270}, {-33.75, -151.5, 270}, {0.5, -0.25, 359.9}};

void expectTrack(const std::vector<TrackPoint>& actual, const std::vector<TrackPoint>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(actual[i].latitude, expected[i].latitude, 1e-9);
        EXPECT_NEAR(actual[i].longitude, expected[i].longitude, 1e-9);
        EXPECT_NEAR(actual[i].course, expected[i].course, 1e-9);
    }
}

TEST(ReadTrackTest, EveryValidFixAfterTheFirstEntryInOrder) {
    const Bytes file = recording(kEntries);
    expectTrack(readTrack(file), kTrack);
}

TEST(ReadTrackTest, DamagedEntriesAddNothingNotEvenTheLastGoodFix) {
    Bytes file = recording(kEntries);
    const std::size_t udat = file.size() - recgen::encodeUdatBox(kEntries).size();
    const auto damage = [&](std::size_t entry, std::size_t field, const char* tag) {
        std::memcpy(file.data() + udat + recgen::box::kHeaderSize + entry * recgen::entry::kSize + field, tag, 4);
    };
    damage(3, recgen::entry::kTimeTagOffset, "TIMX");
    damage(6, recgen::entry::kGpsTagOffset, "GPSX");
    damage(7, recgen::entry::kSensorTagOffset, "SENx"); // playback still takes its GPS record
    expectTrack(readTrack(file), {kTrack[0], kTrack[3]});
}

TEST(ReadTrackTest, EndsWhereTheBoxSaysItEnds) {
    const std::string texts[] = {"2024/06/12 08:15:05 G-sensor event"};
    // An event box after the telemetry is not read as entries.
    expectTrack(readTrack(recording(kEntries, recgen::encodeEventBox(texts))), kTrack);
    // A box that declares fewer entries than the bytes after it hold.
    Bytes file = recording(kEntries);
    const std::size_t udat = file.size() - recgen::encodeUdatBox(kEntries).size();
    recgen::storeBe32(std::span(file).subspan(udat).first<4>(),
                      static_cast<std::uint32_t>(recgen::box::kHeaderSize + 4 * recgen::entry::kSize));
    expectTrack(readTrack(file), {kTrack[0], kTrack[1]});
}

TEST(ReadTrackTest, NoTelemetryGivesAnEmptyTrack) {
    EXPECT_TRUE(readTrack({}).empty());
    Bytes noBox = box("ftyp", 8);
    const Bytes mdat = box("mdat", 1000);
    noBox.insert(noBox.end(), mdat.begin(), mdat.end());
    EXPECT_TRUE(readTrack(noBox).empty());
    EXPECT_TRUE(readTrack(recording({})).empty());
    EXPECT_TRUE(readTrack(Bytes(5000, 0xA5)).empty());
    Bytes toEnd = recording(kEntries); // size word 0: playback shows no positions from it
    recgen::storeBe32(std::span(toEnd).subspan(toEnd.size() - recgen::encodeUdatBox(kEntries).size()).first<4>(), 0);
    EXPECT_TRUE(readTrack(toEnd).empty());
}

TEST(ReadTrackTest, ACutRecordingGivesTheFixesBeforeTheCut) {
    const Bytes file = recording(kEntries);
    const std::vector<TrackPoint> whole = readTrack(file);
    ASSERT_EQ(whole.size(), kTrack.size());
    std::size_t previous = 0;
    for (std::size_t length = 0; length <= file.size(); ++length) {
        const std::vector<TrackPoint> cut = readTrack(std::span(file).first(length));
        ASSERT_LE(cut.size(), whole.size()) << length;
        ASSERT_TRUE(std::equal(cut.begin(), cut.end(), whole.begin())) << length;
        ASSERT_GE(cut.size(), previous) << length;
        previous = cut.size();
    }
    EXPECT_EQ(previous, whole.size());
}

TEST(ReadTrackTest, ScrambledRecordingsNeedTheirModeAndKey) {
    constexpr std::uint32_t kKey = 0x5A17C0DE;
    Bytes file = recording(kEntries);
    recgen::scrambleHeader(file, kKey);
    expectTrack(readTrack(file, player::ViewMode::Encrypted, kKey), kTrack);
    EXPECT_TRUE(readTrack(file).empty());
}

TEST(ReadTrackTest, RecgenRecordingGivesEachValidFixItWrote) {
    test::TempFolder folder("kyvomaptrack");
    recgen::RecordingOptions options;
    options.lengthS = 20; // long enough for the drive's first loss of the GPS fix
    options.width = 128;
    options.height = 72;
    options.audio = false;
    options.preset = "ultrafast";
    const auto path = folder.path() / options.fileName();
    const recgen::RecordingReport report = recgen::makeRecording(options, path);

    const recgen::RecordingContents contents = recgen::readRecording(recgen::FileSource(path));
    ASSERT_TRUE(contents.telemetry);
    const auto& entries = contents.telemetry->entries;
    ASSERT_EQ(static_cast<int>(entries.size()), report.entries);
    std::vector<TrackPoint> expected;
    for (std::size_t k = 1; k < entries.size(); ++k) {
        const auto fix = recgen::parseRmc(entries[k].sentence);
        ASSERT_TRUE(fix) << entries[k].sentence;
        if (fix->valid && fix->latitudeDeg != 0 && fix->longitudeDeg != 0)
            expected.push_back({fix->latitudeDeg, fix->longitudeDeg, fix->courseDeg});
    }
    ASSERT_LT(expected.size() + 1, entries.size()) << "the recording should hold void fixes";
    ASSERT_GT(expected.size(), entries.size() / 2);

    const std::vector<TrackPoint> track = readTrackFile(path);
    // parseRmc gives the rounded values of the sentence as readTrack does.
    ASSERT_EQ(track.size(), expected.size());
    for (std::size_t i = 0; i < track.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(track[i].latitude, expected[i].latitude, 1e-6);
        EXPECT_NEAR(track[i].longitude, expected[i].longitude, 1e-6);
        EXPECT_NEAR(track[i].course, expected[i].course, 1e-6);
    }

    std::ifstream in(path, std::ios::binary);
    const Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(readTrack(bytes), track);
    EXPECT_TRUE(readTrackFile(folder.path() / "missing.mov").empty());
    EXPECT_TRUE(readTrackFile(folder.path()).empty());
}

TEST(TrackCallTextTest, PointsAsNestedPairs) {
    EXPECT_EQ(trackCallText({}), "setTrack([])");
    EXPECT_EQ(trackCallText({{25.5, 121.25, 84}, {-33.8688, -151.2093004, 0}}),
              "setTrack([[25.500000,121.250000],[-33.868800,-151.209300]])");
}

TEST(TrackCallTextTest, LeavesOutPointsThatAreNoPosition) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(trackCallText({{kNaN, 1, 0}, {1, 2, 0}, {1, kInf, 0}, {91, 0, 0}, {0, -180.5, 0}, {3, 4, kNaN}}),
              "setTrack([[1.000000,2.000000],[3.000000,4.000000]])");
    EXPECT_EQ(trackCallText({{kNaN, kNaN, 0}}), "setTrack([])");
}

} // namespace
} // namespace kyvo::map
