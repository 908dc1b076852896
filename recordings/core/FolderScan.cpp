#include "FolderScan.h"

#include "RecordingPaths.h"

#include <optional>
#include <system_error>

namespace kyvo::recordings {

namespace {

namespace fs = std::filesystem;

// The wide form of a native (UTF-8) path; nothing for bytes that are not UTF-8.
std::optional<std::u16string> wide(const fs::path& path) {
    try {
        return path.u16string();
    } catch (const std::system_error&) {
        return std::nullopt;
    }
}

} // namespace

void forEachAccepted(RecordingKind kind, const fs::path& folder,
                     const std::function<bool(std::u16string_view)>& visit) {
    const std::optional<std::u16string> folderText = wide(folder);
    if (!folderText)
        return;
    std::error_code error;
    fs::directory_iterator entry(folder, error);
    if (error)
        return;

    // The full path is rebuilt in one buffer: the folder part stays, the name
    // part is replaced for each entry.
    std::u16string fullPath = joinPath(*folderText, u"");
    const std::size_t namePos = fullPath.size();
    for (const fs::directory_iterator end; entry != end;) {
        std::error_code typeError;
        if (!entry->is_directory(typeError)) {
            const std::optional<std::u16string> name = wide(entry->path().filename());
            if (name) {
                fullPath.replace(namePos, std::u16string::npos, *name);
                if (acceptedFor(kind, fullPath) && !visit(*name))
                    return;
            }
        }
        entry.increment(error);
        if (error)
            return;
    }
}

std::vector<std::u16string> scan(RecordingKind kind, const fs::path& folder) {
    std::vector<std::u16string> names;
    forEachAccepted(kind, folder, [&names](std::u16string_view name) {
        names.emplace_back(name);
        return true;
    });
    return names;
}

bool contains(RecordingKind kind, const fs::path& folder) {
    bool found = false;
    forEachAccepted(kind, folder, [&found](std::u16string_view) {
        found = true;
        return false;
    });
    return found;
}

} // namespace kyvo::recordings
