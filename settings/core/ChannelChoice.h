#pragma once
// The channel dialog's choice and what decides it, without a window: how many
// channels the recorder made (one or two pictures per recording) and whether
// its recordings are scrambled, with the key that restores them (the password
// "P/W", RecordingScramble.h), and with two channels where the rear picture
// goes.
//
// The choice reaches the player adapter before the next file loads (channel
// mode 1 or 2, encrypted view mode 0 or 1, key) and is kept between runs as a
// short text: "channels?encrypted?KEY?view?" (0 or 1, 0 or 1, the key in
// hexadecimal, empty for none, 0 to 2), e.g. "1?1?5A17C0DE?2?"; a text
// without the view (as earlier versions kept it) reads as view 0. The key
// also goes into the settings block's last word (SystemSettings::key).

#include "PixelGeometry.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kyvo::settings {

// The dialog: its resource and control ids, texts and places (client pixels).
namespace channel_dialog {
inline constexpr int kResourceId = 276;
inline constexpr int kOneChannel = 1092;
inline constexpr int kTwoChannels = 1093;
inline constexpr int kChannelGroup = 1126;
inline constexpr int kEncryptionGroup = 1139;
inline constexpr int kEncryptionYes = 1238;
inline constexpr int kEncryptionNo = 1239;
inline constexpr int kPasswordEdit = 1138;
inline constexpr int kOk = 1;
inline constexpr int kPasswordMaxLength = 8;
// Where the rear picture goes with two channels (the viewer's own group).
inline constexpr int kRearGroup = 1250;
inline constexpr int kRearBeside = 1251;
inline constexpr int kRearSwapped = 1252;
inline constexpr int kRearInside = 1253;

inline constexpr char kTitle[] = "Channel";
inline constexpr char kChannelGroupText[] = "1. Channel Selection";
inline constexpr char kOneChannelText[] = "1 Channel";
inline constexpr char kTwoChannelsText[] = "2 Channel";
inline constexpr char kEncryptionGroupText[] = "2. Encryption File View Mode";
inline constexpr char kEncryptionNoText[] = "No";
inline constexpr char kEncryptionYesText[] = "Yes  ->";
inline constexpr char kPasswordLabelText[] = "P/W";
inline constexpr char kRearGroupText[] = "3. Rear Picture (2 Channel)";
inline constexpr char kRearBesideText[] = "Beside";
inline constexpr char kRearSwappedText[] = "Swapped";
inline constexpr char kRearInsideText[] = "Inside";

inline constexpr layout::Size kSize{330, 296};
inline constexpr layout::Rect kChannelGroupRect = layout::Rect::sized(12, 10, 306, 62);
inline constexpr layout::Rect kOneChannelRect = layout::Rect::sized(30, 36, 110, 24);
inline constexpr layout::Rect kTwoChannelsRect = layout::Rect::sized(170, 36, 110, 24);
inline constexpr layout::Rect kEncryptionGroupRect = layout::Rect::sized(12, 84, 306, 88);
inline constexpr layout::Rect kEncryptionNoRect = layout::Rect::sized(30, 110, 110, 24);
inline constexpr layout::Rect kEncryptionYesRect = layout::Rect::sized(30, 138, 80, 24);
inline constexpr layout::Rect kPasswordLabelRect = layout::Rect::sized(118, 138, 36, 24);
inline constexpr layout::Rect kPasswordEditRect = layout::Rect::sized(156, 138, 140, 24);
inline constexpr layout::Rect kRearGroupRect = layout::Rect::sized(12, 180, 306, 62);
inline constexpr layout::Rect kRearBesideRect = layout::Rect::sized(30, 206, 86, 24);
inline constexpr layout::Rect kRearSwappedRect = layout::Rect::sized(120, 206, 96, 24);
inline constexpr layout::Rect kRearInsideRect = layout::Rect::sized(220, 206, 86, 24);
inline constexpr layout::Point kOkButton{122, 254}; // its size is its image's
inline constexpr int kTextFont = 90;                // tenths of a point
inline constexpr layout::Rgb kBackground = layout::rgb(0x000000);
inline constexpr layout::Rgb kText = layout::rgb(0xFFFFFF);
} // namespace channel_dialog

struct ChannelChoice {
    int channels = 0;      // 0: "1 Channel", 1: "2 Channel"
    int encrypted = 0;     // 0: "No" (general view mode), 1: "Yes" (encrypted view mode)
    std::uint32_t key = 0; // 0: none
    // With two channels: 0 the rear beside the front (in the map's panel),
    // 1 front and rear swapped, 2 the rear also inside the front's corner.
    int rearView = 0;
    // The adapter's channel mode: 1 or 2.
    int channelMode() const { return channels == 1 ? 2 : 1; }
    bool operator==(const ChannelChoice&) const = default;
};

enum class ChoiceAnswer { Accepted, KeyRefused };

struct ChoiceOutcome {
    ChoiceAnswer answer;
    ChannelChoice choice; // the new choice when accepted, else the one in force
};

// What OK makes of the dialog's fields, from the choice in force: "Yes" needs
// a password that is a key (1 to 8 hexadecimal digits, not 0), or the whole
// choice is refused; "No" leaves the key as it was. Radio values other than
// 0 and 1 count as 0; a rear view other than 0 to 2 counts as 0.
ChoiceOutcome confirmChannelChoice(const ChannelChoice& current, int channels, int encrypted,
                                   std::string_view password, int rearView = 0);

// The password shown in the dialog for a choice: the key in hexadecimal, or
// empty without one.
std::string passwordOf(const ChannelChoice& choice);

// The kept text of a choice, and a choice read back from any text: a field
// that cannot be read gives its default, and an encrypted view mode without a
// key reads as the general view mode.
std::string channelChoiceText(const ChannelChoice& choice);
ChannelChoice readChannelChoiceText(std::string_view text);

} // namespace kyvo::settings
