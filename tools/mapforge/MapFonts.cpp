#include "MapFonts.h"

#include <system_error>

namespace kyvo::mapforge {

FontCopyResult copyMapFonts(const std::filesystem::path& from, const std::filesystem::path& to) {
    FontCopyResult result;
    for (const char* name : kMapFontFiles) {
        const std::filesystem::path source = from / name;
        std::error_code code;
        if (!std::filesystem::is_regular_file(source, code)) {
            result.missing.emplace_back(name);
            continue;
        }
        std::filesystem::copy_file(source, to / name, std::filesystem::copy_options::overwrite_existing, code);
        if (code) {
            result.error = "cannot copy " + source.string() + " to " + to.string() + ": " + code.message();
            return result;
        }
    }
    return result;
}

} // namespace kyvo::mapforge
