// Scanning real folders: what is listed, in which order, and what is skipped.
#include "FolderScan.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kyvo::recordings {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

// A card folder with every kind, look-alikes and a subfolder, removed afterwards.
class FolderScanTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"drf_20240612_081500.mov", "evt_20240612_081700.mov", "muevt_20240612_081800.mov",
                                 "drf_20240612_081900.mjpg", "DRF_20240612_082000.mov", "readme.txt",
                                 "drf_行車_20240612.mov"})
            touch(name);
        // Folders are never listed, whatever their names, and not descended into.
        fs::create_directories(card() / "drf_20240612_090000.mov");
        fs::create_directories(card() / "drf_sub");
        touch("drf_sub/clip.mov");
    }

    const fs::path& card() const { return root.path(); }
    void touch(const fs::path& name) const { std::ofstream(card() / name).put('\0'); }

    kyvo::test::TempFolder root{"kyvorecordings"};
};

TEST_F(FolderScanTest, ListsBareNamesOfItsKindOnly) {
    EXPECT_THAT(scan(RecordingKind::Normal, card()),
                UnorderedElementsAre(u"drf_20240612_081500.mov", u"drf_行車_20240612.mov"));
    EXPECT_THAT(scan(RecordingKind::Event, card()), ElementsAre(u"evt_20240612_081700.mov"));
    EXPECT_THAT(scan(RecordingKind::ManualEvent, card()), ElementsAre(u"muevt_20240612_081800.mov"));
    // Inside a "drf_" folder every ".mov" is a normal recording.
    EXPECT_THAT(scan(RecordingKind::Normal, card() / "drf_sub" / ""), ElementsAre(u"clip.mov"));
}

TEST_F(FolderScanTest, KeepsTheFileSystemsOrder) {
    for (int i = 0; i < 40; ++i)
        touch("drf_2024_" + std::to_string(977 * i % 1000) + ".mov");
    std::vector<std::u16string> expected;
    for (const fs::directory_entry& entry : fs::directory_iterator(card())) {
        const std::u16string name = entry.path().filename().u16string();
        if (name.starts_with(u"drf_") && name.ends_with(u".mov") && !entry.is_directory())
            expected.push_back(name);
    }
    EXPECT_EQ(scan(RecordingKind::Normal, card()), expected);
}

TEST_F(FolderScanTest, UnreadableFoldersAndNamesGiveNoListAndNoException) {
    EXPECT_THAT(scan(RecordingKind::Normal, card() / "missing"), IsEmpty());
    EXPECT_THAT(scan(RecordingKind::Normal, card() / "readme.txt"), IsEmpty());
    EXPECT_FALSE(contains(RecordingKind::Normal, card() / "missing"));
    // A name whose bytes are not UTF-8 is left out; the rest is still listed.
    touch("drf_sub/drf_\xff\xfe.mov");
    EXPECT_THAT(scan(RecordingKind::Normal, card() / "drf_sub"), ElementsAre(u"clip.mov"));
}

TEST_F(FolderScanTest, ContainsAnswersPerKindAndStopsAtTheFirst) {
    EXPECT_TRUE(contains(RecordingKind::ManualEvent, card()));
    EXPECT_TRUE(contains(RecordingKind::Normal, card() / "drf_sub"));
    EXPECT_FALSE(contains(RecordingKind::Event, card() / "drf_sub"));
    // The visitor behind both is not called again once it answers false.
    int calls = 0;
    forEachAccepted(RecordingKind::Normal, card(), [&calls](std::u16string_view) { return ++calls > 5; });
    EXPECT_EQ(calls, 1);
}

} // namespace
} // namespace kyvo::recordings
