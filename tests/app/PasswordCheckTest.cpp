#include "PasswordCheck.h"

#include <gtest/gtest.h>

using namespace kyvo::app;

namespace {
StoredPassword stored(const char* digits) {
    StoredPassword password{};
    for (std::size_t i = 0; digits[i] && i < kPasswordLength; ++i)
        password[i] = digits[i];
    return password;
}
} // namespace

TEST(PasswordCheck, ShortEntriesArePaddedWithLeadingZeros) {
    EXPECT_EQ(padPasswordEntry("7"), "0007");
    EXPECT_EQ(padPasswordEntry("42"), "0042");
    EXPECT_EQ(padPasswordEntry("123"), "0123");
    EXPECT_EQ(padPasswordEntry("1234"), "1234");
    EXPECT_EQ(padPasswordEntry(""), "");
}

TEST(PasswordCheck, TheStoredDigitsWithoutLeadingZerosUnlock) {
    EXPECT_TRUE(passwordAccepted("7", stored("0007")));
    EXPECT_TRUE(passwordAccepted("0007", stored("0007")));
    EXPECT_TRUE(passwordAccepted("1234", stored("1234")));
    EXPECT_FALSE(passwordAccepted("1235", stored("1234")));
    EXPECT_FALSE(passwordAccepted("70", stored("0007")));
}

TEST(PasswordCheck, WithoutAStoredPasswordOnlyAnEmptyEntryUnlocks) {
    EXPECT_TRUE(passwordAccepted("", stored("")));
    EXPECT_FALSE(passwordAccepted("0", stored("")));
    EXPECT_FALSE(passwordAccepted("", stored("1234")));
}
