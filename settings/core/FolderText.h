#pragma once
// Folder texts of the settings popups: a chosen folder is kept with a
// trailing separator (file names are appended to it directly), and a long
// folder is shown cut in its box.

#include <string>
#include <string_view>

namespace kyvo::settings {

// `folder` with "/" at its end; the root "/" (and any folder already ending
// in "/") stays as it is. An empty folder stays empty.
std::string withTrailingSeparator(std::string_view folder);

// The first 13 characters and "..." when the folder has 13 characters or
// more, else the folder. Characters are UTF-8 code points: a name is never
// cut inside a character.
std::string folderBoxText(std::string_view folder);

} // namespace kyvo::settings
