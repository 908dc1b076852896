#pragma once
// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes. Qt-free; QtTempFolder.h hands Qt tests the same
// folder with QString paths.
//
// The name is the prefix followed by six letters or digits (mkdtemp), so the
// folder itself brings no '_' into a path: a recording kind read from a folder
// name ("drf_...") never comes from the scratch folder.

#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace kyvo::test {

class TempFolder {
public:
    // Throws std::system_error when no folder can be made; a test that
    // constructs one then fails with the reason.
    explicit TempFolder(std::string_view prefix = "kyvotest") {
        std::string pattern = (std::filesystem::temp_directory_path() / prefix).string() + "XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::system_error(errno, std::generic_category(), "cannot make the temporary folder " + pattern);
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

} // namespace kyvo::test
