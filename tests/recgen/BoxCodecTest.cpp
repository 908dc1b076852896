// The box writer and reader on buffers: byte layout, the EVTI alignment, the
// 64-bit and to-the-end sizes, scrambled headers, and damaged input.
#include "BoxReader.h"
#include "BoxWriter.h"
#include "ByteOrder.h"
#include "Random.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kyvo::recgen {
namespace {

const std::string kSentence = "$GPRMC,081530.000,A,2503.5000,N,12133.8400,E,022.4,084.4,120624,,,A*61";

Bytes box(std::string_view type, std::size_t payload, std::uint8_t fill = 0xAB) {
    Bytes out(box::kHeaderSize + payload, fill);
    storeBe32(std::span(out).first<4>(), static_cast<std::uint32_t>(out.size()));
    for (std::size_t i = 0; i < 4; ++i)
        out[4 + i] = static_cast<std::uint8_t>(type[i]);
    return out;
}

std::vector<TelemetryEntry> twoEntries() {
    TelemetryEntry first;
    first.seconds = 0x01020304;
    first.sentence = kSentence;
    first.g = {-0.25f, 0.5f, 1.0f};
    TelemetryEntry second;
    second.timeTag = entry::kClockTag;
    second.seconds = 1;
    second.sentence = "$GPRMC";
    second.g = {2.0f, -2.0f, 0.0f};
    return {first, second};
}

TEST(BoxWriterTest, UdatEntriesSitAtTheirOffsetsWithBigEndianTimeAndLittleEndianFloats) {
    const Bytes udat = encodeUdatBox(twoEntries());
    ASSERT_EQ(udat.size(), 8u + 2 * 156u);
    EXPECT_EQ(Bytes(udat.begin(), udat.begin() + 8), (Bytes{0, 0, 0x01, 0x40, 'u', 'd', 'a', 't'}));
    const std::uint8_t* e = udat.data() + 8;
    EXPECT_EQ(std::string(e, e + 4), "TIME");
    EXPECT_EQ(Bytes(e + 4, e + 8), (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(std::string(e + 8, e + 12), "GPSI");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(e + 12)), kSentence);
    EXPECT_EQ(e[12 + kSentence.size()], 0);
    EXPECT_EQ(e[139], 0);  // zero fill up to the sensor tag
    EXPECT_EQ(std::string(e + 140, e + 144), "SENS");
    EXPECT_EQ(Bytes(e + 144, e + 156), (Bytes{0, 0, 0x80, 0xBE, 0, 0, 0, 0x3F, 0, 0, 0x80, 0x3F}));
    EXPECT_EQ(std::string(e + 156, e + 160), "RTCD");

    const UdatContents decoded = decodeUdatPayload(std::span(udat).subspan(8));
    EXPECT_EQ(decoded.entries, twoEntries());
    EXPECT_EQ(decoded.malformedEntries, 0u);
    EXPECT_EQ(decoded.trailingBytes, 0u);
}

TEST(BoxWriterTest, RefusesTextsThatLeaveNoRoomForTheirNul) {
    TelemetryEntry item;
    item.sentence = std::string(128, 'x');
    EXPECT_THROW(encodeUdatBox(std::vector{item}), std::invalid_argument);
    item.sentence.pop_back();
    EXPECT_NO_THROW(encodeUdatBox(std::vector{item}));
    EXPECT_THROW(encodeEventBox(std::vector{std::string(256, 'e')}), std::invalid_argument);
}

TEST(BoxWriterTest, EventBoxLandsOnA4ByteBoundaryWhateverTheMovieSize) {
    const std::vector<std::string> events{"2024/06/12 08:15:05 G-sensor event", "2024/06/12 08:15:07 manual event"};
    for (std::size_t payload = 100; payload < 104; ++payload) {
        SCOPED_TRACE(payload);
        Bytes file = box("ftyp", 12);
        const Bytes mdat = box("mdat", payload);
        file.insert(file.end(), mdat.begin(), mdat.end());
        const Bytes trailer = encodeTrailer(file.size(), twoEntries(), events);
        file.insert(file.end(), trailer.begin(), trailer.end());

        const BufferSource source(file);
        const RecordingContents contents = readRecording(source);
        ASSERT_TRUE(contents.boxes.complete) << contents.boxes.problem;
        const BoxInfo* evti = contents.boxes.find(box::kEvti);
        ASSERT_NE(evti, nullptr);
        EXPECT_EQ(evti->offset % 4, 0u);
        EXPECT_EQ(scanForEventBox(source), evti->offset);
        const BoxInfo* padding = contents.boxes.find(box::kFree);
        EXPECT_EQ(padding != nullptr, (file.size() - trailer.size() + 8 + 2 * 156) % 4 != 0);
        if (padding) {
            EXPECT_GE(padding->size, 8u);
        }
        ASSERT_TRUE(contents.telemetry);
        EXPECT_EQ(contents.telemetry->entries, twoEntries());
        EXPECT_EQ(contents.events, events);
    }
}

TEST(BoxReaderTest, FollowsLargeSizesAndTheToTheEndSize) {
    Bytes file = box("ftyp", 4);
    Bytes large;
    appendBe32(large, box::kSizeIsLarge);
    large.insert(large.end(), {'m', 'd', 'a', 't', 0, 0, 0, 0, 0, 0, 0, 24});
    large.resize(24, 0x11);
    file.insert(file.end(), large.begin(), large.end());
    Bytes last = box("udat", 2 * 156);
    storeBe32(std::span(last).first<4>(), box::kSizeToEnd);
    file.insert(file.end(), last.begin(), last.end());

    const BoxList list = listBoxes(BufferSource(file));
    ASSERT_TRUE(list.complete) << list.problem;
    ASSERT_EQ(list.boxes.size(), 3u);
    EXPECT_EQ(list.boxes[1].headerSize, 16u);
    EXPECT_EQ(list.boxes[1].size, 24u);
    EXPECT_EQ(list.boxes[2].offset, 36u);
    EXPECT_EQ(list.boxes[2].payloadSize(), 2 * 156u);
}

TEST(BoxReaderTest, StopsAtDamageAndDescribesIt) {
    struct Case {
        const char* name;
        Bytes tail;
    };
    Bytes tooSmall = box("junk", 0);
    tooSmall[3] = 7;
    Bytes pastEnd = box("mdat", 8);
    pastEnd[3] = 200;
    const Bytes cutLarge{0, 0, 0, 1, 'm', 'd', 'a', 't', 0, 0};
    const std::vector<Case> cases{{"size below header", tooSmall},
                                  {"past the end", pastEnd},
                                  {"cut-off 64-bit size", cutLarge},
                                  {"stray bytes", {1, 2, 3}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes file = box("ftyp", 4);
        file.insert(file.end(), c.tail.begin(), c.tail.end());
        const BoxList list = listBoxes(BufferSource(file));
        EXPECT_FALSE(list.complete);
        EXPECT_FALSE(list.problem.empty());
        ASSERT_EQ(list.boxes.size(), 1u);
    }
}

TEST(BoxReaderTest, FlagsMalformedEntriesAndPartialRecords) {
    Bytes payload = encodeUdatBox(twoEntries());
    payload.erase(payload.begin(), payload.begin() + 8);
    payload[8] = 'X';                                      // first entry's GPSI marker
    std::fill(payload.begin() + 156 + 12, payload.begin() + 156 + 140, 'A');  // second sentence unterminated
    payload.insert(payload.end(), 10, 0);
    const UdatContents decoded = decodeUdatPayload(payload);
    EXPECT_EQ(decoded.entries.size(), 2u);
    EXPECT_EQ(decoded.malformedEntries, 2u);
    EXPECT_EQ(decoded.trailingBytes, 10u);
    EXPECT_EQ(decoded.entries[1].sentence.size(), 128u);
    EXPECT_EQ(decodeEventPayload(Bytes(300, 'a')).size(), 1u);
}

// Random and mutated inputs: nothing is read outside the buffer (the
// sanitizer build checks), and every listed box lies inside it.
TEST(BoxReaderTest, SurvivesGarbage) {
    Bytes valid = box("ftyp", 12);
    const Bytes trailer = encodeTrailer(valid.size(), twoEntries(), std::vector<std::string>{"2024/06/12 x"});
    valid.insert(valid.end(), trailer.begin(), trailer.end());
    Random rng(7);
    for (int round = 0; round < 2000; ++round) {
        Bytes bytes = valid;
        if (round % 2 == 0) {
            bytes.resize(rng.next() % 700);
            for (auto& b : bytes)
                b = static_cast<std::uint8_t>(rng.next());
        } else {
            for (int flips = 0; flips < 4; ++flips)
                bytes[rng.next() % bytes.size()] = static_cast<std::uint8_t>(rng.next());
            bytes.resize(rng.next() % (bytes.size() + 1));
        }
        const BufferSource source(bytes);
        const RecordingContents contents = readRecording(source);
        for (const BoxInfo& b : contents.boxes.boxes)
            ASSERT_LE(b.offset + b.size, bytes.size());
        if (const auto at = scanForEventBox(source)) {
            ASSERT_LE(*at + 8, bytes.size());
        }
    }
}

TEST(ScrambleTest, XorsSizeAndTypeWordsAndUndoesItself) {
    const Bytes plain = box("ftyp", 12, 0x20);
    Bytes scrambled = plain;
    constexpr std::uint32_t kKey = 0xA1B2C3D4;
    scrambleHeader(scrambled, kKey);
    EXPECT_EQ(loadBe32(std::span(scrambled).first<4>()), 20u ^ kKey);
    EXPECT_EQ(Bytes(scrambled.begin() + 4, scrambled.begin() + 8),
              (Bytes{'f' ^ 0xA1, 't' ^ 0xB2, 'y' ^ 0xC3, 'p' ^ 0xD4}));
    EXPECT_EQ(Bytes(scrambled.begin() + 8, scrambled.end()), Bytes(plain.begin() + 8, plain.end()));

    // A read that starts inside the header and runs past it sees the plain bytes.
    const BufferSource raw(scrambled);
    const DescrambledSource view(raw, kKey);
    Bytes window(10);
    ASSERT_TRUE(view.read(3, window));
    EXPECT_EQ(window, Bytes(plain.begin() + 3, plain.begin() + 13));
    scrambleHeader(scrambled, kKey);
    EXPECT_EQ(scrambled, plain);
}

}  // namespace
}  // namespace kyvo::recgen
