#pragma once
// The Recorder page: channels, recording mode, video type, resolution,
// quality and audio (record offsets 0..23).
//
// Two quality groups share the quality field: "5. Quailty" means L, N, H for
// one channel, "5-2. Quality" for two. Only the group of the chosen channel
// count is enabled, and saving takes the quality from that group ("5. Quailty"
// when "1CH" is chosen, "5-2. Quality" otherwise). "Mega(1.3M)" exists only
// for H.264: choosing MPEG4 or MJPEG disables it, though a chosen Mega stays
// chosen and is saved as such.

#include "PageRules.h"

namespace kyvo::usbtool {

namespace recorder {
// Button indexes with a meaning of their own.
inline constexpr int kOneChannel = 0;
inline constexpr int kTwoChannels = 1;
inline constexpr int kH264 = 2;
inline constexpr int kMega = 2; // resolution button, stored as 3
inline constexpr int kAmr = 2;  // audio button, stored as 3
inline constexpr int kButtonsPerGroup = 3;
inline constexpr int kChannelButtons = 2;
} // namespace recorder

struct RecorderPageState {
    int channel = kNothingChosen;    // "1CH", "2CH"
    int mode = kNothingChosen;       // "Infinity", "Event", "Parking"
    int type = kNothingChosen;       // "MPEG4", "MJPEG", "H.264"
    int resolution = kNothingChosen; // "VGA", "QVGA", "Mega(1.3M)"
    int quality1 = kNothingChosen;   // "5. Quailty": L, N, H for one channel
    int quality2 = kNothingChosen;   // "5-2. Quality": L, N, H for two channels
    int audio = kNothingChosen;      // "Off", "AAC", "AMR"
    bool quality1Enabled = true;
    bool quality2Enabled = true;
    bool megaEnabled = true;

    bool operator==(const RecorderPageState&) const = default;
};

RecorderPageState loadRecorderPage(const RecorderConfig& record);
// Clears offsets 0..23, then stores the page.
void saveRecorderPage(const RecorderPageState& state, RecorderConfig& record);

// A click on "1CH" or "2CH": the chosen channel count and which quality
// group is enabled.
void chooseChannel(RecorderPageState& state, int channel);
// A click on a video type button: Mega is enabled only for H.264.
void chooseType(RecorderPageState& state, int type);

} // namespace kyvo::usbtool
