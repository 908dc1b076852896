#pragma once
// Writing the card record to its file.

#include "CardSettingsRecord.h"

#include <string>

namespace kyvo::settings {

// Creates or truncates `path` and writes the 35 bytes. Answers false on any
// failure (cannot create, short write, failing flush or close); the caller
// tells the user, since the recorder would otherwise keep its old settings
// without anyone knowing.
bool writeCardFile(const std::string& path, const CardRecord& record);

} // namespace kyvo::settings
