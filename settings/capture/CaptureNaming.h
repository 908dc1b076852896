#pragma once
// Names and counts of a still capture.
//
// A still is named after the recording and the moment it shows:
//   <folder><recording's base name>_<s/600><(s/60)%10><(s%60)/10><s%10>_<n>.jpg
// where s is the frame's time in whole seconds and n counts the stills of
// the capture from 1 (second 75, first still: "_0115_1"). The rear
// channel's still of the same frame ends in "_R" before ".jpg".

#include <cstdint>
#include <string>
#include <string_view>

namespace kyvo::capture {

// The base name: the recording's name after its last "/" up to its last ".".
std::string recordingBaseName(std::string_view recording);

// The still's full path. A folder without a trailing "/" gets one.
std::string stillFileName(std::string_view folder, std::string_view recording, int second, int number, bool rear);

inline constexpr int kMaxStills = 30;
inline constexpr std::uint32_t kUnknownFrameCount = 0xFFFFFFFFu;

// How many stills a capture takes, fixed when it starts: one, or for thirty
// stills at most 30 and at most the frames before the recording's last one
// (stepping onto the last frame would end the recording and move the play
// list on mid-capture). Always at least the frame on screen.
int stillCount(bool thirty, std::uint32_t frameCount, std::uint32_t frameIndex);

} // namespace kyvo::capture
