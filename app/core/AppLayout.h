#pragma once
// The main window's code reads the one layout table (points, rectangles,
// colours and every place of the skin) under its own namespace.

#include "MainScreenLayout.h"

namespace kyvo::app {
using namespace ::kyvo::layout;
} // namespace kyvo::app
