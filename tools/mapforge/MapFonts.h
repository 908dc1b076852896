#pragma once
// The bitmap fonts the map drawing needs (faces MingTi12, MingTi14 and
// MingTi15, each a single-byte ".0" and a two-byte ".1" file) and the font's
// licence: every data set mapforge writes carries a copy of them.

#include <filesystem>
#include <string>
#include <vector>

namespace kyvo::mapforge {

inline constexpr const char* kMapFontFiles[] = {"MingTi12.0", "MingTi12.1", "MingTi14.0", "MingTi14.1",
                                                "MingTi15.0", "MingTi15.1", "MingTi.LICENSE"};

struct FontCopyResult {
    std::vector<std::string> missing; // not found in the source folder, not copied
    std::string error;                // a file that was found but could not be copied
    bool ok() const { return error.empty(); }
};

// Copies every font file found in `from` into `to`, replacing older copies.
FontCopyResult copyMapFonts(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace kyvo::mapforge
