#pragma once
// Listing the recordings of one kind in one folder (not its subfolders).

#include "RecordingKind.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kyvo::recordings {

// The bare file names of the files in `folder` that `acceptedFor(kind, ...)`
// accepts, tested on the full path folder + "/" + name, in the order the file
// system enumerates them. Directories are skipped; every other entry (files,
// links to files, even dangling links) is tested by name. A folder that cannot
// be read gives an empty list, and reading stops quietly at an error part way
// through. Names that are not valid UTF-8 are skipped: no wide path could
// name them. Nothing throws except an allocation failure.
std::vector<std::u16string> scan(RecordingKind kind, const std::filesystem::path& folder);

// Calls `visit` with the bare name of each file scan(kind, folder) would
// list, in the same order, for as long as it answers true.
void forEachAccepted(RecordingKind kind, const std::filesystem::path& folder,
                     const std::function<bool(std::u16string_view)>& visit);

// Whether `folder` holds at least one file that scan(kind, folder) would list;
// stops reading at the first.
bool contains(RecordingKind kind, const std::filesystem::path& folder);

} // namespace kyvo::recordings
