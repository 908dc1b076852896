#pragma once
// The viewer's configuration text: one line kept as the stored value
// "config", at most kConfigLimit bytes. Fields end at "?" (a "*" also ends
// a field; the rest of it is read as the next field):
//
//   1 level   2 carried value   3 speed unit   4 use password (0/1)
//   5 password (up to four digits)   6 the block's text   7, 8 empty
//   9 volume position   10 on: the settings popup's folder fragment
//
// Reading keeps the block fields 1..5 and the fragment; the text, the empty
// fields and the volume are skipped, and the volume always comes back as 128.

#include "SystemSettings.h"
#include "SystemSettingsStore.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kyvo::app {

inline constexpr std::size_t kConfigLimit = 512;
// Each field is read into a buffer of this size, NUL included.
inline constexpr std::size_t kConfigFieldBuffer = 260;
inline constexpr int kVolumeOnRead = 128;

struct ViewerConfigRead {
    // Zeroed with the read fields, or the defaults when the text is empty.
    settings::SystemSettings block;
    // The main window's use-password flag and stored password (NUL-terminated).
    int usePassword = 0;
    std::array<char, settings::SystemSettings::kPasswordCapacity> storedPassword{};
    int volumePosition = kVolumeOnRead;  // 128, whatever was written
    std::string fragment;                // for SystemSettingsStore::parseFragment
    std::int32_t adapterKey = 0;         // the block's last word
    bool wasEmpty = true;
};

// Reads at most kConfigLimit bytes, up to the first NUL. Any input, however
// garbled, gives the defaults or what can be read.
ViewerConfigRead readViewerConfig(std::span<const std::uint8_t> bytes);
ViewerConfigRead readViewerConfig(std::string_view text);

// "%d?%d?%d?%d?%s?%s?" from the block, "??%d?" with the volume position,
// then, when a store is given, its fragment and "?". Never longer than
// kConfigLimit bytes: the fragment gets the room that is left.
std::string buildViewerConfig(const settings::SystemSettings& block, int volumePosition,
                              const settings::SystemSettingsStore* store);

} // namespace kyvo::app
