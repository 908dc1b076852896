#pragma once
// The recordings a command line names. The desktop hands the viewer files and
// folders alike (a memory card dropped on its icon, "Open With" on a folder).

#include <filesystem>
#include <string>
#include <vector>

namespace kyvo::recordings {

// Each argument that is a folder stands for the recordings of every kind in
// it (not in its subfolders), without the rear camera's "_R" files whose
// front recording is there too: those play beside their front. Any other
// argument stands for itself, missing or not, so that the viewer says what it
// cannot open. The order is that of the arguments, a folder's recordings in
// the order of the folder scan; the play list sorts them.
std::vector<std::u16string> expandFolderArguments(const std::vector<std::u16string>& arguments);

} // namespace kyvo::recordings
