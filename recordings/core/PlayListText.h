#pragma once
// Texts the play list and the window title show for a recording path.

#include <cstddef>
#include <string>
#include <string_view>

namespace kyvo::recordings {

// The row's name column holds at most this many UTF-16 code units.
inline constexpr std::size_t kRowNameLength = 31;

// "yyyy.mm.dd" from the eight characters after the marker that classify()
// finds ("muevt_" is six long, the others four). A path without a marker uses
// the first eight characters of its file name. Fewer than eight characters
// give what there is, with the dots only between characters that exist.
std::u16string dateText(std::u16string_view path);

// The path from classify()'s marker on, or the file name without a marker,
// cut to kRowNameLength code units (never between the halves of a surrogate
// pair).
std::u16string rowName(std::u16string_view path);

// The window title of the file being played: "drf_", "evt_" and "muevt_" are
// looked for in turn and the last one found above position 0 wins (so a
// manual event beats the "evt_" inside its own marker); the title is the path
// from there on, or empty when none is found (no title is drawn then).
std::u16string titleText(std::u16string_view path);

} // namespace kyvo::recordings
