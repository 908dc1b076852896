#pragma once
// The start-up password gate: the typed entry is padded with leading zeros to
// four digits and its first four characters are compared with the stored
// password, as a C string comparison of at most four characters.

#include <array>
#include <string>
#include <string_view>

namespace kyvo::app {

inline constexpr std::size_t kPasswordLength = 4;
using StoredPassword = std::array<char, kPasswordLength + 1>;

// "7" -> "0007", "123" -> "0123"; an empty entry and four digits stay as they are.
std::string padPasswordEntry(std::string_view entry);

// True when the padded entry matches the stored password.
bool passwordAccepted(std::string_view entry, const StoredPassword& stored);

} // namespace kyvo::app
