#pragma once
// Names of the files the viewer makes from a recording: its backup copy and
// its snapshot stills.
//
// Both start from the recording's stem: its file name from the kind marker on,
// without the last four characters (the ".mov"). The marker is looked for in
// the file name only, never in the folders above it, so a stem never holds a
// separator; a name without the marker gives the whole file name.

#include <string>
#include <string_view>

namespace kyvo::recordings {

// The name text of the backup copy: the backup folder, "/" when the folder
// does not already end in one, then "copy_", the stem and ".mov".
// The marker is chosen by the first four characters of the file name:
// "drf_", else "evt_", else "muevt_".
std::u16string backupCopyName(std::u16string_view backupFolder, std::u16string_view currentPath);

// The stem (from the marker classify() would pick, looked for in the file
// name) followed by "_MmSs.jpg": the digits of the minutes and seconds of
// `displaySecond` (the playing second counted from 1). A negative second
// counts as 0.
std::u16string snapshotName(std::u16string_view currentPath, int displaySecond);

} // namespace kyvo::recordings
