// The channel dialog's decision on OK and the text that keeps its choice
// between runs.

#include "ChannelChoice.h"

#include <gtest/gtest.h>

namespace kyvo::settings {
namespace {

TEST(ChannelChoiceTest, OkTakesTheFieldsOrRefusesAPasswordThatIsNoKey) {
    const ChannelChoice plain{};
    const ChannelChoice scrambled{1, 1, 0xABCu};
    const struct Case {
        const char* name;
        ChannelChoice current;
        int channels;
        int encrypted;
        const char* password;
        ChoiceAnswer answer;
        ChannelChoice result;
    } cases[] = {
        {"two channels, no encryption", plain, 1, 0, "", ChoiceAnswer::Accepted, {1, 0, 0}},
        {"encrypted with a key", plain, 0, 1, "5a17c0de", ChoiceAnswer::Accepted, {0, 1, 0x5A17C0DEu}},
        {"no: the password is not looked at", plain, 0, 0, "not a key", ChoiceAnswer::Accepted, {0, 0, 0}},
        {"no keeps the key in force", scrambled, 0, 0, "", ChoiceAnswer::Accepted, {0, 0, 0xABCu}},
        {"a new key replaces it", scrambled, 1, 1, "FFFFFFFF", ChoiceAnswer::Accepted, {1, 1, 0xFFFFFFFFu}},
        // A refusal changes nothing, the channel count included.
        {"yes without a password", plain, 1, 1, "", ChoiceAnswer::KeyRefused, plain},
        {"yes with 0", plain, 0, 1, "0", ChoiceAnswer::KeyRefused, plain},
        {"yes with nine digits", scrambled, 0, 1, "123456789", ChoiceAnswer::KeyRefused, scrambled},
        {"yes with letters beyond F", plain, 0, 1, "XYZ", ChoiceAnswer::KeyRefused, plain},
        {"radio values out of range", plain, 7, -1, "", ChoiceAnswer::Accepted, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ChoiceOutcome outcome = confirmChannelChoice(c.current, c.channels, c.encrypted, c.password);
        EXPECT_EQ(outcome.answer, c.answer);
        EXPECT_EQ(outcome.choice, c.result);
    }
    EXPECT_EQ(ChannelChoice{}.channelMode(), 1);
    EXPECT_EQ((ChannelChoice{1, 0, 0}.channelMode()), 2);
}

TEST(ChannelChoiceTest, KeptTextReadsBackAndGarbleGivesWhatCanBeRead) {
    const ChannelChoice choice{1, 1, 0x5A17C0DEu, 2};
    EXPECT_EQ(channelChoiceText(choice), "1?1?5A17C0DE?2?");
    EXPECT_EQ(readChannelChoiceText(channelChoiceText(choice)), choice);
    EXPECT_EQ(passwordOf(choice), "5A17C0DE");
    EXPECT_EQ(passwordOf(ChannelChoice{}), "");

    const struct Case {
        const char* text;
        ChannelChoice read;
    } cases[] = {
        {"", {}},
        {"0?0??", {}},
        {"1?0??", {1, 0, 0}},
        {"0?0?ABC?", {0, 0, 0xABCu}},
        {"1?1??", {1, 0, 0}},        // encrypted without a key: general view mode
        {"0?1?0?", {0, 0, 0}},       // nor with a key of 0
        {"0?1?ZZZ?", {0, 0, 0}},
        {"2?9?1?", {0, 0, 1u}},      // radios beyond 1 read as the first button
        {"1*0?1?AB?", {1, 0, 1u}},   // "*" ends a field too: "1", "0", "1"
        {"\xFF\xFF?\xFF", {}},
        {"1?1?5A17C0DE?", {1, 1, 0x5A17C0DEu, 0}}, // kept before the rear's place was: beside
        {"1?0??1?", {1, 0, 0, 1}},
        {"1?0??3?", {1, 0, 0, 0}},                 // no such place
        {"1?0??12?", {1, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(readChannelChoiceText(c.text), c.read);
    }
}

} // namespace
} // namespace kyvo::settings
