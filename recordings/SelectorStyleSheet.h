#pragma once
// The style sheet of the file selector window. It is set on the selector
// only, so the rest of the viewer keeps its own look.

#include <QString>

namespace kyvo::recordings {

QString selectorStyleSheet();

} // namespace kyvo::recordings
