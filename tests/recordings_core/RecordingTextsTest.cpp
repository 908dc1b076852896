// Names derived from a recording and the texts the play list shows for it.
#include "DerivedNames.h"
#include "PlayListText.h"

#include <gtest/gtest.h>

#include <string>

namespace kyvo::recordings {
namespace {

TEST(DerivedNamesTest, BackupCopyStartsAtTheMarkerOfTheFileName) {
    EXPECT_EQ(backupCopyName(u"/backup", u"/card/drf_20110104_123456.mov"), u"/backup/copy_drf_20110104_123456.mov");
    EXPECT_EQ(backupCopyName(u"/backup/", u"/card/muevt_20110104_123456.mov"),
              u"/backup/copy_muevt_20110104_123456.mov");
    // Markers in folder names never bring separators into the copy's name.
    EXPECT_EQ(backupCopyName(u"/b", u"/drf_card/evt_20110104_123456.mov"), u"/b/copy_evt_20110104_123456.mov");
    // Not "drf_" or "evt_" first: "muevt_" is looked for, else the whole name.
    EXPECT_EQ(backupCopyName(u"/b", u"/c/cam1_muevt_20110104.mov"), u"/b/copy_muevt_20110104.mov");
    EXPECT_EQ(backupCopyName(u"/b", u"/c/cam1_drf_20110104.mov"), u"/b/copy_cam1_drf_20110104.mov");
}

TEST(DerivedNamesTest, SnapshotCarriesTheMinutesAndSecondsDigits) {
    EXPECT_EQ(snapshotName(u"/card/drf_20240612_081500.mov", 75), u"drf_20240612_081500_0115.jpg");
    EXPECT_EQ(snapshotName(u"/card/muevt_20240612_081500.mov", 3599), u"muevt_20240612_081500_5959.jpg");
    // 100 minutes print their first number with two digits.
    EXPECT_EQ(snapshotName(u"/card/evt_1.mov", 6000), u"evt_1_10000.jpg");
    EXPECT_EQ(snapshotName(u"/drf_card/clip.mov", 2), u"clip_0002.jpg");
}

TEST(PlayListTextTest, DateFollowsTheMarkerOrTheFileName) {
    EXPECT_EQ(dateText(u"/card/drf_20240612_081500.mov"), u"2024.06.12");
    EXPECT_EQ(dateText(u"/card/muevt_20240614_081500.mov"), u"2024.06.14");
    EXPECT_EQ(dateText(u"/drf_20230101/evt_20240613.mov"), u"2023.01.01");
    EXPECT_EQ(dateText(u"/card/clip0001.mov"), u"clip.00.01");
    // Short texts give what there is, without trailing dots.
    EXPECT_EQ(dateText(u"/card/drf_2024"), u"2024");
    EXPECT_EQ(dateText(u"/card/drf_20240"), u"2024.0");
}

TEST(PlayListTextTest, RowNameFromTheMarkerCutTo31Units) {
    EXPECT_EQ(rowName(u"/card/cam_muevt_20240612_081500.mov"), u"muevt_20240612_081500.mov");
    EXPECT_EQ(rowName(u"/card/clip0001.mov"), u"clip0001.mov");
    const std::u16string exact = u"drf_20240612_081500_front12.mov";
    ASSERT_EQ(exact.size(), kRowNameLength);
    EXPECT_EQ(rowName(u"/c/" + exact + u"x"), exact);
    // A character outside the basic plane is never split.
    const std::u16string astral = u"drf_20240612_081500_frontcam12\U0001F697.mov";
    EXPECT_EQ(rowName(u"/c/" + astral), astral.substr(0, 30));
    EXPECT_EQ(rowName(u"/c/" + astral.substr(1)), astral.substr(1, 31));
}

TEST(PlayListTextTest, TitleStartsAtTheLastMarkerFound) {
    EXPECT_EQ(titleText(u"/card/muevt_20240612_081500.mov"), u"muevt_20240612_081500.mov");
    EXPECT_EQ(titleText(u"/drf_card/evt_20240612.mov"), u"evt_20240612.mov");
    EXPECT_EQ(titleText(u"/card/clip.mov"), u"");
}

} // namespace
} // namespace kyvo::recordings
