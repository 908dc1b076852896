#pragma once
// Makes one recording:
//   1. plans the drive's telemetry and the events,
//   2. has ffmpeg encode picture (with burnt-in clock and speed) and sound
//      into a temporary file beside the output,
//   3. appends the udat box and, for event recordings, a 4-aligned EVTI box,
//   4. scrambles the header when asked,
//   5. renames the temporary file to the output name.
// A rear picture of its own file is made in the same ffmpeg run, scrambled
// like the recording, and renamed beside it.
// A failure leaves no output file behind.

#include "BoxLayout.h"
#include "CivilTime.h"
#include "DriveSimulator.h"
#include "FfmpegCommand.h"
#include "RecordingName.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace kyvo::recgen {

constexpr CivilTime kDefaultStart{2024, 6, 12, 8, 15, 0};

struct RecordingOptions {
    RecordingKind kind = RecordingKind::Normal;
    CivilTime start = kDefaultStart;
    int lengthS = 10;
    int width = 640;
    int height = 360;
    int frameRate = 30;
    VideoCodec codec = VideoCodec::H264;
    bool audio = true;
    bool frameCode = false;
    std::string preset = "veryfast";
    DriveParams drive;
    double routeOffsetS = 0;     // where in the drive the recording starts
    double utcOffsetHours = 0;   // recorder clock minus UTC
    FourCc timeTag = entry::kTimeTag;
    std::optional<int> events;   // default: one for event and manual recordings, none otherwise
    std::optional<std::uint32_t> scrambleKey;
    bool pictureOnly = false;    // the .mjpg variant: MJPEG in a .mov container, no sound, no boxes
    RearPicture rear = RearPicture::None;  // a two-camera recording's rear picture
    int rearWidth = 0;           // 0: the front's size
    int rearHeight = 0;
    std::string ffmpeg = "ffmpeg";
    std::string fontFile{kDefaultFontFile};

    int frameCount() const { return lengthS * frameRate; }
    int eventCount() const;
    std::string fileName() const;  // the recorder's name for these options
};

// Raised for every failure: bad options, ffmpeg missing or failing, file errors.
class RecordingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct RecordingReport {
    std::filesystem::path path;
    int frames = 0;
    int entries = 0;
    int events = 0;
    std::uintmax_t bytes = 0;
};

// Where the rear picture of the recording `output` is kept in a file of its
// own: the same name with "_R" before the extension, in the same folder.
std::filesystem::path rearFileFor(const std::filesystem::path& output);

// Throws RecordingError when the options cannot make a recording.
void validate(const RecordingOptions& options);

RecordingReport makeRecording(const RecordingOptions& options, const std::filesystem::path& output);

}  // namespace kyvo::recgen
