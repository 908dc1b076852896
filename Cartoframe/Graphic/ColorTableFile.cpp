// "COLOR.INI" through the file store: read whole and handed to the reader, or
// written with the defaults when it cannot be opened.
#include "ColorTable.h"
#include "Diagnostics.h"
#include "FileProcess.h"

#include <cstdlib>
#include <string>

namespace cartoframe {

namespace {

constexpr int kLoaded = 0;
constexpr int kDefaultsWritten = 1;
constexpr int kWriteFailed = -1;

// Reads the open file over the table; false when it cannot be read whole.
bool readColorFile(std::FILE* stream) {
    const int size = fp_Size(stream);
    if (size <= 0)
        return size == 0;
    auto* bytes = static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(size)));
    if (bytes == nullptr)
        return false;
    const bool read = fp_Read(bytes, size, stream) == size;
    if (read)
        g_ParseColorText(bytes, static_cast<std::size_t>(size));
    std::free(bytes);
    return read;
}

// Writes the table as the file's text. The bytes are written as they are
// formatted: each line ends in 13, 10 and no translation adds to that.
int writeDefaults() {
    std::FILE* stream = fp_Open(CT_FILE_NAME, "wb");
    if (stream == nullptr)
        return kWriteFailed;
    const std::string text = g_ColorTableText();
    const int length = static_cast<int>(text.size());
    const bool written = fp_Write(text.data(), length, stream) == length;
    fp_Close(stream);
    if (!written)
        dbg_Print("g_LoadColorTable: writing %s failed!\n", CT_FILE_NAME);
    return written ? kDefaultsWritten : kWriteFailed;
}

} // namespace

int g_LoadColorTable() {
    g_ResetColorTable();
    std::FILE* stream = fp_Open(CT_FILE_NAME, "rb");
    if (stream == nullptr)
        return writeDefaults();
    const bool read = readColorFile(stream);
    fp_Close(stream);
    if (!read) {
        dbg_Print("g_LoadColorTable: %s could not be read, the defaults stay!\n", CT_FILE_NAME);
        g_ResetColorTable();
    }
    return kLoaded;
}

} // namespace cartoframe
