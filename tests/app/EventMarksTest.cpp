#include "EventMarks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <optional>
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

std::vector<std::string> texts(const std::vector<EventRecord>& records) {
    std::vector<std::string> out;
    for (const EventRecord& r : records)
        out.push_back(textOf(r));
    return out;
}

void appendBe32(Bytes& out, std::uint32_t word) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(word >> shift));
}

Bytes payloadOf(const std::vector<std::string>& texts) {
    Bytes out;
    for (const std::string& t : texts) {
        const EventRecord r = record(t);
        out.insert(out.end(), r.bytes.begin(), r.bytes.end());
    }
    return out;
}

// A top-level box: its 32-bit size (or `sizeWord` when given), type, payload.
Bytes box(std::string_view type, const Bytes& payload, std::optional<std::uint32_t> sizeWord = std::nullopt) {
    Bytes out;
    appendBe32(out, sizeWord.value_or(static_cast<std::uint32_t>(8 + payload.size())));
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

// A box with size word 1 and its 64-bit size after the type.
Bytes largeBox(std::string_view type, const Bytes& payload) {
    Bytes out;
    appendBe32(out, 1);
    out.insert(out.end(), type.begin(), type.end());
    appendBe32(out, 0);
    appendBe32(out, static_cast<std::uint32_t>(16 + payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

Bytes join(const std::vector<Bytes>& parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// `lead` filler bytes, then an EVTI box that claims `claimed` records and
// holds `texts` as records, then `tail` filler bytes. The filler breaks the
// box walk, so only the aligned scan can find the box.
Bytes recording(std::size_t lead, std::size_t claimed, const std::vector<std::string>& texts, std::size_t tail = 0) {
    return join({Bytes(lead, 0x5A), box("EVTI", payloadOf(texts), static_cast<std::uint32_t>(8 + claimed * 256)),
                 Bytes(tail, 0x5A)});
}

// Video data holding, at `offset` (a multiple of 4 in the file), a word that
// reads as a fitting box size followed by "EVTI" and a record like an event's.
Bytes videoWithEventType(std::size_t offset, std::size_t length) {
    Bytes out(length, 0x11);
    const Bytes fake = box("EVTI", payloadOf({"1999/09/09 09:09:09 not an event"}));
    std::copy(fake.begin(), fake.end(), out.begin() + static_cast<long>(offset));
    return out;
}

const Bytes kFtyp = box("ftyp", Bytes(12, 'q'));
const std::vector<std::string> kTwo{"2011/01/04 12:01:30 G", "2011/01/04 12:02:00 G"};
const std::vector<std::string> kNone;

// A recording written to a temporary file, removed again at the end.
class TempRecording {
public:
    explicit TempRecording(const Bytes& bytes)
        : path_(::testing::TempDir() + "evt_marks_" + std::to_string(::getpid()) + "_" + std::to_string(++count_) +
                ".mov") {
        std::ofstream(path_, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    ~TempRecording() { std::remove(path_.c_str()); }
    TempRecording(const TempRecording&) = delete;
    TempRecording& operator=(const TempRecording&) = delete;
    const std::string& path() const { return path_; }

private:
    static inline int count_ = 0;
    std::string path_;
};

// The records found in memory; the file reader must find the same at any chunk size.
std::vector<std::string> found(const Bytes& file) {
    const std::vector<std::string> whole = texts(readEventMarks(file));
    const TempRecording temp(file);
    for (std::size_t chunk : {4u, 12u, 64u, 4096u})
        EXPECT_EQ(texts(readEventMarksFromFile(temp.path(), chunk)), whole) << "chunk " << chunk;
    return whole;
}

} // namespace

TEST(EventBox, ScanFindsOnlyTheFirstBoxAtFourByteBoundaries) {
    EXPECT_EQ(found(recording(12, 2, kTwo)), kTwo);
    EXPECT_EQ(found(recording(14, 2, kTwo)), kNone);
    EXPECT_EQ(found(join({recording(4, 1, {"first"}), recording(0, 1, {"second"})})),
              std::vector<std::string>{"first"});
}

TEST(EventBox, WalkStepsOverVideoDataThatHoldsTheType) {
    // "EVTI" with a fitting size word inside mdat, before the real box.
    const Bytes file = join({kFtyp, box("mdat", videoWithEventType(40, 800)), box("moov", Bytes(60, 3)),
                             box("EVTI", payloadOf(kTwo))});
    EXPECT_EQ(found(file), kTwo);
    // The walk steps over boxes with a 64-bit size, and finds a box the
    // aligned scan cannot (at 2 mod 4).
    const Bytes unaligned = join({kFtyp, largeBox("mdat", videoWithEventType(8, 304)), box("free", Bytes(2, 0)),
                                  box("EVTI", payloadOf(kTwo))});
    ASSERT_EQ((unaligned.size() - 8 - 2 * 256) % 4, 2u);
    EXPECT_EQ(found(unaligned), kTwo);
}

TEST(EventBox, WalkBreaksThenTheScanFindsTheBox) {
    // mdat runs to the end of the file (size 0) and so holds the event box.
    EXPECT_EQ(found(join({kFtyp, box("mdat", Bytes(100, 7), 0u), box("EVTI", payloadOf(kTwo))})), kTwo);
    // A scrambled first box: its size word leads past the end of the file.
    Bytes scrambled = join({kFtyp, box("mdat", Bytes(100, 7)), box("EVTI", payloadOf(kTwo))});
    for (std::size_t i = 0; i < 8; ++i)
        scrambled[i] ^= 0xA5;
    EXPECT_EQ(found(scrambled), kTwo);
    // A size below the header.
    EXPECT_EQ(found(join({kFtyp, box("mdat", Bytes(100, 7), 3u), box("EVTI", payloadOf(kTwo))})), kTwo);
}

TEST(EventBox, SizeWordsThatDoNotFitAreNotTaken) {
    const Bytes real = box("EVTI", payloadOf(kTwo));
    const Bytes bad = payloadOf({"2011/01/04 11:00:00 bad"});
    const Bytes gap(12, 0x5A);
    // Huge, below the header, and one byte past the end of the file.
    const auto pastTheEnd = static_cast<std::uint32_t>(8 + bad.size() + gap.size() + real.size() + 1);
    for (const std::uint32_t sizeWord : {0xFFFFFFFFu, 0x7FFFFFF8u, 7u, 4u, 0u, pastTheEnd}) {
        // The scan passes the bad match and takes the real box after it.
        EXPECT_EQ(found(join({Bytes(8, 0x5A), box("EVTI", bad, sizeWord), gap, real})), kTwo) << sizeWord;
        EXPECT_EQ(found(join({Bytes(8, 0x5A), box("EVTI", bad, sizeWord)})), kNone) << sizeWord;
        // Met by the walk, such a box breaks it (size 0 there is a box to the end of the file).
        if (sizeWord != 0) {
            EXPECT_EQ(found(join({kFtyp, box("EVTI", bad, sizeWord), gap})), kNone) << sizeWord;
        }
    }
    // A box claiming five records where the file holds two and a part.
    EXPECT_EQ(found(recording(8, 5, kTwo, 100)), kNone);
    // A box claiming fewer records than follow it holds only those.
    EXPECT_EQ(found(recording(8, 1, kTwo)), std::vector<std::string>{kTwo[0]});
}

TEST(EventBox, BoxAtTheEndOfTheFile) {
    const Bytes movie = join({kFtyp, box("mdat", Bytes(64, 9))});
    EXPECT_EQ(found(join({movie, box("EVTI", payloadOf(kTwo))})), kTwo);
    EXPECT_EQ(found(join({movie, box("EVTI", payloadOf(kTwo), 0u)})), kTwo);   // size 0: to the end
    EXPECT_EQ(found(join({movie, largeBox("EVTI", payloadOf(kTwo))})), kTwo);
    EXPECT_EQ(found(join({movie, box("EVTI", {})})), kNone);
    // A partial record after the whole ones is left out.
    Bytes partial = payloadOf(kTwo);
    partial.resize(partial.size() + 100, 'x');
    EXPECT_EQ(found(join({movie, box("EVTI", partial)})), kTwo);
    // A header cut by the end of the file, and files too short for any box.
    EXPECT_EQ(found(join({movie, Bytes{0, 0, 1, 8, 'E', 'V', 'T'}})), kNone);
    EXPECT_EQ(found({}), kNone);
    EXPECT_EQ(found({'E', 'V', 'T', 'I'}), kNone);
    EXPECT_EQ(found({0, 0, 0, 8, 'E', 'V', 'T', 'I'}), kNone);
}

TEST(EventBox, RecordsAreLimited) {
    const std::vector<std::string> many(kMaxEventRecords + 10, "2011/01/04 12:00:01 x");
    const Bytes file = join({kFtyp, box("EVTI", payloadOf(many))});
    EXPECT_EQ(readEventMarks(file).size(), kMaxEventRecords);
    const TempRecording temp(file);
    EXPECT_EQ(readEventMarksFromFile(temp.path()).size(), kMaxEventRecords);
}

TEST(EventBox, FileReadInChunksMatchesTheWholeFile) {
    for (std::size_t lead : {0u, 4u, 8u, 12u, 16u, 20u, 28u, 30u}) {
        // The walk finds a box at the very start; the scan any box at 0 mod 4.
        const std::vector<std::string>& expected = lead % 4 == 0 ? kTwo : kNone;
        EXPECT_EQ(found(recording(lead, 2, kTwo)), expected) << lead;
        EXPECT_EQ(found(recording(lead, 2, kTwo, 17)), expected) << lead;
    }
    EXPECT_TRUE(readEventMarksFromFile(::testing::TempDir() + "no_such_recording.mov").empty());
    EXPECT_TRUE(readEventMarksFromFile(::testing::TempDir()).empty());   // a folder
}

TEST(EventTimes, StartTimeFromTheFileName) {
    EXPECT_EQ(startTimeOf(u"/card/evt_20110104_123456.mov"), 123456);
    EXPECT_EQ(startTimeOf(u"muevt_20110104_123456.mov"), 123456);
    EXPECT_EQ(startTimeOf(u"/card/evt_20110104_12345"), -1);
    EXPECT_EQ(startTimeOf(u"/card/evt_20110104_12x456.mov"), -1);
    // Folders above the file may hold "_": a FAT card without a label is
    // mounted as NO_NAME, and digits after a folder's "_" are not the time.
    EXPECT_EQ(startTimeOf(u"/media/u/NO_NAME/evt_20110104_123456.mov"), 123456);
    EXPECT_EQ(startTimeOf(u"/media/my_card/evt_20110104_123456.mov"), 123456);
    EXPECT_EQ(startTimeOf(u"/media/rec_2024010112345678/evt_20110104_070809.mov"), 70809);
    EXPECT_EQ(startTimeOf(u"D:\\my_card\\drf_20110104_235959.mov"), 235959);
    // The name itself must hold the time.
    EXPECT_EQ(startTimeOf(u"/media/rec_20240101_123456/recording.mov"), -1);
    EXPECT_EQ(startTimeOf(u"/media/rec_20240101_123456/"), -1);
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
