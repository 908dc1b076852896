#include "PasswordCheck.h"

#include <cstring>

namespace kyvo::app {

std::string padPasswordEntry(std::string_view entry) {
    std::string padded(entry);
    if (!padded.empty() && padded.size() < kPasswordLength)
        padded.insert(0, kPasswordLength - padded.size(), '0');
    return padded;
}

bool passwordAccepted(std::string_view entry, const StoredPassword& stored) {
    const std::string padded = padPasswordEntry(entry);
    // The stored password is NUL-terminated within its five bytes.
    return std::strncmp(padded.c_str(), stored.data(), kPasswordLength) == 0;
}

} // namespace kyvo::app
