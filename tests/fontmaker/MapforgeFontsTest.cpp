// mapforge puts the map fonts and their licence into every data set it
// writes, from the build's fonts or a folder given with --fonts, and still
// writes the map when they are missing.
#include "MadeFontReader.h"
#include "MapFonts.h"
#include "TempFolder.h"
#include "TestTown.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kyvo::mapforge {
namespace {

using fontmaker::test::readText;
using fontmaker::test::run;

class MapforgeFontsTest : public ::testing::Test {
protected:
    void SetUp() override { std::ofstream(osm_) << cartoframe::test::testTownOsm(); }
    // Runs mapforge into `out` with extra options; standard error goes to `log_`.
    int forge(const std::string& options, const std::filesystem::path& out) {
        return run(std::string(KYVO_MAPFORGE_PATH) + " --quiet " + options + " " + osm_.string() + " " + out.string() +
                   " 2>" + log_.string());
    }
    kyvo::test::TempFolder folder_;
    std::filesystem::path osm_ = folder_ / "town.osm";
    std::filesystem::path log_ = folder_ / "log";
};

TEST_F(MapforgeFontsTest, CopiesEveryFontFileOfTheGivenFolder) {
    const auto fonts = folder_ / "fonts";
    std::filesystem::create_directories(fonts);
    for (const char* name : kMapFontFiles)
        std::ofstream(fonts / name) << "content of " << name;
    const auto out = folder_ / "Map";
    ASSERT_EQ(forge("--fonts " + fonts.string(), out), 0);
    for (const char* name : kMapFontFiles)
        EXPECT_EQ(readText(out / name), std::string("content of ") + name);
    EXPECT_EQ(readText(log_), "");
    // A second run replaces older copies.
    std::ofstream(fonts / "MingTi12.0") << "newer";
    ASSERT_EQ(forge("--fonts " + fonts.string(), out), 0);
    EXPECT_EQ(readText(out / "MingTi12.0"), "newer");
}

TEST_F(MapforgeFontsTest, MissingFontsAreReportedAndTheMapIsStillWritten) {
    const auto fonts = folder_ / "partial";
    std::filesystem::create_directories(fonts);
    std::ofstream(fonts / "MingTi14.1") << "x";
    const auto out = folder_ / "Map";
    ASSERT_EQ(forge("--fonts " + fonts.string(), out), 0);
    EXPECT_TRUE(std::filesystem::exists(out / "MAP.DAT"));
    EXPECT_TRUE(std::filesystem::exists(out / "FileList.cfg"));
    EXPECT_TRUE(std::filesystem::exists(out / "MingTi14.1"));
    EXPECT_FALSE(std::filesystem::exists(out / "MingTi12.0"));
    const std::string log = readText(log_);
    EXPECT_NE(log.find("map fonts missing in " + fonts.string()), std::string::npos) << log;
    EXPECT_NE(log.find("MingTi12.0"), std::string::npos) << log;
    EXPECT_EQ(log.find("MingTi14.1"), std::string::npos) << log;
}

TEST_F(MapforgeFontsTest, TheBuildsFontsAreTheDefault) {
    const std::filesystem::path made = KYVO_MAPFONTS_DIR;
    if (!std::filesystem::exists(made / "MingTi15.1"))
        GTEST_SKIP() << "the map fonts were not made";
    const auto out = folder_ / "Map";
    ASSERT_EQ(forge("", out), 0);
    for (const char* name : kMapFontFiles)
        EXPECT_EQ(readText(out / name), readText(made / name)) << name;
}

} // namespace
} // namespace kyvo::mapforge
