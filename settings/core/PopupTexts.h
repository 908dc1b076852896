#pragma once
// Fixed texts of the settings popups that are not in the string table.

namespace kyvo::settings::popup {

// The title of the folder browser opened from the popups.
inline constexpr char kFolderBrowserTitle[] = "디렉터리를 선택해 주세요.";
// The capture progress: stills written, stills wanted.
inline constexpr char kProgressFormat[] = "%02d / %02d";
// The program's version in the information popup.
inline constexpr char kVersionFormat[] = "%d.%d.%d.%d";

} // namespace kyvo::settings::popup
