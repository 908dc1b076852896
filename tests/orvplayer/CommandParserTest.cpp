#include "CommandParser.h"

#include <gtest/gtest.h>

using orv::Command;
using orv::parseCommand;

TEST(CommandParser, EveryCommandWithItsValue) {
    auto load = parseCommand(R"(rovu_loadfile "/media/card/drf_2024 06.mov" "")");
    ASSERT_TRUE(load);
    EXPECT_EQ(load->kind, Command::Kind::LoadFile);
    EXPECT_EQ(load->files[0], "/media/card/drf_2024 06.mov");
    EXPECT_EQ(load->files[1], "");
    EXPECT_EQ(parseCommand("pause")->kind, Command::Kind::Pause);
    EXPECT_EQ(parseCommand("pt_step 1 1")->kind, Command::Kind::EndEntry);
    EXPECT_EQ(parseCommand("seek -1.00")->kind, Command::Kind::SeekRelative);
    EXPECT_DOUBLE_EQ(parseCommand("seek -1.00")->value, -1.0);
    EXPECT_EQ(parseCommand("seek 12.50 2")->kind, Command::Kind::SeekAbsolute);
    EXPECT_EQ(parseCommand("speed_set 0.15 2")->kind, Command::Kind::SpeedSet);
    EXPECT_DOUBLE_EQ(parseCommand("speed_set 0.15 2")->value, 0.15);
    EXPECT_EQ(parseCommand("speed_incr 0.50")->kind, Command::Kind::SpeedAdd);
    EXPECT_EQ(parseCommand("speed_mult 2.00")->kind, Command::Kind::SpeedMultiply);
    EXPECT_EQ(parseCommand("volume 105 2")->kind, Command::Kind::Volume);
    EXPECT_EQ(parseCommand("quit")->kind, Command::Kind::Quit);
}

TEST(CommandParser, NonAsciiPathsAndMalformedCommands) {
    auto load = parseCommand("rovu_loadfile \"/卡片/事件 evt_20240612_081500.mov\" \"/b/muevt_1.mov\"");
    ASSERT_TRUE(load);
    EXPECT_EQ(load->files[0], "/卡片/事件 evt_20240612_081500.mov");
    EXPECT_EQ(load->files[1], "/b/muevt_1.mov");
    std::string reason;
    for (const char* bad : {"", "   ", "bogus 1", "seek", "seek abc", "seek 1 3", "seek nan", "seek 1e999",
                            "volume", "pt_step 2 1", "rovu_loadfile \"unterminated", "rovu_loadfile \"\"",
                            "speed_set 1 2 3", "pause now"}) {
        EXPECT_FALSE(parseCommand(bad, &reason)) << bad;
        EXPECT_FALSE(reason.empty()) << bad;
    }
}

// Inside quotes a backslash escapes a backslash or a double quote; any other
// backslash is kept, so every byte but NUL can travel in a path.
TEST(CommandParser, EscapedPathsReadBackWhole) {
    const struct {
        const char* text;
        const char* first;
        const char* second;
    } cases[] = {
        {R"(rovu_loadfile "/a/say \"hi\".mov" "")", R"(/a/say "hi".mov)", ""},
        {R"(rovu_loadfile "/a\\b\\\\c.mov" "/d\\")", R"(/a\b\\c.mov)", R"(/d\)"},
        {R"(rovu_loadfile "/a\b\c.mov" "\x")", R"(/a\b\c.mov)", R"(\x)"},
        {R"(rovu_loadfile "/卡 \"片\"/e.mov" "/\"")", R"(/卡 "片"/e.mov)", R"(/")"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto load = parseCommand(c.text);
        ASSERT_TRUE(load);
        EXPECT_EQ(load->files[0], c.first);
        EXPECT_EQ(load->files[1], c.second);
    }
    std::string reason;
    EXPECT_FALSE(parseCommand(R"(rovu_loadfile "/a\")", &reason)) << "an escaped quote does not close";
    EXPECT_EQ(reason, "unterminated quote");
}
