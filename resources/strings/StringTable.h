#pragma once
// The viewer's string table: texts for the user by numeric id, UTF-8.

#include <string_view>

namespace kyvo::strings {

// The text of `id`; empty when the table has no such string.
std::string_view text(int id);

} // namespace kyvo::strings
