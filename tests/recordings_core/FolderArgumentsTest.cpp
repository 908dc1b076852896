// Folders on the command line stand for their recordings.
#include "FolderArguments.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kyvo::recordings {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

void touch(const fs::path& path) { std::ofstream(path).put('\0'); }

std::u16string u16(const fs::path& path) { return path.u16string(); }

TEST(FolderArgumentsTest, AFolderGivesItsRecordingsOfEveryKindWithoutRearFilesOrSubfolders) {
    const kyvo::test::TempFolder card("kyvocard");
    for (const char* name : {"drf_20240612_081500.mov", "drf_20240612_081500_R.mov", "evt_20240612_081700.mov",
                             "muevt_20240612_081800.mov", "readme.txt", "drf_20240612_090000_R.mov"})
        touch(card / name);
    fs::create_directories(card / "drf_sub");
    touch(card / "drf_sub" / "drf_20240612_100000.mov");

    // A rear file whose front is missing is a recording of its own.
    EXPECT_THAT(expandFolderArguments({u16(card.path())}),
                UnorderedElementsAre(u16(card / "drf_20240612_081500.mov"), u16(card / "evt_20240612_081700.mov"),
                                     u16(card / "muevt_20240612_081800.mov"),
                                     u16(card / "drf_20240612_090000_R.mov")));
}

TEST(FolderArgumentsTest, FilesAndMissingPathsStandForThemselvesInTheirOrder) {
    const kyvo::test::TempFolder card("kyvocard");
    touch(card / "drf_20240612_081500.mov");
    fs::create_directories(card / "empty");
    const auto missing = u16(card / "gone.mov");
    const auto file = u16(card / "drf_20240612_081500.mov");
    EXPECT_THAT(expandFolderArguments({missing, u16(card / "empty"), file}), ElementsAre(missing, file));
    EXPECT_THAT(expandFolderArguments({u16(card / "empty")}), IsEmpty());
}

} // namespace
} // namespace kyvo::recordings
