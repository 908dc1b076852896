// Sentences read strictly, recordings joined into trips, the GPS check's
// counts, and kyvo-trip against a folder that holds a file it cannot read.

#include "RecordingFixes.h"
#include "RecordingMaker.h"
#include "RmcSentence.h"
#include "TempFolder.h"
#include "TripCheck.h"
#include "TripCommand.h"
#include "TripStitch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace kyvo::trip {
namespace {

// The sentence with its checksum appended.
std::string sentence(const std::string& body) {
    std::uint8_t sum = 0;
    for (const char c : body.substr(1))
        sum ^= static_cast<std::uint8_t>(c);
    char text[8];
    std::snprintf(text, sizeof text, "*%02X", sum);
    return body + text;
}

TEST(RmcSentenceTest, FixesReadOnlyWithTheirChecksumAndWellFormedFields) {
    RmcReading r = readRmcSentence(sentence("$GPRMC,235959.500,A,3352.1288,S,07040.1559,W,010.0,359.9,291224,,,A"));
    ASSERT_EQ(r.status, SentenceStatus::Fix);
    EXPECT_TRUE(r.valid);
    EXPECT_NEAR(r.latitude, -(33 + 52.1288 / 60), 1e-9);
    EXPECT_NEAR(r.longitude, -(70 + 40.1559 / 60), 1e-9);
    EXPECT_NEAR(r.speedKmh, 18.52, 1e-9);
    EXPECT_DOUBLE_EQ(r.utcSeconds, 1735516799.5); // 2024-12-29 23:59:59.5 UTC

    r = readRmcSentence(sentence("$GNRMC,000000,V,0000.0000,N,00000.0000,E,,,010100,,,N"));
    EXPECT_EQ(r.status, SentenceStatus::Fix);
    EXPECT_FALSE(r.valid) << "a void fix keeps its time";
    EXPECT_DOUBLE_EQ(r.utcSeconds, 946684800.0);

    const std::string good = sentence("$GPRMC,081500.000,A,2503.4980,N,12133.8400,E,014.1,204.0,120624,,,A");
    std::string flipped = good;
    flipped[20] = '9';
    const struct Case {
        std::string text;
        SentenceStatus status;
    } cases[] = {
        {"", SentenceStatus::NotRmc},
        {sentence("$GPGGA,081500,2503.4980,N,12133.8400,E,1,08,0.9,10.0,M,,,,"), SentenceStatus::NotRmc},
        {flipped, SentenceStatus::BadChecksum},
        {good.substr(0, good.size() - 3), SentenceStatus::BadChecksum},
        {good.substr(0, good.size() - 1), SentenceStatus::BadChecksum},
        {sentence("$GPRMC,081500.000,A,2560.0000,N,12133.8400,E,014.1,204.0,120624,,,A"), SentenceStatus::Malformed},
        {sentence("$GPRMC,081500.000,A,9100.0000,N,12133.8400,E,014.1,204.0,120624,,,A"), SentenceStatus::Malformed},
        {sentence("$GPRMC,081500.000,X,2503.4980,N,12133.8400,E,014.1,204.0,120624,,,A"), SentenceStatus::Malformed},
        {sentence("$GPRMC,081500.000,A,2503.4980,Q,12133.8400,E,014.1,204.0,120624,,,A"), SentenceStatus::Malformed},
        {sentence("$GPRMC,081500.000,A,2503.4980,N,12133.8400,E,-14.1,204.0,120624,,,A"), SentenceStatus::Malformed},
        {sentence("$GPRMC,081500.000,A,2503.4980,N,12133.8400,E,014.1,204.0,321324,,,A"), SentenceStatus::Malformed},
        {sentence("$GPRMC,081500.000,A,2503.4980,N"), SentenceStatus::Malformed},
        {sentence("$GPRMC,8150,A,2503.4980,N,12133.8400,E,014.1,204.0,120624,,,A"), SentenceStatus::Malformed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(readRmcSentence(c.text).status, c.status);
    }
}

Fix fixAt(double t, double lat = 25.0, double lon = 121.5, bool valid = true) {
    Fix fix;
    fix.utcSeconds = t;
    fix.latitude = lat;
    fix.longitude = lon;
    fix.valid = valid;
    return fix;
}

// A recording named at `start` (seconds after 2024-06-12 08:00:00) with a fix
// every third of a second for `seconds`.
RecordingInput piece(const char* marker, int start, int seconds) {
    char name[64];
    std::snprintf(name, sizeof name, "/card/%s20240612_08%02d%02d.mov", marker, start / 60, start % 60);
    RecordingInput input;
    input.path = name;
    const auto named = namedStart(input.path);
    EXPECT_TRUE(named);
    input.kind = named->kind;
    input.start = named->start;
    for (int i = 0; i < seconds * 3; ++i)
        input.fixes.push_back(fixAt(named->start + i / 3.0));
    return input;
}

TEST(TripStitchTest, TripsSplitAtGapsAboveTheLimitAndJoinAcrossTheRest) {
    // 0..60, 60..120 (no gap), 125..185 (a gap of exactly 5 s), 191..251 (6 s): two trips.
    std::vector<RecordingInput> pieces{piece("drf_", 191, 60), piece("drf_", 0, 60), piece("drf_", 125, 60),
                                       piece("drf_", 60, 60)};
    std::vector<Trip> trips = stitchTrips(pieces, 5.0);
    ASSERT_EQ(trips.size(), 2u);
    EXPECT_EQ(trips[0].recordings.size(), 3u);
    EXPECT_EQ(trips[0].recordings[0], "/card/drf_20240612_080000.mov") << "ordered by the names' times";
    EXPECT_EQ(trips[1].recordings, std::vector<std::string>{"/card/drf_20240612_080311.mov"});
    EXPECT_EQ(trips[0].fixes.size(), 3u * 180u);
    EXPECT_EQ(trips[0].fixes.back().recording, 2u);
    EXPECT_EQ(stitchTrips(pieces, 6.0).size(), 1u);
    EXPECT_EQ(stitchTrips(pieces, 4.9).size(), 3u);

    // An event cut from the same drive adds nothing the normal pieces hold;
    // the part of it after them counts once.
    std::vector<RecordingInput> withEvent{piece("drf_", 0, 60), piece("evt_", 50, 20)};
    trips = stitchTrips(withEvent, 5.0);
    ASSERT_EQ(trips.size(), 1u);
    EXPECT_EQ(trips[0].fixes.size(), 180u + 30u);
    EXPECT_EQ(namedStart("/x/muevt_20240612_081500.mov")->kind, RecordingKind::ManualEvent);
    EXPECT_FALSE(namedStart("/x/drf_2024061_081500.mov"));
    EXPECT_FALSE(namedStart("/x/notes.txt"));
}

TEST(TripCheckTest, VoidFixesGapsAndImpossibleJumpsAreCounted) {
    std::vector<Fix> fixes{fixAt(0), fixAt(1.0 / 3), fixAt(2.0 / 3, 0, 0, false), fixAt(1), fixAt(4),
                           fixAt(4 + 1.0 / 3, 25.01, 121.5)};
    const Quality q = checkSteps(fixes);
    EXPECT_EQ(q.fixes, 6);
    EXPECT_EQ(q.voidFixes, 1);
    EXPECT_EQ(q.gaps, 1) << "1 s to 4 s";
    EXPECT_EQ(q.jumps, 1) << "1.1 km in a third of a second";
    EXPECT_FALSE(q.clean());
    EXPECT_NEAR(distanceMetres(0, 0, 0, 1), 111195, 1);
    EXPECT_NEAR(distanceMetres(-33.9, -70.7, -33.9, -70.7), 0, 1e-9);
}

TEST(TripCommandTest, AFileThatCannotBeReadIsReportedAndTheRestExported) {
    test::TempFolder dir;
    recgen::RecordingOptions options;
    options.lengthS = 1;
    options.width = 64;
    options.height = 36;
    options.audio = false;
    options.preset = "ultrafast";
    recgen::makeRecording(options, dir.path() / "drf_20240612_081500.mov");
    std::ofstream(dir.path() / "drf_20240612_081501.mov") << "not a recording";
    const std::string out = (dir.path() / "out.csv").string();

    std::ostringstream stdOut;
    std::ostringstream stdErr;
    EXPECT_EQ(runTripCommand({"export", "--format", "csv", "--trips", "-o", out, dir.path().string()}, stdOut, stdErr),
              kExitFound);
    EXPECT_NE(stdErr.str().find("drf_20240612_081501.mov"), std::string::npos) << stdErr.str();
    std::ifstream written(out);
    std::string line;
    int lines = 0;
    while (std::getline(written, line))
        ++lines;
    EXPECT_EQ(lines, 1 + 4) << "the header and the four entries of a one-second recording";
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename().string().find(".part"), std::string::npos) << "no temporary file left";

    std::ostringstream checkOut;
    EXPECT_EQ(runTripCommand({"check", (dir.path() / "drf_20240612_081500.mov").string()}, checkOut, stdErr),
              kExitClean)
        << checkOut.str();
    EXPECT_EQ(runTripCommand({"export", "--format", "shp", "x"}, stdOut, stdErr), kExitBadInput);
    EXPECT_EQ(runTripCommand({"check", (dir.path() / "missing").string()}, stdOut, stdErr), kExitBadInput);
    std::ostringstream help;
    EXPECT_EQ(runTripCommand({"--help"}, help, stdErr), kExitClean);
    EXPECT_NE(help.str().find("kyvo-trip export"), std::string::npos);
}

} // namespace
} // namespace kyvo::trip
