#pragma once
// The password popup's answer and what the settings popup makes of it.
//
// The popup takes the new password twice (digits only, at most four) and
// answers (number, accepted):
//   (n, 1)  both entries equal and not empty; n is the entry read as a number
//   (1, 0)  the entries differ or one is empty
//   (0, 0)  the popup was closed
// The settings popup stores an accepted number as four digits with leading
// zeros ("7" gives "0007"); any other answer turns the password off, and a
// rejection tells the user that the entries differ.

#include "SystemSettings.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kyvo::settings {

struct PasswordAnswer {
    std::uintptr_t number = 0;
    bool accepted = false;
    friend bool operator==(const PasswordAnswer&, const PasswordAnswer&) = default;
};

inline constexpr PasswordAnswer kPasswordCancelled{0, false};
inline constexpr PasswordAnswer kPasswordRejected{1, false};

// The answer to OK with the two entries as typed.
PasswordAnswer passwordAnswer(std::string_view newPassword, std::string_view verifyPassword);

// "%d%d%d%d" of the thousands, hundreds, tens and units of `number`.
std::string fourDigits(std::uintptr_t number);

// Applies an answer to the block. Answers true when the user must be told
// that the two entries differ.
bool applyPasswordAnswer(SystemSettings& block, const PasswordAnswer& answer);

} // namespace kyvo::settings
