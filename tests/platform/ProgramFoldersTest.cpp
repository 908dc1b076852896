// Where a program finds its data and private libraries, in the build tree
// and in an installed tree.
#include "ProgramFolders.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kyvo {
namespace {

namespace fs = std::filesystem;

TEST(ProgramFoldersTest, AnInstalledTreeIsFoundRelativeToThePrograms) {
    const test::TempFolder prefix("kyvoprefix");
    fs::create_directories(prefix / "bin");
    const InstallLayout layout{"../share/kyvo", "../lib/x86_64-linux-gnu/kyvo"};

    // Without the data folder the program is in a build tree: all beside it.
    const ProgramFolders build = programFoldersOf(prefix / "bin", layout);
    EXPECT_FALSE(build.installed);
    EXPECT_EQ(build.data, prefix / "bin");
    EXPECT_EQ(build.libraries, prefix / "bin");

    fs::create_directories(prefix / "share" / "kyvo");
    const ProgramFolders installed = programFoldersOf(prefix / "bin", layout);
    EXPECT_TRUE(installed.installed);
    EXPECT_EQ(installed.data, prefix / "share" / "kyvo");
    EXPECT_EQ(installed.libraries, prefix / "lib" / "x86_64-linux-gnu" / "kyvo");

    // A file of the data folder's name is no install.
    const test::TempFolder other("kyvoprefix");
    fs::create_directories(other / "bin");
    fs::create_directories(other / "share");
    std::ofstream(other / "share" / "kyvo").put('x');
    EXPECT_FALSE(programFoldersOf(other / "bin", layout).installed);
}

TEST(ProgramFoldersTest, TheBuildsOwnLayoutAndTheRunningProgram) {
    // The build's layout climbs out of the programs' folder into the prefix.
    const InstallLayout layout = installLayout();
    EXPECT_EQ(layout.dataFromPrograms.begin()->string(), "..");
    EXPECT_EQ(layout.dataFromPrograms.filename(), "kyvo");
    EXPECT_EQ(layout.librariesFromPrograms.filename(), "kyvo");

    // This test runs from the build tree: everything beside it.
    const fs::path folder = executableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(fs::exists(folder / "platform_core_test"));
    EXPECT_FALSE(programFolders().installed);
    EXPECT_EQ(programFolders().data, folder);
}

} // namespace
} // namespace kyvo
