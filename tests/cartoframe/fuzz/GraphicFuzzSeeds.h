#pragma once
// Seeds of the graphic fuzz target: drawing programs that reach every canvas
// call with ordinary and extreme coordinates, a fixed and a proportional font
// with a string of both character sets, and colour table texts.

#include "GraphicFuzzInput.h"

namespace cartoframe::fuzz {

std::vector<GraphicBytes> makeGraphicSeeds();

} // namespace cartoframe::fuzz
