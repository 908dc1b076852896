#include "RecordingPaths.h"

namespace kyvo::recordings {

std::u16string joinPath(std::u16string_view folder, std::u16string_view name) {
    std::u16string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder);
    if (!folder.empty() && folder.back() != kSeparator)
        path.push_back(kSeparator);
    path.append(name);
    return path;
}

std::size_t fileNameStart(std::u16string_view path) {
    const std::size_t last = path.rfind(kSeparator);
    return last == std::u16string_view::npos ? 0 : last + 1;
}

} // namespace kyvo::recordings
