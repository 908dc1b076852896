// Controls of the settings, password and information popups. The popups are
// plain dark windows that copy these bitmaps unblended onto an opaque
// surface, so every one starts from the popup fill and is fully opaque.
#pragma once

#include <QImage>

namespace kyvo::skin {

// The popup bitmap of id, at its table size; a null image when id is not one
// of the popups' controls.
QImage paintPopupControl(int id);

} // namespace kyvo::skin
