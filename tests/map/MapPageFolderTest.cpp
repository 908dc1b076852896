// Where the map page goes: the program's data folder, or the user's folder
// with links back to the program's Leaflet and script when the program's
// folder cannot take it.
#include "MapPageFolder.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kyvo::map {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

const std::string kPage(kMapPageFileName);
const std::string kLeaflet(kLeafletFolder);
const std::string kShim(kShimScriptFile);

TEST(MapPageFolderTest, TheProgramsFolderTakesThePageWhenItCan) {
    const TempFolder data("kyvodata");
    const TempFolder user("kyvouser");
    const auto placed = placeGoogleMapPage(data.path(), user / "map", 25, 121);
    EXPECT_EQ(placed.write, PageWrite::Written);
    EXPECT_EQ(placed.folder, data.path());
    EXPECT_TRUE(fs::is_regular_file(data / kPage));
    EXPECT_FALSE(fs::exists(user / "map")); // nothing of the user's is touched

    // An installed page is kept, also by the next start.
    EXPECT_EQ(placeGoogleMapPage(data.path(), user / "map", 0, 0).write, PageWrite::Kept);
}

TEST(MapPageFolderTest, AFolderThatCannotTakeThePageSendsItToTheUsersFolderWithLinks) {
    const TempFolder root("kyvoinstall");
    // A data folder below a file can never be written, whoever runs the test.
    std::ofstream(root / "blocked").put('x');
    const fs::path data = root / "blocked" / "kyvo";
    const fs::path user = root / "home" / "map";

    const auto placed = placeGoogleMapPage(data, user, 25, 121);
    ASSERT_EQ(placed.write, PageWrite::Written);
    EXPECT_EQ(placed.folder, user);
    EXPECT_TRUE(fs::is_regular_file(user / kPage));
    // The page's relative names reach the program's files through the links.
    EXPECT_EQ(fs::read_symlink(user / kLeaflet), data / kLeaflet);
    EXPECT_EQ(fs::read_symlink(user / kShim), data / kShim);

    // The next start keeps the page and the links.
    EXPECT_EQ(placeGoogleMapPage(data, user, 0, 0).write, PageWrite::Kept);
}

TEST(MapPageFolderTest, TheUsersOwnEntriesAreKeptAndFailureNeedsBothFoldersToFail) {
    const TempFolder root("kyvoinstall");
    std::ofstream(root / "blocked").put('x');
    const fs::path data = root / "blocked" / "kyvo";
    const fs::path user = root / "map";
    fs::create_directories(user / kLeaflet);
    std::ofstream(user / kLeaflet / "leaflet.js") << "// the user's own";

    EXPECT_EQ(placeGoogleMapPage(data, user, 0, 0).write, PageWrite::Written);
    EXPECT_TRUE(fs::is_directory(fs::symlink_status(user / kLeaflet)));
    EXPECT_TRUE(fs::is_symlink(user / kShim));

    const auto failed = placeGoogleMapPage(data, root / "blocked" / "user", 0, 0);
    EXPECT_EQ(failed.write, PageWrite::Failed);
    EXPECT_TRUE(failed.folder.empty());
    EXPECT_EQ(placeGoogleMapPage(data, fs::path(), 0, 0).write, PageWrite::Failed);
}

} // namespace
} // namespace kyvo::map
