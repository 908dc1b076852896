#pragma once
// The map's colour table: sixteen named entries read from "COLOR.INI" in the
// map folder, or written there with their defaults when the file is missing.
//
// "COLOR.INI" holds one line per entry: name=red,green,blue, then the bytes
// 13 and 10. Reading goes byte by byte:
//   - the bytes up to "=" form the name; a byte 13 is ignored, a byte 10
//     before any "=" ends a line that is ignored;
//   - after "=", each "," starts the next value, a byte 13 is ignored and a
//     byte 10 ends the line; any other byte is a decimal digit (a non-digit
//     counts as 0, so "1 2" reads as 102) and value = value * 10 + digit;
//   - at the end of a line the values are held to 0..255 and the entry with
//     exactly that name takes them (its border colour too); a line with an
//     unknown name is ignored.
// Limits: a value stops growing at 255, however many digits follow; a fourth
// and later value on a line is ignored; a name longer than CT_NAME_MAX
// characters names no entry, so its line is ignored; the end of the file
// ends its last line, with or without a line feed. Entries the file does not
// name keep their defaults.
//
// Colours are 0x00BBGGRR (red | green << 8 | blue << 16). Entries 0 to 9
// also have a border colour: every component v becomes v - v / 3.
//
// One table per process, like the rest of the library; single-threaded.

#include "Canvas.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace cartoframe {

inline constexpr int CT_ENTRY_NUM = 16;
inline constexpr int CT_BORDER_NUM = 10; // entries 0..9 have border colours
inline constexpr int CT_NAME_MAX = 127;  // characters of an entry name
inline constexpr int CT_VALUE_MAX = 255;
inline constexpr char CT_FILE_NAME[] = "COLOR.INI";

enum TColorIndex : int {
    CT_ALLEY_RD = 0,
    CT_FREE_WAY = 1,
    CT_FAST_RD = 2,
    CT_PROV_RD = 3,
    CT_HSIEN_RD = 4,
    CT_IMP_RD = 5,
    CT_COUNTRY_RD = 6,
    CT_NORMAL_RD = 7,
    CT_ROUTE_RD = 8,
    CT_OPT_PATH_BK = 9,
    CT_OPT_PATH_FR = 10,
    CT_MAP_BK = 11,
    CT_WATER = 12,
    CT_SHAPE = 13,
    CT_RD_NAME = 14,
    CT_RD_FRAME = 15,
};

struct TColorEntry {
    char name[CT_NAME_MAX + 1];
    int red;
    int green;
    int blue;
};

// The entry's name and default values ("AlleyRd", 255, 255, 255 ...).
const TColorEntry& g_DefaultColorEntry(int index);

// Loads the table: the defaults, then "COLOR.INI" from the map folder read
// over them. Answers 0 when the file was opened (one that cannot be read
// through leaves the defaults, with a message); 1 when it could not be
// opened, so the defaults were kept and written to it; -1 when that write
// failed too. The file is written in binary: each line ends in exactly the
// bytes 13 and 10.
int g_LoadColorTable();
// Back to the sixteen defaults and their border colours.
void g_ResetColorTable();
// Reads the text of a "COLOR.INI" file over the current table.
void g_ParseColorText(const std::uint8_t* bytes, std::size_t length);
// The current table as the text of a "COLOR.INI" file: for each entry
// "%s=%d,%d,%d%c%c" with 13 and 10.
std::string g_ColorTableText();

// The colour of entry i (0 for an index outside the table).
TColor g_GetColor(int index);
// The border colour of entry i < CT_BORDER_NUM (0 for any other index).
TColor g_GetBorderColor(int index);
TColor g_MapBackColor();   // entry 11, "2DMapBk"
TColor g_WaterColor();     // entry 12, "Water"
TColor g_ShapeColor();     // entry 13, "Shape": land-use areas
TColor g_RoadNameColor();  // entry 14, "RdName": road-name text
TColor g_RoadFrameColor(); // entry 15, "RdFrame": road-name outline

} // namespace cartoframe
