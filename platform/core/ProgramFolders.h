#pragma once
// Where a program of ours finds what ships with it. In the build tree
// everything lies beside the executable. An installed program finds its data
// (the skin, the map page and its scripts, the map fonts) and its private
// libraries (the playback library) in the install layout's folders, named
// relative to the program's own folder, so an installed tree can be moved to
// another prefix as a whole.

#include <filesystem>

namespace kyvo {

struct ProgramFolders {
    std::filesystem::path data;      // skin/, the map page, leaflet/, mapfonts/
    std::filesystem::path libraries; // the private libraries loaded at run time
    bool installed = false;
};

// The install layout's folders relative to the folder of the programs.
struct InstallLayout {
    std::filesystem::path dataFromPrograms;
    std::filesystem::path librariesFromPrograms;
};

// The layout this build installs (bin -> share/kyvo, lib/kyvo).
InstallLayout installLayout();

// The folders of a program in `programFolder`: the install layout's when its
// data folder exists, else the program's folder itself.
ProgramFolders programFoldersOf(const std::filesystem::path& programFolder,
                                const InstallLayout& layout = installLayout());

// The folder of the running executable; empty when it cannot be read.
std::filesystem::path executableFolder();

// The running program's folders, worked out at the first call. Thread-safe.
const ProgramFolders& programFolders();

} // namespace kyvo
