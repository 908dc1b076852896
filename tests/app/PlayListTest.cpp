#include "PlayList.h"

#include <gtest/gtest.h>

using kyvo::app::PlayList;

namespace {

std::vector<std::u16string> names(int n, const char16_t* prefix = u"/card/drf_20240612_0815") {
    std::vector<std::u16string> out;
    for (int i = 0; i < n; ++i)
        out.push_back(prefix + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                      std::u16string(1, static_cast<char16_t>(u'a' + i / 26)) + u".mov");
    return out;
}

constexpr int kRowY0 = PlayList::kRowsTop + 5;
constexpr int kRowX = 700;

} // namespace

TEST(PlayList, PagesOfSevenRows) {
    struct Case {
        int files;
        int pages;
        int rowsOnLastPage;
    };
    for (const Case c : {Case{0, 1, 0}, Case{7, 1, 7}, Case{8, 2, 1}, Case{14, 2, 7}, Case{15, 3, 1}}) {
        PlayList list;
        list.add(names(c.files));
        EXPECT_EQ(list.pageCount(), c.pages) << c.files;
        list.selectAndShow(c.files > 0 ? c.files - 1 : 0);
        EXPECT_EQ(list.page(), c.pages - 1) << c.files;
        EXPECT_EQ(list.rowsOnPage(), c.rowsOnLastPage) << c.files;
    }
}

TEST(PlayList, DuplicatesAndEmptyNamesAreNotAdded) {
    PlayList list;
    EXPECT_EQ(list.add(names(3)), 3u);
    auto again = names(4);
    again.push_back(u"");
    EXPECT_EQ(list.add(again), 1u);
    EXPECT_EQ(list.count(), 4u);
    EXPECT_TRUE(list.changed());
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.add(names(2)), 2u); // cleared names can come back
}

TEST(PlayList, ClicksSelectRowsButNotBelowTheLastRow) {
    PlayList list;
    list.add(names(10));
    EXPECT_EQ(list.press(kRowX, kRowY0 + 2 * PlayList::kRowHeight), PlayList::Hit::Row);
    EXPECT_EQ(list.selected(), 2);
    // The second page has three rows; a click on the fourth row's place selects nothing.
    list.press(992, PlayList::kDownArrowTop + 3);
    ASSERT_EQ(list.page(), 1);
    EXPECT_EQ(list.press(kRowX, kRowY0 + 3 * PlayList::kRowHeight), PlayList::Hit::None);
    EXPECT_EQ(list.selected(), 2);
    EXPECT_EQ(list.press(kRowX, kRowY0 + 2 * PlayList::kRowHeight), PlayList::Hit::Row);
    EXPECT_EQ(list.selected(), 9);
    EXPECT_EQ(list.rowAt(PlayList::kRowsRight, kRowY0), -1); // the scroll bar is not a row
}

TEST(PlayList, ThumbRulesAfterAddingAndWhenPaging) {
    PlayList list;
    list.add(names(7));
    EXPECT_EQ(list.pageCount(), 1); // no thumb with one page
    list.add(names(22, u"/card/evt_20240612_0816"));
    ASSERT_EQ(list.pageCount(), 5); // 29 files
    // The 98-pixel rule right after adding: h = 19, top = 627 + 19 * page.
    EXPECT_EQ(list.thumb().top, 627);
    EXPECT_EQ(list.thumb().bottom, 646);
    // Paging uses the 96-pixel rule: h = 19, r = 1: top = h * page + page + 627 while r >= page.
    list.press(992, PlayList::kDownArrowTop + 1);
    EXPECT_EQ(list.page(), 1);
    EXPECT_EQ(list.thumb().top, 19 + 1 + 627);
    list.press(992, PlayList::kDownArrowTop + 1);
    EXPECT_EQ(list.thumb().top, 2 * 19 + 1 + 627); // r < page
    // The track above the thumb pages up.
    EXPECT_EQ(list.press(992, PlayList::kTrackTop + 1), PlayList::Hit::PageUp);
    EXPECT_EQ(list.page(), 1);
    // The last page stays inside the track.
    for (int i = 0; i < 6; ++i)
        list.press(992, PlayList::kDownArrowTop + 1);
    EXPECT_EQ(list.page(), 4);
    EXPECT_LE(list.thumb().bottom, PlayList::kTrackBottom);
}

TEST(PlayList, ThumbDragSnapsAtBothEndsOfTheTrack) {
    PlayList list;
    list.add(names(21)); // three pages, h = 32
    list.placeThumb96(true);
    const int top = list.thumb().top;
    ASSERT_EQ(list.press(992, top + 5), PlayList::Hit::Thumb);
    EXPECT_TRUE(list.dragThumb(992, top + 5 + 40)); // down by more than a thumb: page 1
    EXPECT_EQ(list.page(), 1);
    // Far below the track end: the last page, thumb against the bottom.
    list.dragThumb(992, PlayList::kTrackBottom);
    list.dragThumb(992, PlayList::kTrackBottom);
    EXPECT_EQ(list.page(), 2);
    EXPECT_EQ(list.thumb().bottom, PlayList::kTrackBottom);
    // Back above the track: page 0, thumb at the top.
    for (int i = 0; i < 5; ++i)
        list.dragThumb(992, PlayList::kTrackTop);
    EXPECT_EQ(list.page(), 0);
    EXPECT_EQ(list.thumb().top, PlayList::kTrackTop);
    // Moves outside the scroll bar's column are ignored.
    EXPECT_FALSE(list.dragThumb(900, PlayList::kTrackBottom));
    EXPECT_EQ(list.page(), 0);
    list.releaseThumb();
    EXPECT_FALSE(list.dragThumb(992, PlayList::kTrackBottom));
}
