#include "FileList.h"

#include "Diagnostics.h"
#include "FileProcess.h"

#include <cstring>

namespace cartoframe {
namespace {

char g_targets[FL_ENTRY_COUNT][FL_NAME_MAX + 1];

// A name being collected; bytes beyond FL_NAME_MAX are dropped and mark it cut.
struct TNameBuffer {
    char text[FL_NAME_MAX + 1] = {};
    int length = 0;
    bool cut = false;

    void append(unsigned char raw) {
        if (length == FL_NAME_MAX) {
            cut = true;
            return;
        }
        text[length++] = static_cast<char>(raw ^ FL_KEY);
    }
    void clear() { *this = TNameBuffer{}; }
};

void storeEntry(const TNameBuffer& name, const TNameBuffer& value) {
    if (name.cut)
        return; // longer than every logical name: matches none
    for (int entry = 0; entry < FL_ENTRY_COUNT; ++entry) {
        if (std::strcmp(name.text, FL_LOGICAL_NAMES[entry]) != 0)
            continue;
        if (value.cut) {
            // A cut name would silently name another file.
            dbg_Print("fp_ReadFileList: file name of '%s' longer than %d characters skipped!\n", name.text,
                      FL_NAME_MAX);
            return;
        }
        std::strcpy(g_targets[entry], value.text);
        return;
    }
}

} // namespace

int fp_ReadFileList() {
    std::memset(g_targets, 0, sizeof g_targets);
    std::FILE* file = fp_Open(FL_FILE_NAME, "rb");
    if (!file)
        return -1;
    const int size = fp_Size(file);
    if (size <= 0) {
        dbg_Print("fp_ReadFileList: '%s' is empty!\n", FL_FILE_NAME);
        fp_Close(file);
        return -1;
    }
    TNameBuffer name;
    TNameBuffer value;
    bool inValue = false;
    while (fp_Tell(file) < size) {
        unsigned char raw = 0;
        if (fp_Read(&raw, 1, file) != 1)
            break;
        if (!inValue) {
            if (raw == FL_VALUE_MARK)
                inValue = true;
            else
                name.append(raw);
        } else if (raw == FL_END_MARK) {
            storeEntry(name, value);
            name.clear();
            value.clear();
            inValue = false;
        } else if (raw != FL_FILLER) {
            value.append(raw);
        }
    }
    fp_Close(file);
    return 0;
}

const char* fp_FileListTarget(int entry) {
    return entry >= 0 && entry < FL_ENTRY_COUNT ? g_targets[entry] : "";
}

} // namespace cartoframe
