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

TEST(LaunchOptions, TheHoldTimeTakesSecondsMinutesAndHours) {
    auto heldAt = [](const char* time) { return parseLaunchOptions({"--at", time, "a.mov"}).heldAtSeconds.value_or(-1); };
    EXPECT_DOUBLE_EQ(heldAt("95"), 95);
    EXPECT_DOUBLE_EQ(heldAt("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(heldAt("1:35"), 95);
    EXPECT_DOUBLE_EQ(heldAt("1:02:03.5"), 3723.5);
    EXPECT_DOUBLE_EQ(heldAt("0:00"), 0);
    EXPECT_TRUE(parseLaunchOptions({"--offline", "a.mov"}).offline);
    EXPECT_FALSE(parseLaunchOptions({"a.mov"}).offline);
}

TEST(LaunchOptions, BadArgumentsAreRefusedWithAReason) {
    EXPECT_FALSE(parseLaunchOptions({"--screenshot"}).error.empty());
    EXPECT_FALSE(parseLaunchOptions({"--after", "soon"}).error.empty());
    EXPECT_FALSE(parseLaunchOptions({"--after", "-1"}).error.empty());
    EXPECT_FALSE(parseLaunchOptions({"--after", "nan"}).error.empty());
    EXPECT_FALSE(parseLaunchOptions({"--bogus"}).error.empty());
    for (const char* time : {"", "soon", "-3", "1:60", "1::2", "1:2:3:4", "1.5:00", "+4", ":30", "30:"})
        EXPECT_FALSE(parseLaunchOptions({"--at", time}).error.empty()) << time;
    EXPECT_FALSE(parseLaunchOptions({"--at"}).error.empty());
    // After "--" everything is a file, even a name that starts with "-".
    const auto options = parseLaunchOptions({"--", "-odd.mov"});
    EXPECT_TRUE(options.error.empty());
    EXPECT_EQ(options.files, (std::vector<std::string>{"-odd.mov"}));
}
