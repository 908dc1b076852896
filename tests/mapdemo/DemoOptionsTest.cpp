// The demo's command line and the map folder check: what a user types is
// taken or refused with a reason.
#include "DemoOptions.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace kyvo::mapdemo {
namespace {

ParsedOptions parse(std::vector<std::string> arguments) {
    return parseDemoOptions(arguments);
}

TEST(DemoOptions, CommandLinesAreTakenOrRefusedWithAReason) {
    struct Case {
        std::vector<std::string> arguments;
        const char* refusal; // nullptr: accepted
    };
    const Case cases[] = {
        {{"--map", "M"}, nullptr},
        {{"a.mov", "--map", "M", "--speed", "16", "b.mov"}, nullptr},
        {{"--map", "M", "--screenshot", "s.png", "--after", "0.5"}, nullptr},
        {{}, "--map"},
        {{"--map"}, "needs a value"},
        {{"--map", ""}, "--map"},
        {{"--map", "M", "--speed", "2"}, "1, 4 or 16"},
        {{"--map", "M", "--speed", "4.5"}, "1, 4 or 16"},
        {{"--map", "M", "--after", "3"}, "--screenshot"},
        {{"--map", "M", "--screenshot", "s.png", "--after", "-1"}, "seconds"},
        {{"--map", "M", "--fast"}, "unknown option --fast"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const ParsedOptions parsed = parse(c.arguments);
        if (!c.refusal) {
            EXPECT_TRUE(parsed.options) << parsed.error;
            continue;
        }
        EXPECT_FALSE(parsed.options);
        EXPECT_NE(parsed.error.find(c.refusal), std::string::npos) << parsed.error;
    }
}

TEST(DemoOptions, ValuesLandInTheirFieldsAndRecordingsKeepTheirOrder) {
    const ParsedOptions parsed =
        parse({"b.mov", "--map", "Map", "--speed", "4", "--screenshot", "out.png", "--after", "2.5", "a.mov"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->mapFolder, "Map");
    EXPECT_EQ(parsed.options->speed, 4);
    EXPECT_EQ(parsed.options->screenshot, "out.png");
    EXPECT_DOUBLE_EQ(parsed.options->afterSeconds, 2.5);
    EXPECT_EQ(parsed.options->recordings, (std::vector<std::string>{"b.mov", "a.mov"}));

    const ParsedOptions defaults = parse({"--map", "Map", "--screenshot", "out.png"});
    ASSERT_TRUE(defaults.options);
    EXPECT_EQ(defaults.options->speed, 1);
    EXPECT_DOUBLE_EQ(defaults.options->afterSeconds, kDefaultScreenshotDelaySeconds);
    EXPECT_TRUE(parse({"--help"}).options->help);
}

TEST(DemoOptions, MapFolderNeedsItsFileList) {
    test::TempFolder folder("mapdemoopts");
    const auto plainFile = folder / "file.txt";
    std::ofstream(plainFile) << "x";
    const auto noList = folder / "NoList";
    std::filesystem::create_directory(noList);
    const auto emptyList = folder / "EmptyList";
    std::filesystem::create_directory(emptyList);
    std::ofstream(emptyList / "FileList.cfg");
    const auto good = folder / "Map";
    std::filesystem::create_directory(good);
    std::ofstream(good / "FileList.cfg") << "MAP.DAT\r\n";

    struct Case {
        std::filesystem::path folder;
        const char* problem; // nullptr: a map folder
    };
    const Case cases[] = {
        {folder / "missing", "does not exist"},
        {plainFile, "is not a folder"},
        {noList, "no FileList.cfg"},
        {emptyList, "empty"},
        {good, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder.string());
        const std::string problem = checkMapFolder(c.folder.string());
        if (!c.problem) {
            EXPECT_EQ(problem, "");
            continue;
        }
        EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
        EXPECT_NE(problem.find(c.folder.string()), std::string::npos) << problem;
    }
}

} // namespace
} // namespace kyvo::mapdemo
