#pragma once
// The string table seen from Qt code.

#include <QString>

namespace kyvo {

// The text of string `id`; empty when the table has none.
QString loadString(int id);

} // namespace kyvo
