#pragma once
// Turning the checked names of a page into the sorted full paths handed to
// the play list.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kyvo::recordings {

// A selected list holds at most this many paths; index 499 is the last.
inline constexpr std::size_t kSelectedListCapacity = 500;

struct CollectResult {
    std::vector<std::u16string> paths; // sorted, joined with the folder, at most the capacity
    std::size_t checked = 0;           // how many names were checked, including any cut off
    bool cut = false;                  // more than the capacity were checked; the rest were left out
};

// The names whose `checked` flag is set (a missing flag counts as unchecked),
// sorted case-insensitively with CSortStringArray, each joined with `folder`.
// More than kSelectedListCapacity checked names keep the first ones of the
// sorted order and set `cut`. Paths are never shortened: a cut path would name
// another file.
CollectResult collect(const std::vector<std::u16string>& names, const std::vector<bool>& checked,
                      std::u16string_view folder);

} // namespace kyvo::recordings
