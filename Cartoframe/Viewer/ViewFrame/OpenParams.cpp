// The map folder and the window's place, worked out from what the host gives.
#include "ViewFrame.h"

#include <algorithm>
#include <cstring>

namespace cartoframe {
namespace {

// Separators that end the executable's folder.
bool isSeparator(char c) {
#if defined(_WIN32)
    return c == '/' || c == '\\';
#else
    return c == '/';
#endif
}

constexpr char FOLDER_SEPARATOR = '/';

} // namespace

bool vf_BuildMapFolder(const char* mapFolder, const char* executablePath, char* out, int outSize) {
    if (!out || outSize <= 0)
        return false;
    out[0] = '\0';
    // Nothing longer than the map folder's limit, or than out can hold, is taken.
    const std::size_t limit = std::min<std::size_t>(VF_MAP_FOLDER_MAX, static_cast<std::size_t>(outSize - 1));
    if (mapFolder) {
        const std::size_t length = std::strlen(mapFolder);
        if (length > limit)
            return false;
        std::memcpy(out, mapFolder, length + 1);
        return true;
    }
    if (!executablePath)
        return false;
    // The executable's folder is its path up to the last separator; a bare
    // name lies in the working folder.
    std::size_t folderLength = std::strlen(executablePath);
    while (folderLength > 0 && !isSeparator(executablePath[folderLength - 1]))
        --folderLength;
    const std::size_t nameLength = sizeof VF_DEFAULT_FOLDER_NAME - 1;
    const bool addSeparator = folderLength == 0;
    const std::size_t total = folderLength + (addSeparator ? 2 : 0) + nameLength;
    if (total > limit)
        return false;
    std::size_t at = 0;
    if (addSeparator) {
        out[at++] = '.';
        out[at++] = FOLDER_SEPARATOR;
    } else {
        std::memcpy(out, executablePath, folderLength);
        at = folderLength;
    }
    std::memcpy(out + at, VF_DEFAULT_FOLDER_NAME, nameLength + 1);
    return true;
}

TWindowGeometry vf_WindowGeometry(int x, int y, int width, int height, int screenWidth, int screenHeight) {
    TWindowGeometry g;
    if (width == VF_DEFAULT_SIZE) {
        g.width = VF_DEFAULT_WIDTH;
        g.height = VF_DEFAULT_HEIGHT;
    } else {
        g.width = width;
        g.height = height;
    }
    g.x = x == VF_DEFAULT_POSITION ? screenWidth / 2 : x;
    g.y = y == VF_DEFAULT_POSITION ? (screenHeight - g.height) / 2 : y;
    return g;
}

} // namespace cartoframe
