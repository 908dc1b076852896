#pragma once
// The file list "FileList.cfg" in the map folder: which file holds each of
// the five logical parts of a map data set.
//
// The file is a run of entries. Each entry is its logical name with every
// byte scrambled (XOR FL_KEY), a raw FL_VALUE_MARK, the target file name
// scrambled the same way with any number of raw FL_FILLER bytes mixed in,
// and a raw FL_END_MARK. The key maps the three raw marks to bytes above
// 0x7F, so no scrambled ASCII byte can be taken for one.

namespace cartoframe {

enum TFileListEntry : int {
    FL_MAP = 0,
    FL_ROADNAME = 1,
    FL_ROADNODE = 2,
    FL_RSPEEDIDX = 3,
    FL_LOGO = 4,
    FL_ENTRY_COUNT = 5,
};

inline constexpr char FL_FILE_NAME[] = "FileList.cfg";
inline constexpr const char* FL_LOGICAL_NAMES[FL_ENTRY_COUNT] = {"Map", "RoadName", "RoadNode", "RSpeedIdx",
                                                                  "Logo"};
inline constexpr int FL_NAME_MAX = 127; // characters of a logical or target name
inline constexpr unsigned char FL_KEY = 0xA5;
inline constexpr unsigned char FL_VALUE_MARK = 'h';
inline constexpr unsigned char FL_END_MARK = '_';
inline constexpr unsigned char FL_FILLER = 'X';

// Reads "FileList.cfg" from the base folder through the store and fills the
// five target names (all empty first). Answers 0, or -1 when the file does
// not open or is empty.
int fp_ReadFileList();
// Target file name of entry 0 to 4 ("" when the list did not name it or the
// entry is out of range).
const char* fp_FileListTarget(int entry);

} // namespace cartoframe
