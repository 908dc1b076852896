#pragma once
// The ffmpeg command line that encodes a recording's picture and sound.
//
// Picture: the moving "testsrc2" scene with two burnt-in captions: the
// recording's clock time at the top right (drawn by drawtext from the frame's
// time stamp, so it advances every frame) and the current speed at the bottom
// left. The speed caption is replaced every ten frames by a sendcmd script so
// that it shows the speed of the telemetry entry the viewer displays.
// Sound: a quiet engine-like hum (a low tone with a slow beat), AAC.
// Container: QuickTime .mov.

#include "CivilTime.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kyvo::recgen {

enum class VideoCodec { H264, Mjpeg, Mpeg4, H265 };

// Where a two-camera recorder puts the rear camera's picture: in a file of its
// own beside the recording (the recording's name with "_R" before the
// extension), or as a second picture track of the recording itself.
enum class RearPicture { None, File, Track };

std::string_view codecKeyword(VideoCodec codec);  // "h264", "mjpeg", "mpeg4", "h265"
std::optional<VideoCodec> parseCodecKeyword(std::string_view keyword);

constexpr std::string_view kDefaultFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
constexpr int kKeyframeInterval = 30;

struct EncodeSettings {
    std::string program = "ffmpeg";
    VideoCodec codec = VideoCodec::H264;
    int width = 640;
    int height = 360;
    int frameRate = 30;
    int frameCount = 300;
    bool audio = true;
    bool frameCode = false;           // the frame number as a row of black and white blocks
    std::string preset = "veryfast";  // x264 / x265 speed preset
    CivilTime start;                  // the clock caption's first value
    std::string fontFile{kDefaultFontFile};
    // The rear picture: the "testsrc" scene (not the front's "testsrc2"),
    // captioned "REAR" and the clock, with the frame code when asked; its
    // own size, the same rate and length.
    RearPicture rear = RearPicture::None;
    int rearWidth = 640;
    int rearHeight = 360;
};

// The sendcmd script that sets the speed caption at each entry's moment.
std::string speedCaptionScript(std::span<const double> entryTimesS, std::span<const double> speedsKmh);

// The frame code: bit k of the frame's number (0 for the first frame) is a
// white block, a clear bit a black one, from the left edge at mid-height.
inline constexpr int kFrameCodeBits = 12;
int frameCodeBlock(int width);  // the side of one block in pixels
int frameCodeTop(int height, int width);

// Escapes a value for a filter option inside a filter graph (both levels).
std::string escapeFilterValue(std::string_view value);

// `rearOutput` receives the rear picture when settings.rear is File.
std::vector<std::string> ffmpegArguments(const EncodeSettings& settings, const std::filesystem::path& captionScript,
                                         const std::filesystem::path& output,
                                         const std::filesystem::path& rearOutput = {});

}  // namespace kyvo::recgen
