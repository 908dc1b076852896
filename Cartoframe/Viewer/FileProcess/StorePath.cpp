#include "StorePath.h"

namespace cartoframe::store {

std::string joinStorePath(const char* base, const char* name) {
    std::string path = base;
    const bool baseEndsInSlash = !path.empty() && path.back() == '/';
    const bool nameStartsWithSlash = name[0] == '/';
    if (!baseEndsInSlash && !nameStartsWithSlash)
        path += '/';
    else if (baseEndsInSlash && nameStartsWithSlash)
        ++name;
    path += name;
    return path;
}

} // namespace cartoframe::store
