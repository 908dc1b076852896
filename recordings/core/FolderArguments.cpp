#include "FolderArguments.h"

#include "FolderScan.h"
#include "RecordingKind.h"

#include <set>
#include <system_error>

namespace kyvo::recordings {

namespace {

constexpr std::u16string_view kRearSuffix = u"_R";

// The front recording's name of a rear camera's file ("x_R.mov" -> "x.mov"),
// or an empty name when `name` is not one.
std::u16string frontOf(std::u16string_view name) {
    const auto dot = name.rfind(u'.');
    if (dot == std::u16string_view::npos || dot < kRearSuffix.size() + 1 ||
        name.substr(dot - kRearSuffix.size(), kRearSuffix.size()) != kRearSuffix)
        return {};
    std::u16string front(name.substr(0, dot - kRearSuffix.size()));
    front += name.substr(dot);
    return front;
}

void appendFolder(const std::filesystem::path& folder, std::vector<std::u16string>& out) {
    std::vector<std::u16string> names;
    for (const RecordingKind kind : kAllKinds)
        for (auto& name : scan(kind, folder))
            names.push_back(std::move(name));
    const std::set<std::u16string> present(names.begin(), names.end());
    for (const auto& name : names) {
        if (const auto front = frontOf(name); !front.empty() && present.count(front))
            continue;
        out.push_back((folder / std::filesystem::path(name)).u16string());
    }
}

} // namespace

std::vector<std::u16string> expandFolderArguments(const std::vector<std::u16string>& arguments) {
    std::vector<std::u16string> out;
    for (const auto& argument : arguments) {
        const std::filesystem::path path(argument);
        std::error_code error;
        if (std::filesystem::is_directory(path, error))
            appendFolder(path, out);
        else
            out.push_back(argument);
    }
    return out;
}

} // namespace kyvo::recordings
