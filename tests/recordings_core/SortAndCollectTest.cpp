// The case-insensitive order and the selected lists built from checked names.
#include "SelectedList.h"
#include "SortStringArray.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kyvo::recordings {
namespace {

using ::testing::ElementsAre;
using Names = std::vector<std::u16string>;

std::u16string wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

TEST(SortTest, CompareFoldsAsciiLettersToLowerCaseOnly) {
    EXPECT_EQ(compareNoCase(u"DRF_A.MOV", u"drf_a.mov"), 0);
    EXPECT_LT(compareNoCase(u"drf_a", u"DRF_B"), 0);
    // Lower-case folding puts "_" (0x5F) before every letter; upper-case
    // folding would put it after them.
    EXPECT_LT(compareNoCase(u"drf_", u"drfA"), 0);
    EXPECT_LT(compareNoCase(u"drf_1", u"DRF_10"), 0);
    // Other letters are not folded; code units compare unsigned.
    EXPECT_NE(compareNoCase(u"\u00C4", u"\u00E4"), 0);
    EXPECT_GT(compareNoCase(u"行", u"z"), 0);
}

TEST(SortTest, AscendingAndNamesDifferingInCaseKeepTheirOrder) {
    // Five names in up to four spellings each, 60 in all: enough that a
    // sort's insertion pass over small ranges cannot hide instability.
    Names names;
    for (int i = 0; i < 60; ++i) {
        std::string name = "drf_" + std::string(1, static_cast<char>('a' + (i * 7) % 5)) + ".mov";
        if (i % 2 == 1)
            name[0] = 'D';
        if (i % 3 == 1)
            name[4] = static_cast<char>(name[4] - 'a' + 'A');
        names.push_back(wide(name));
    }
    CSortStringArray array(names);
    array.Sort();
    // Groups of equal names in ascending order, each in the order the names came in.
    Names expected;
    for (const char letter : std::string("abcde"))
        for (const std::u16string& name : names)
            if (compareNoCase(name, wide("drf_" + std::string(1, letter) + ".mov")) == 0)
                expected.push_back(name);
    EXPECT_EQ(array.names(), expected);
}

Names numberedNames(int count) { // descending
    Names names;
    for (int i = count - 1; i >= 0; --i)
        names.push_back(wide("drf_" + std::to_string(10000 + i) + ".mov"));
    return names;
}

TEST(CollectTest, CheckedNamesSortedAndJoinedWithTheFolder) {
    const Names names{u"drf_c.mov", u"drf_a.mov", u"DRF_B.mov", u"drf_行車.mov"};
    const CollectResult result = collect(names, {true, false, true, true}, u"/media/卡");
    EXPECT_THAT(result.paths,
                ElementsAre(u"/media/卡/DRF_B.mov", u"/media/卡/drf_c.mov", u"/media/卡/drf_行車.mov"));
    EXPECT_EQ(result.checked, 3U);
    EXPECT_FALSE(result.cut);
    // No doubled separator; missing flags mean unchecked; long paths stay whole.
    EXPECT_THAT(collect(names, {false, true}, u"/").paths, ElementsAre(u"/drf_a.mov"));
    const std::u16string deep = u"/" + std::u16string(300, u'長');
    EXPECT_THAT(collect(names, {true}, deep).paths, ElementsAre(deep + u"/drf_c.mov"));
}

TEST(CollectTest, FiveHundredFitAndMoreAreCutToTheFirstOfTheSortedOrder) {
    const Names exact = numberedNames(500);
    const CollectResult full = collect(exact, std::vector<bool>(exact.size(), true), u"/c");
    ASSERT_EQ(full.paths.size(), kSelectedListCapacity);
    EXPECT_FALSE(full.cut);
    EXPECT_EQ(full.paths[499], u"/c/drf_10499.mov");

    const Names many = numberedNames(600);
    const CollectResult cut = collect(many, std::vector<bool>(many.size(), true), u"/c");
    ASSERT_EQ(cut.paths.size(), kSelectedListCapacity);
    EXPECT_TRUE(cut.cut);
    EXPECT_EQ(cut.checked, 600U);
    EXPECT_EQ(cut.paths.front(), u"/c/drf_10000.mov");
    EXPECT_EQ(cut.paths[499], u"/c/drf_10499.mov");
}

} // namespace
} // namespace kyvo::recordings
