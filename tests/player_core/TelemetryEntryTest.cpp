// Per-frame telemetry from a box copy: which entry each frame reads, the entry
// limit, damaged entries, and copies shorter than their entries or their box.
#include "TelemetryBox.h"
#include "TelemetryTestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace kyvo::player {
namespace {

using test::Bytes;

class TelemetryEntryTest : public testing::Test {
protected:
    TelemetryEntryTest() {
        damage(0, udat::kTimeTagOffset, "XXXX"); // never read: reading it would fail the parse
        reader_.setData(copy_);
    }

    // Which entry the record belongs to (checking it sits at `field` in it); -1 for none.
    int entryOf(const void* record, std::size_t field) const {
        if (record == nullptr)
            return -1;
        const auto at = static_cast<std::size_t>(static_cast<const std::uint8_t*>(record) - copy_.data());
        EXPECT_EQ((at - udat::kFirstEntryOffset) % udat::kEntrySize, field);
        return static_cast<int>((at - udat::kFirstEntryOffset) / udat::kEntrySize);
    }
    int gpsEntry(std::uint32_t frame) const { return entryOf(reader_.gpsRecord(frame), udat::kGpsRecordOffset); }
    int sensorEntry(std::uint32_t frame) const {
        return entryOf(reader_.sensorRecord(frame), udat::kSensorRecordOffset);
    }
    void damage(std::size_t entry, std::size_t field, const char* tag) {
        std::memcpy(copy_.data() + udat::kFirstEntryOffset + entry * udat::kEntrySize + field, tag, 4);
    }

    Bytes copy_ = recgen::encodeUdatBox(test::numberedEntries(5));
    MVOXUDAT reader_;
};

TEST_F(TelemetryEntryTest, EachFrameReadsItsEntryAndFramesBetweenKeepTheLast) {
    for (std::uint32_t frame = 1; frame <= 31; ++frame) {
        SCOPED_TRACE(frame);
        const int expected = frame <= 20 ? 1 : frame <= 30 ? 2 : 3; // frames 1 and 11 share entry 1
        ASSERT_EQ(reader_.parseEntry(frame), MVOXUDAT::kParsed);
        EXPECT_EQ(reader_.failed(), 0);
        EXPECT_EQ(gpsEntry(frame), expected);
        EXPECT_EQ(sensorEntry(frame), expected);
    }
    EXPECT_EQ(std::string(reader_.gpsRecord(31)), "$GPRMC,3");
    EXPECT_EQ(reader_.boxSize(), copy_.size());
}

TEST_F(TelemetryEntryTest, NoRecordsAtOrAboveTheEntryLimitOnEntryFrames) {
    reader_.setEntryLimit(21);
    for (std::uint32_t frame : {1u, 11u, 21u})
        ASSERT_EQ(reader_.parseEntry(frame), MVOXUDAT::kParsed);
    EXPECT_EQ(gpsEntry(11), 2);
    EXPECT_EQ(reader_.gpsRecord(21), nullptr);
    EXPECT_EQ(reader_.sensorRecord(21), nullptr);
    EXPECT_EQ(gpsEntry(22), 2); // frames between entry frames are not limited
    EXPECT_EQ(sensorEntry(22), 2);
}

TEST_F(TelemetryEntryTest, DamagedTagsFailTheirEntryAndKeepTheLastRecords) {
    const struct Case {
        std::size_t field;
        const char* tag;
        int expected;
        int gps; // entry of the records afterwards
        int sensor;
    } cases[] = {
        {udat::kTimeTagOffset, "RTCD", MVOXUDAT::kParsed, 2, 2},
        {udat::kTimeTagOffset, "TIMX", MVOXUDAT::kBadEntry, 1, 1},
        {udat::kGpsTagOffset, "GPS ", MVOXUDAT::kBadGpsTag, 1, 1},
        {udat::kSensorTagOffset, "SENs", MVOXUDAT::kBadSensorTag, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        copy_ = recgen::encodeUdatBox(test::numberedEntries(5));
        damage(2, c.field, c.tag);
        reader_.setData(copy_);
        ASSERT_EQ(reader_.parseEntry(11), MVOXUDAT::kParsed);
        EXPECT_EQ(reader_.parseEntry(21), c.expected);
        EXPECT_EQ(reader_.parseEntry(25), MVOXUDAT::kParsed); // keeps the entry and its flag
        EXPECT_EQ(reader_.failed(), c.expected != MVOXUDAT::kParsed ? 1 : 0);
        EXPECT_EQ(gpsEntry(25), c.gps);
        EXPECT_EQ(sensorEntry(25), c.sensor);
        EXPECT_EQ(reader_.parseEntry(31), MVOXUDAT::kParsed);
        EXPECT_EQ(reader_.failed(), 0);
    }
}

TEST_F(TelemetryEntryTest, EntriesBeyondTheCopyAreBadAndNeverRead) {
    // Exactly sized, so that the sanitizer build catches any read past it.
    const Bytes cut(copy_.begin(), copy_.begin() + udat::kFirstEntryOffset + 3 * udat::kEntrySize + 100);
    reader_.setData(cut);
    ASSERT_EQ(reader_.parseEntry(21), MVOXUDAT::kParsed);
    for (std::uint32_t frame : {31u, 41u, 4294967291u}) {
        SCOPED_TRACE(frame);
        EXPECT_EQ(reader_.parseEntry(frame), MVOXUDAT::kBadEntry);
        EXPECT_EQ(reader_.failed(), 1);
        // The frames after a missing entry keep the last entry's records.
        const std::uint8_t* entry2 = cut.data() + udat::kFirstEntryOffset + 2 * udat::kEntrySize;
        EXPECT_EQ(static_cast<const void*>(reader_.gpsRecord(frame + 1)), entry2 + udat::kGpsRecordOffset);
        EXPECT_EQ(static_cast<const void*>(reader_.sensorRecord(frame + 1)), entry2 + udat::kSensorRecordOffset);
    }
    const Bytes tiny{0, 0, 1};
    reader_.setData(tiny);
    EXPECT_EQ(reader_.parseEntry(1), MVOXUDAT::kBadEntry);
    EXPECT_EQ(reader_.boxSize(), 0x100u); // the missing header byte reads as zero
}

TEST_F(TelemetryEntryTest, GpsRecordMustLieInsideTheDeclaredBox) {
    // The copy runs on past the box to the end of the file; the box's size word
    // decides which GPS records count. Entry 2's record ends here:
    const std::size_t recordEnd =
        udat::kFirstEntryOffset + 2 * udat::kEntrySize + udat::kGpsRecordOffset + udat::kGpsRecordSize;
    for (const std::size_t declared : {recordEnd, recordEnd - 1}) {
        SCOPED_TRACE(declared);
        recgen::storeBe32(std::span(copy_).first<4>(), static_cast<std::uint32_t>(declared));
        ASSERT_EQ(reader_.parseEntry(21), MVOXUDAT::kParsed);
        EXPECT_EQ(gpsEntry(21), declared == recordEnd ? 2 : -1);
        EXPECT_EQ(sensorEntry(21), 2);
    }
}

TEST_F(TelemetryEntryTest, WithoutDataEntryFramesFailAndNothingPointsIntoAnOldCopy) {
    ASSERT_EQ(reader_.parseEntry(1), MVOXUDAT::kParsed);
    reader_.clearData();
    EXPECT_EQ(reader_.gpsRecord(2), nullptr);
    EXPECT_EQ(reader_.sensorRecord(2), nullptr);
    EXPECT_EQ(reader_.parseEntry(11), MVOXUDAT::kNoData);
    EXPECT_EQ(reader_.failed(), 1);
}

} // namespace
} // namespace kyvo::player
