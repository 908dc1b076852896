// The Display and Viewer pages: the sources that skip the stored value 3,
// the skins, and the pages' ranges.

#include "DisplayPageRules.h"
#include "ViewerPageRules.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using namespace kyvo::usbtool;

TEST(DisplayPage, SourcesSkipThreeBothWays) {
    const std::vector<std::pair<std::int32_t, int>> loads{
        {0, 0}, {1, 1}, {2, 2}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {7, kNothingChosen}, {-1, kNothingChosen},
        {INT_MIN, kNothingChosen}, {INT_MAX, kNothingChosen}};
    for (const auto& [stored, index] : loads)
        EXPECT_EQ(sourceIndex(stored), index) << "stored " << stored;
    const std::vector<std::pair<int, std::int32_t>> saves{{0, 0}, {2, 2}, {3, 4}, {4, 5}, {5, 6}};
    for (const auto& [index, stored] : saves)
        EXPECT_EQ(sourceValue(index), stored) << "index " << index;
}

TEST(DisplayPage, SavingTpmsStoresFourAndClearsTheThreeSlotsAfterTheSkins) {
    RecorderConfig record;
    for (std::size_t offset = 0; offset < RecorderConfig::kSize; offset += RecorderConfig::kSlotBytes)
        record.set(offset, 9);
    record.set(field::kLcdSource, 1);
    record.set(field::kTvSource, 6);
    record.set(field::kUiSkin, 2);
    record.set(field::kSkin, 1);
    DisplayPageState state = loadDisplayPage(record);
    EXPECT_EQ(state, (DisplayPageState{1, 5, 2, 1}));

    state.lcd = display::kTpms;
    saveDisplayPage(state, record);
    EXPECT_EQ(record.get(field::kLcdSource), 4);
    EXPECT_EQ(record.get(field::kTvSource), 6);
    EXPECT_EQ(record.get(field::kUiSkin), 2);
    EXPECT_EQ(record.get(field::kSkin), 1);
    for (std::size_t offset = field::kDisplayZero; offset < field::kYear; offset += RecorderConfig::kSlotBytes)
        EXPECT_EQ(record.get(offset), 0) << "offset " << offset;
    EXPECT_EQ(record.get(field::kViewerSort), 9);
    EXPECT_EQ(record.get(field::kYear), 9);
    EXPECT_EQ(loadDisplayPage(record).lcd, display::kTpms);
}

TEST(ViewerPage, SortConditionOwnsOnlyItsSlot) {
    RecorderConfig record;
    record.set(field::kSorting, 1);
    record.set(field::kViewerSort, 1);
    record.set(field::kLcdSource, 5);
    EXPECT_EQ(loadViewerPage(record).sortCondition, 1);
    record.set(field::kViewerSort, 2);
    EXPECT_EQ(loadViewerPage(record).sortCondition, kNothingChosen);

    saveViewerPage(ViewerPageState{0}, record);
    EXPECT_EQ(record.get(field::kViewerSort), 0);
    EXPECT_EQ(record.get(field::kSorting), 1);
    EXPECT_EQ(record.get(field::kLcdSource), 5);
}
