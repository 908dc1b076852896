// The RecSet page: the motion record time list, the record time buttons and
// the page's range.

#include "RecSetPageRules.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using namespace kyvo::usbtool;

TEST(RecSetPage, MotionRecordTimeSelectsByBandsAndSavesTheNumberShown) {
    const std::vector<std::string> texts = kMotionRecordTimes.texts();
    ASSERT_EQ(texts.size(), 91u);
    EXPECT_EQ(texts.front(), "30");
    EXPECT_EQ(texts.back(), "120");
    struct Case {
        std::int32_t stored;
        int position;
    };
    // Below 60: s mod 30 (so a stored 15 shows "45"); 60..119: s - 30; from
    // 120 on: "120"; negative: nothing.
    const std::vector<Case> cases{{45, 15},  {30, 0},   {59, 29},  {0, 0},    {15, 15},      {60, 30},
                                  {119, 89}, {120, 90}, {121, 90}, {500, 90}, {INT_MAX, 90}, {-1, kNothingChosen},
                                  {INT_MIN, kNothingChosen}};
    for (const Case& c : cases) {
        RecorderConfig record;
        record.set(field::kMotionRecordTime, c.stored);
        const RecSetPageState state = loadRecSetPage(record);
        EXPECT_EQ(state.motionRecordTime, c.position) << "stored " << c.stored;
        saveRecSetPage(state, record);
        const int shown = c.position == kNothingChosen ? 0 : std::stoi(texts[static_cast<std::size_t>(c.position)]);
        EXPECT_EQ(record.get(field::kMotionRecordTime), shown) << "stored " << c.stored;
    }
}

TEST(RecSetPage, RecordTimeIsStoredAsIndexPlusOne) {
    RecorderConfig record;
    record.set(field::kRecordTime, 5); // "10 Min"
    RecSetPageState state = loadRecSetPage(record);
    EXPECT_EQ(state.recordTime, 4);
    state.recordTime = 3; // "5 Min"
    saveRecSetPage(state, record);
    EXPECT_EQ(record.get(field::kRecordTime), 4);

    for (const std::int32_t stored : {0, 6, -3}) {
        record.set(field::kRecordTime, stored);
        EXPECT_EQ(loadRecSetPage(record).recordTime, kNothingChosen) << stored;
    }
}

TEST(RecSetPage, EveryFieldSurvivesARoundTripAndSavingZeroesSlot84AndNothingOutside) {
    RecorderConfig record;
    for (std::size_t offset = 0; offset < RecorderConfig::kSize; offset += RecorderConfig::kSlotBytes)
        record.set(offset, -7);
    // A distinct value per field where the buttons allow.
    const std::vector<std::pair<std::size_t, std::int32_t>> values{
        {field::kSiTime, 1},         {field::kSiAccelerometer, 0},   {field::kSiGroundSpeed, 1},
        {field::kUserTime, 0},       {field::kUserAccelerometer, 1}, {field::kUserGroundSpeed, 0},
        {field::kUserJpeg, 1},       {field::kUserJpegFrameRate, 1}, {field::kRecordTime, 3},
        {field::kMotionMode, 1},     {field::kMotionSensitivity, 2}, {field::kMotionRecordTime, 77},
        {field::kEventOverwrite, 1}, {field::kWaterMark, 0},         {field::kSorting, 1},
    };
    for (const auto& [offset, value] : values)
        record.set(offset, value);
    record.set(field::kRecSetZero, 9);

    saveRecSetPage(loadRecSetPage(record), record);
    for (const auto& [offset, value] : values)
        EXPECT_EQ(record.get(offset), value) << "offset " << offset;
    EXPECT_EQ(record.get(field::kRecSetZero), 0);
    EXPECT_EQ(record.get(field::kAudio), -7);
    EXPECT_EQ(record.get(field::kViewerSort), -7);
}
