#pragma once
// Where a two-camera recording keeps its rear picture.
//
// The recorder writes the rear camera either into a file of its own beside
// the recording, named like it with "_R" before the extension, or as a second
// picture track of the recording itself. The file beside it wins when both
// exist. A scrambled recording (RecordingScramble.h) is read with its key.
//
// Only box headers are read (positioned reads of a few bytes), so finding the
// rear of a long recording costs a few dozen small reads. Any thread.

#include "RecordingFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kyvo::player {

// The path of the rear picture's own file: "_R" goes before the last "." of
// the file name, or at the end when the name has none.
std::string rearFilePath(std::string_view frontPath);

// How many picture tracks the recording holds: "trak" boxes inside "moov"
// whose "mdia/hdlr" handler is "vide". With a key the first box header is
// restored first. Nothing when the boxes cannot be read or make no sense.
std::optional<int> countPictureTracks(const RecordingSource& source, std::optional<std::uint32_t> key);

struct RearLocation {
    enum class Kind { None, File, Track } kind = Kind::None;
    std::string path; // the rear picture's file (File), the recording itself (Track)
};

// The rear picture of the recording at `frontPath`: its own file when that is
// a non-empty regular file, else the recording's second picture track, else
// none.
RearLocation findRearPicture(const std::string& frontPath, std::optional<std::uint32_t> key);

} // namespace kyvo::player
