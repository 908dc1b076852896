// The configuration record: its byte layout, short loads and the ranges the
// pages clear.

#include "RecorderConfig.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace kyvo::usbtool;

namespace {

RecorderConfig filled(std::uint8_t byte) {
    std::vector<std::uint8_t> bytes(RecorderConfig::kSize, byte);
    RecorderConfig record;
    record.load(bytes);
    return record;
}

} // namespace

TEST(RecorderConfig, SlotsAreLittleEndianSignedWordsAndTheLevelAFloat) {
    RecorderConfig record;
    record.set(field::kGpsMode, 0x01020304);
    record.set(field::kBrightness, -5);
    record.setFloat(field::kTriggerLevel, 0.9f);
    const auto bytes = record.bytes();
    EXPECT_EQ((std::array{bytes[312], bytes[313], bytes[314], bytes[315]}),
              (std::array<std::uint8_t, 4>{0x04, 0x03, 0x02, 0x01}));
    EXPECT_EQ((std::array{bytes[176], bytes[177], bytes[178], bytes[179]}),
              (std::array<std::uint8_t, 4>{0xFB, 0xFF, 0xFF, 0xFF}));
    // 0.9f is 0x3F666666.
    EXPECT_EQ((std::array{bytes[160], bytes[161], bytes[162], bytes[163]}),
              (std::array<std::uint8_t, 4>{0x66, 0x66, 0x66, 0x3F}));
    EXPECT_EQ(record.get(field::kBrightness), -5);
    EXPECT_EQ(record.getFloat(field::kTriggerLevel), 0.9f);
    EXPECT_EQ(field::kUntouched + 5 * RecorderConfig::kSlotBytes, RecorderConfig::kSize);
}

TEST(RecorderConfig, AShortLoadReplacesOnlyWhatItHoldsAndALongOneStopsAtTheRecord) {
    RecorderConfig record = filled(0x11);
    const std::vector<std::uint8_t> shortValue(10, 0x22);
    record.load(shortValue);
    EXPECT_EQ(record.bytes()[9], 0x22);
    EXPECT_EQ(record.bytes()[10], 0x11); // the rest of slot 8 keeps its bytes
    EXPECT_EQ(record.get(field::kQuality), 0x11111111);

    std::vector<std::uint8_t> longValue(RecorderConfig::kSize + 64, 0x33);
    record.load(longValue);
    EXPECT_EQ(record, filled(0x33));
}

// The pages' ranges follow one another without gaps from 0 to 315 and never
// reach the last five slots, which the viewer sends back as it read them.
TEST(RecorderConfig, ClearRangesTileTheEditedSlotsAndSpareTheLastFive) {
    const std::array ranges{kRecorderRange, kRecSetRange, kViewerRange, kDisplayRange, kSettingRange};
    std::size_t next = 0;
    for (const SlotRange& range : ranges) {
        EXPECT_EQ(range.first, next);
        RecorderConfig record = filled(0xFF);
        record.clear(range);
        for (std::size_t i = 0; i < RecorderConfig::kSize; ++i) {
            const bool inside = i >= range.first && i < range.last + RecorderConfig::kSlotBytes;
            ASSERT_EQ(record.bytes()[i], inside ? 0x00 : 0xFF) << "byte " << i << " range from " << range.first;
        }
        next = range.last + RecorderConfig::kSlotBytes;
    }
    EXPECT_EQ(next, field::kUntouched);
}
