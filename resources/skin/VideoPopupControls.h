// The close buttons of the enlarged video popups. The popups are black inside
// a one-pixel grey frame and their buttons touch the frame's top edge, so
// each face starts from black and carries the frame line along its top row.
#pragma once

#include <QImage>

namespace kyvo::skin {

// The video popups' bitmap of id, at its table size; a null image when id is
// not one of theirs.
QImage paintVideoPopupControl(int id);

} // namespace kyvo::skin
