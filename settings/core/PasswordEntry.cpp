#include "PasswordEntry.h"

#include <algorithm>

namespace kyvo::settings {

namespace {

constexpr std::size_t kDigits = SystemSettings::kPasswordMaxLength;

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

PasswordAnswer passwordAnswer(std::string_view newPassword, std::string_view verifyPassword) {
    // The edits take digits only and at most four of them; anything else that
    // arrives here (pasted text) is refused like a mismatch.
    if (newPassword.empty() || newPassword != verifyPassword || newPassword.size() > kDigits || !allDigits(newPassword))
        return kPasswordRejected;
    std::uintptr_t number = 0;
    for (const char c : newPassword)
        number = number * 10 + static_cast<std::uintptr_t>(c - '0');
    return {number, true};
}

std::string fourDigits(std::uintptr_t number) {
    std::string digits(kDigits, '0');
    for (std::size_t i = kDigits; i-- > 0; number /= 10)
        digits[i] = static_cast<char>('0' + number % 10);
    return digits;
}

bool applyPasswordAnswer(SystemSettings& block, const PasswordAnswer& answer) {
    if (answer.accepted) {
        block.setPassword(fourDigits(answer.number));
        return false;
    }
    block.setUsePassword(0);
    return answer.number != 0;
}

} // namespace kyvo::settings
