// The Setting page: its lists (date and time, volumes, trigger level, -5..5),
// a blank record, and the page's range.

#include "SettingPageRules.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <vector>

using namespace kyvo::usbtool;

namespace {

RecorderConfig withSlot(std::size_t offset, std::int32_t value) {
    RecorderConfig record;
    record.set(offset, value);
    return record;
}

} // namespace

TEST(SettingPage, ABlankRecordShowsYear2000AndNoMonthOrDateAndSavesThemSo) {
    RecorderConfig record;
    const SettingPageState state = loadSettingPage(record);
    EXPECT_EQ(kYears.texts()[static_cast<std::size_t>(state.year)], "2000");
    EXPECT_EQ(state.month, kNothingChosen);
    EXPECT_EQ(state.date, kNothingChosen);
    EXPECT_EQ(state.hour, 0);
    EXPECT_EQ(state.inVolume, 0);     // "10"
    EXPECT_EQ(state.outVolume, 0);    // "0"
    EXPECT_EQ(state.triggerLevel, 0); // "0.0"
    EXPECT_EQ(state.brightness, 5);   // "0"

    saveSettingPage(state, record);
    EXPECT_EQ(record.get(field::kYear), 2000);
    EXPECT_EQ(record.get(field::kMonth), 0);
    EXPECT_EQ(record.get(field::kDay), 0);
    EXPECT_EQ(record.get(field::kBrightness), 0);
}

TEST(SettingPage, ListsSelectByTheirRulesAndStoreTheNumberShownOrThePosition) {
    struct Case {
        std::size_t offset;
        std::int32_t stored;
        int position;
        std::int32_t saved;
    };
    const std::vector<Case> cases{
        {field::kYear, 2024, 24, 2024},
        {field::kYear, 4005, 5, 2005}, // position value mod 2000
        {field::kYear, 1999, kNothingChosen, 0},
        {field::kYear, -5, kNothingChosen, 0},
        {field::kMonth, 12, 11, 12},
        {field::kMonth, 13, kNothingChosen, 0},
        {field::kDay, 31, 30, 31},
        {field::kDay, INT_MIN, kNothingChosen, 0},
        {field::kHour, 23, 23, 23},
        {field::kHour, 24, kNothingChosen, 0},
        {field::kMinute, 59, 59, 59},
        {field::kSecond, 7, 7, 7},
        {field::kSecond, -1, kNothingChosen, 0},
        {field::kBrightness, -5, 0, -5},
        {field::kSharpness, 5, 10, 5},
        {field::kAudioInVolume, 9, 9, 9}, // "100": the volumes store the position
        {field::kAudioInVolume, 10, kNothingChosen, 0},
        {field::kAudioOutVolume, 10, 10, 10},
        {field::kExposureBias, 6, kNothingChosen, 0},
        {field::kWdrBias, INT_MAX, kNothingChosen, 0},
    };
    const auto position = [](const SettingPageState& state, std::size_t offset) {
        switch (offset) {
        case field::kYear: return state.year;
        case field::kMonth: return state.month;
        case field::kDay: return state.date;
        case field::kHour: return state.hour;
        case field::kMinute: return state.minute;
        case field::kSecond: return state.second;
        case field::kAudioInVolume: return state.inVolume;
        case field::kAudioOutVolume: return state.outVolume;
        case field::kBrightness: return state.brightness;
        case field::kSharpness: return state.sharpness;
        case field::kExposureBias: return state.exposureBias;
        default: return state.wdrBias;
        }
    };
    for (const Case& c : cases) {
        RecorderConfig record = withSlot(c.offset, c.stored);
        const SettingPageState state = loadSettingPage(record);
        EXPECT_EQ(position(state, c.offset), c.position) << "offset " << c.offset << " stored " << c.stored;
        saveSettingPage(state, record);
        EXPECT_EQ(record.get(c.offset), c.saved) << "offset " << c.offset << " stored " << c.stored;
    }
}

TEST(SettingPage, TriggerLevelSelectsTheNearestEntryAndStoresTheShownNumberAsAFloat) {
    const std::vector<std::string> texts = triggerLevelTexts();
    ASSERT_EQ(texts.size(), 21u);
    EXPECT_EQ(texts[9], "0.9");
    EXPECT_EQ(texts[20], "2.0");
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<std::pair<float, int>> cases{{0.9f, 9},  {0.94f, 9}, {0.96f, 10}, {0.3f, 3},   {2.0f, 20},
                                                   {5.0f, 20}, {-1.0f, 0}, {inf, 20},   {-inf, 0},   {1.7f, 17}};
    for (const auto& [level, position] : cases) {
        RecorderConfig record;
        record.setFloat(field::kTriggerLevel, level);
        EXPECT_EQ(loadSettingPage(record).triggerLevel, position) << level;
    }

    RecorderConfig record;
    record.setFloat(field::kTriggerLevel, 0.9f);
    saveSettingPage(loadSettingPage(record), record);
    EXPECT_EQ(record.getFloat(field::kTriggerLevel), 0.9f);

    // A stored NaN selects nothing, which saves 0.
    record.setFloat(field::kTriggerLevel, std::numeric_limits<float>::quiet_NaN());
    const SettingPageState state = loadSettingPage(record);
    EXPECT_EQ(state.triggerLevel, kNothingChosen);
    saveSettingPage(state, record);
    EXPECT_EQ(record.getFloat(field::kTriggerLevel), 0.0f);
}

TEST(SettingPage, RadioGroupsRoundTripAndSavingClearsTheZeroSlotsButNotTheLastFive) {
    RecorderConfig record;
    for (std::size_t offset = 0; offset < RecorderConfig::kSize; offset += RecorderConfig::kSlotBytes)
        record.set(offset, 1);
    record.set(field::kLcdBrightness, 3);
    record.set(field::kIrLedMode, 2);
    record.set(field::kYear, 2031);
    record.set(field::kMonth, 2);
    record.set(field::kDay, 29);
    record.setFloat(field::kTriggerLevel, 1.5f);
    const RecorderConfig before = record;

    saveSettingPage(loadSettingPage(record), record);
    for (std::size_t offset = field::kYear; offset < field::kUntouched; offset += RecorderConfig::kSlotBytes) {
        const bool zeroSlot = offset >= field::kSettingZero && offset < field::kSdFormat;
        EXPECT_EQ(record.get(offset), zeroSlot ? 0 : before.get(offset)) << "offset " << offset;
    }
    for (std::size_t offset = field::kUntouched; offset < RecorderConfig::kSize; offset += RecorderConfig::kSlotBytes)
        EXPECT_EQ(record.get(offset), 1) << "offset " << offset;
    EXPECT_EQ(record.get(field::kSkin), 1);

    record.set(field::kLcdBrightness, 4);
    EXPECT_EQ(loadSettingPage(record).lcdBrightness, kNothingChosen);
}
