// The colour table: its defaults, the derived colours, the reader of the
// "COLOR.INI" text and its writer. File access is in ColorTableFile.cpp.
#include "ColorTable.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace cartoframe {

namespace {

constexpr std::array<TColorEntry, CT_ENTRY_NUM> kDefaults = {{
    {"AlleyRd", 255, 255, 255},
    {"FreeWay", 255, 196, 70},
    {"FastRd", 255, 253, 140},
    {"ProvRd", 255, 253, 140},
    {"HsienRd", 255, 255, 255},
    {"ImpRd", 255, 255, 255},
    {"CountryRd", 255, 255, 255},
    {"NormalRd", 255, 255, 255},
    {"RouteRd", 255, 255, 255},
    {"OptPathBk", 225, 123, 41},
    {"OptPathFr", 250, 186, 26},
    {"2DMapBk", 242, 239, 234},
    {"Water", 156, 182, 206},
    {"Shape", 181, 215, 156},
    {"RdName", 0, 0, 0},
    {"RdFrame", 128, 128, 128},
}};

constexpr char kLineFormat[] = "%s=%d,%d,%d%c%c";
constexpr char kCarriageReturn = 13;
constexpr char kLineFeed = 10;
constexpr int kValuesPerLine = 3;
constexpr int kDecimal = 10;

struct ColourTable {
    std::array<TColorEntry, CT_ENTRY_NUM> entries = kDefaults;
    std::array<TColor, CT_ENTRY_NUM> colours{};
    std::array<TColor, CT_BORDER_NUM> borders{};
};
ColourTable g_table;
bool g_derived = false;

int clampComponent(int v) { return std::clamp(v, 0, CT_VALUE_MAX); }

TColor packColour(int red, int green, int blue) {
    return static_cast<TColor>(clampComponent(red)) | static_cast<TColor>(clampComponent(green)) << 8 |
           static_cast<TColor>(clampComponent(blue)) << 16;
}

// A border is the colour two thirds as bright: v - v / 3 per component.
int borderComponent(int v) { return clampComponent(v - v / 3); }

void deriveColours(int index) {
    const TColorEntry& e = g_table.entries[static_cast<std::size_t>(index)];
    g_table.colours[static_cast<std::size_t>(index)] = packColour(e.red, e.green, e.blue);
    if (index < CT_BORDER_NUM)
        g_table.borders[static_cast<std::size_t>(index)] =
            packColour(borderComponent(e.red), borderComponent(e.green), borderComponent(e.blue));
}

// The table starts with its defaults even before anyone loads it.
void ensureDerived() {
    if (g_derived)
        return;
    for (int i = 0; i < CT_ENTRY_NUM; ++i)
        deriveColours(i);
    g_derived = true;
}

int findEntry(const char* name) {
    for (int i = 0; i < CT_ENTRY_NUM; ++i)
        if (std::strcmp(g_table.entries[static_cast<std::size_t>(i)].name, name) == 0)
            return i;
    return -1;
}

// One line of "COLOR.INI" as it is read.
struct LineReader {
    char name[CT_NAME_MAX + 1] = {};
    int nameLength = 0;
    bool nameTooLong = false;
    bool inValues = false; // after the "="
    int valueIndex = 0;    // values after the third are dropped
    int values[kValuesPerLine] = {};

    void takeName(char c) {
        if (nameLength < CT_NAME_MAX)
            name[nameLength++] = c;
        else
            nameTooLong = true;
    }
    void takeDigit(char c) {
        if (valueIndex >= kValuesPerLine)
            return;
        const int digit = c >= '0' && c <= '9' ? c - '0' : 0;
        int& value = values[valueIndex];
        value = std::min(value * kDecimal + digit, CT_VALUE_MAX);
    }
    // Applies a complete line to the table and starts the next.
    void finish() {
        if (inValues && !nameTooLong) {
            name[nameLength] = '\0';
            const int index = findEntry(name);
            if (index >= 0) {
                TColorEntry& e = g_table.entries[static_cast<std::size_t>(index)];
                e.red = clampComponent(values[0]);
                e.green = clampComponent(values[1]);
                e.blue = clampComponent(values[2]);
                deriveColours(index);
            }
        }
        *this = LineReader{};
    }
    void take(char c) {
        if (c == kCarriageReturn)
            return;
        if (c == kLineFeed) {
            finish();
        } else if (!inValues) {
            if (c == '=')
                inValues = true;
            else
                takeName(c);
        } else if (c == ',') {
            ++valueIndex;
            valueIndex = std::min(valueIndex, kValuesPerLine);
        } else {
            takeDigit(c);
        }
    }
};

} // namespace

const TColorEntry& g_DefaultColorEntry(int index) {
    return kDefaults[static_cast<std::size_t>(std::clamp(index, 0, CT_ENTRY_NUM - 1))];
}

void g_ResetColorTable() {
    g_table = ColourTable{};
    g_derived = false;
    ensureDerived();
}

void g_ParseColorText(const std::uint8_t* bytes, std::size_t length) {
    ensureDerived();
    if (bytes == nullptr)
        return;
    LineReader line;
    for (std::size_t i = 0; i < length; ++i)
        line.take(static_cast<char>(bytes[i]));
    line.finish(); // a last line without its line feed counts too
}

std::string g_ColorTableText() {
    ensureDerived();
    std::string text;
    for (const TColorEntry& e : g_table.entries) {
        char line[CT_NAME_MAX + 64];
        const int length =
            std::snprintf(line, sizeof line, kLineFormat, e.name, e.red, e.green, e.blue, kCarriageReturn, kLineFeed);
        text.append(line, static_cast<std::size_t>(std::clamp<int>(length, 0, sizeof line - 1)));
    }
    return text;
}

TColor g_GetColor(int index) {
    ensureDerived();
    return index >= 0 && index < CT_ENTRY_NUM ? g_table.colours[static_cast<std::size_t>(index)] : 0;
}

TColor g_GetBorderColor(int index) {
    ensureDerived();
    return index >= 0 && index < CT_BORDER_NUM ? g_table.borders[static_cast<std::size_t>(index)] : 0;
}

TColor g_MapBackColor() { return g_GetColor(CT_MAP_BK); }
TColor g_WaterColor() { return g_GetColor(CT_WATER); }
TColor g_ShapeColor() { return g_GetColor(CT_SHAPE); }
TColor g_RoadNameColor() { return g_GetColor(CT_RD_NAME); }
TColor g_RoadFrameColor() { return g_GetColor(CT_RD_FRAME); }

} // namespace cartoframe
