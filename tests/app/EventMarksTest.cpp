#include "EventMarks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace kyvo::app;

namespace {

using Bytes = std::vector<std::uint8_t>;

EventRecord record(std::string_view text) {
    EventRecord r;
    std::copy(text.begin(), text.end(), r.bytes.begin());
    return r;
}

std::string textOf(const EventRecord& r) { return r.bytes.data(); }

// `lead` filler bytes, then an EVTI box that claims `claimed` records and
// holds `texts` as records, then `tail` filler bytes.
Bytes recording(std::size_t lead, std::size_t claimed, const std::vector<std::string>& texts, std::size_t tail = 0) {
    Bytes out(lead, 0x5A);
    const auto size = static_cast<std::uint32_t>(8 + claimed * 256);
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(size >> shift));
    out.insert(out.end(), {'E', 'V', 'T', 'I'});
    for (const std::string& t : texts) {
        const EventRecord r = record(t);
        out.insert(out.end(), r.bytes.begin(), r.bytes.end());
    }
    out.insert(out.end(), tail, 0x5A);
    return out;
}

std::vector<std::string> texts(const std::vector<EventRecord>& records) {
    std::vector<std::string> out;
    for (const EventRecord& r : records)
        out.push_back(textOf(r));
    return out;
}

const std::vector<std::string> kTwo{"2011/01/04 12:01:30 G", "2011/01/04 12:02:00 G"};

} // namespace

TEST(EventBox, FoundOnlyAtFourByteBoundaries) {
    EXPECT_EQ(texts(readEventMarks(recording(12, 2, kTwo))), kTwo);
    EXPECT_TRUE(readEventMarks(recording(14, 2, kTwo)).empty());
    // Only the first box counts.
    Bytes two = recording(4, 1, {"first"});
    const Bytes second = recording(0, 1, {"second"});
    two.insert(two.end(), second.begin(), second.end());
    EXPECT_EQ(texts(readEventMarks(two)), std::vector<std::string>{"first"});
}

TEST(EventBox, RecordCountKeptInsideTheFile) {
    EXPECT_EQ(readEventMarks(recording(8, 5, kTwo, 100)).size(), 2u);   // claims 5, holds 2 and a part
    EXPECT_EQ(readEventMarks(recording(8, 1, kTwo)).size(), 1u);         // claims fewer than it holds
    Bytes tiny = recording(8, 0, {});
    tiny[11] = 4;   // a size below the header's
    EXPECT_TRUE(readEventMarks(tiny).empty());
}

TEST(EventBox, FileReadInChunksMatchesTheWholeFile) {
    const std::string path = ::testing::TempDir() + "evt_chunks_" + std::to_string(::getpid()) + ".mov";
    for (std::size_t lead : {0u, 4u, 8u, 12u, 16u, 20u, 28u, 30u}) {
        for (const Bytes& file : {recording(lead, 2, kTwo), recording(lead, 9, kTwo, 17)}) {
            std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                          static_cast<std::streamsize>(file.size()));
            const auto whole = texts(readEventMarks(file));
            for (std::size_t chunk : {4u, 8u, 12u, 16u, 1024u})
                EXPECT_EQ(texts(readEventMarksFromFile(path, chunk)), whole) << lead << " " << chunk;
        }
    }
    std::remove(path.c_str());
    EXPECT_TRUE(readEventMarksFromFile(path).empty());
}

TEST(EventTimes, StartTimeFromThePath) {
    EXPECT_EQ(startTimeOf(u"/card/evt_20110104_123456.mov"), 123456);
    EXPECT_EQ(startTimeOf(u"/card/evt_20110104_12345"), -1);
    EXPECT_EQ(startTimeOf(u"/card/evt_20110104_12x456.mov"), -1);
    // The first "_" of the whole path counts: a folder with "_" usually gives
    // no start time (no marks), or a wrong one when digits stand in the place.
    EXPECT_EQ(startTimeOf(u"/media/my_sdcard/evt_20110104_123456.mov"), -1);
    EXPECT_EQ(startTimeOf(u"/media/my_card/evt_20110104_123456.mov"), 201101);
}

TEST(EventTimes, RecordTexts) {
    EXPECT_EQ(eventTimeOf(record("2011/01/04 12:35:07 impact")), 123507);
    EXPECT_EQ(eventTimeOf(record("no slash at all")), -1);
    EXPECT_EQ(eventTimeOf(record("2011/0104 12:35:07")), -1);
    EXPECT_EQ(eventTimeOf(record("2011/01/04 12:35:0")), -1);
    EXPECT_EQ(eventTimeOf(record("2011/01/04 12:3a:07")), -1);
    // The time must lie within the 128 bytes after the first "/".
    EXPECT_EQ(eventTimeOf(record("x/" + std::string(116, 'y') + "/04 12:35:07")), 123507);
    EXPECT_EQ(eventTimeOf(record("x/" + std::string(117, 'y') + "/04 12:35:07")), -1);
    EventRecord unterminated;
    unterminated.bytes.fill('/');
    EXPECT_EQ(eventTimeOf(unterminated), -1);
    EXPECT_EQ(secondsOfDay(123456), 12 * 3600 + 34 * 60 + 56);
}

TEST(EventTimes, MarkPositions) {
    const std::vector<EventRecord> records{
        record("2011/01/04 12:00:00 at the start"), record("2011/01/04 12:01:30 90 s in"),
        record("broken"),                            record("2011/01/04 12:00:40 40 s in"),
        record("2011/01/04 11:59:59 before"),        record("2011/01/04 12:02:00 after the stop")};
    EXPECT_EQ(markPositions(records, 120000, 180), (std::vector<int>{224, 124}));
    EXPECT_TRUE(markPositions(records, 120000, 0).empty());
    EXPECT_TRUE(markPositions(records, -1, 180).empty());
    // Differences are taken in seconds, not as hhmmss numbers (115958 -> 120100 is 62 s).
    EXPECT_EQ(markPositions({record("2011/01/04 12:01:00 x")}, 115958, 360), std::vector<int>{106});
}
