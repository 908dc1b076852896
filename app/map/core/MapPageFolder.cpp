#include "MapPageFolder.h"

#include <string_view>
#include <system_error>

namespace kyvo::map {

namespace {

// The entries of the program's data folder that the page loads.
constexpr std::string_view kPageFiles[] = {kLeafletFolder, kShimScriptFile};

// Links `name` in `folder` to the same name in `target` unless some entry of
// that name is there already (also a dangling link: the user's own).
bool linkPageFile(const std::filesystem::path& folder, const std::filesystem::path& target, std::string_view name) {
    const auto link = folder / name;
    std::error_code error;
    if (std::filesystem::symlink_status(link, error).type() != std::filesystem::file_type::not_found)
        return !error;
    std::filesystem::create_symlink(target / name, link, error);
    return !error;
}

} // namespace

MapPageFolder placeGoogleMapPage(const std::filesystem::path& programData, const std::filesystem::path& userFolder,
                                 double latitude, double longitude) {
    const PageWrite own = writeGoogleMapPage(programData, latitude, longitude);
    if (own != PageWrite::Failed || userFolder.empty())
        return {own == PageWrite::Failed ? std::filesystem::path() : programData, own};

    std::error_code error;
    std::filesystem::create_directories(userFolder, error);
    if (error)
        return {};
    // The absolute target keeps the links right when the user folder moves.
    const auto target = std::filesystem::absolute(programData, error);
    if (error)
        return {};
    for (const std::string_view name : kPageFiles)
        if (!linkPageFile(userFolder, target, name))
            return {};
    const PageWrite user = writeGoogleMapPage(userFolder, latitude, longitude);
    if (user == PageWrite::Failed)
        return {};
    return {userFolder, user};
}

} // namespace kyvo::map
