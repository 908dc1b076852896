#pragma once
// Joining folder texts and names, and finding the file name in a path.

#include <cstddef>
#include <string>
#include <string_view>

namespace kyvo::recordings {

// The platform's path separator in folder texts.
inline constexpr char16_t kSeparator = u'/';

// folder + "/" + name, without doubling a separator the folder already ends
// with. An empty folder gives the name alone (a path relative to the current
// folder) rather than a name in the root folder.
std::u16string joinPath(std::u16string_view folder, std::u16string_view name);

// Index of the first character after the last separator (0 without one).
std::size_t fileNameStart(std::u16string_view path);

inline std::u16string_view fileNameOf(std::u16string_view path) { return path.substr(fileNameStart(path)); }

} // namespace kyvo::recordings
