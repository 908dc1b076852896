#include "CJXQ_PCMgrApp.h"

#include <gtest/gtest.h>

using kyvo::app::parseLaunchOptions;

TEST(LaunchOptions, ScreenshotAfterAndFiles) {
    const auto options = parseLaunchOptions({"--screenshot", "x.png", "--after", "2.5", "a.mov", "b c.mov"});
    ASSERT_TRUE(options.error.empty());
    EXPECT_EQ(options.screenshotPath.value_or(""), "x.png");
    EXPECT_DOUBLE_EQ(options.afterSeconds, 2.5);
    EXPECT_EQ(options.files, (std::vector<std::string>{"a.mov", "b c.mov"}));
}

TEST(LaunchOptions, BadArgumentsAreRefusedWithAReason) {
    EXPECT_FALSE(parseLaunchOptions({"--screenshot"}).error.empty());
    EXPECT_FALSE(parseLaunchOptions({"--after", "soon"}).error.empty());
    EXPECT_FALSE(parseLaunchOptions({"--after", "-1"}).error.empty());
    EXPECT_FALSE(parseLaunchOptions({"--after", "nan"}).error.empty());
    EXPECT_FALSE(parseLaunchOptions({"--bogus"}).error.empty());
    // After "--" everything is a file, even a name that starts with "-".
    const auto options = parseLaunchOptions({"--", "-odd.mov"});
    EXPECT_TRUE(options.error.empty());
    EXPECT_EQ(options.files, (std::vector<std::string>{"-odd.mov"}));
}
