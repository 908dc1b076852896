#pragma once
// Well-formed map folders as fuzz inputs: the test town written by mapforge
// with "Map" packed, plain, and with every file packed in small blocks, and a
// small lattice city.

#include "MapFuzzInput.h"

namespace cartoframe::fuzz {

std::vector<Bytes> makeFuzzSeeds();

} // namespace cartoframe::fuzz
