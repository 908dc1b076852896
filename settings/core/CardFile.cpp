#include "CardFile.h"

#include <cstdio>

namespace kyvo::settings {

bool writeCardFile(const std::string& path, const CardRecord& record) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(record.data(), 1, record.size(), file) == record.size();
    // fclose flushes the buffered bytes; a full or vanished card shows up here.
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

} // namespace kyvo::settings
