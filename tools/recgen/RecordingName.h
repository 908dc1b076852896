#pragma once
// Recording names as the recorder writes them: a kind prefix, the start time
// and the extension, e.g. drf_20240612_081500.mov, evt_..., muevt_....

#include "CivilTime.h"

#include <optional>
#include <string>
#include <string_view>

namespace kyvo::recgen {

enum class RecordingKind { Normal, Event, Manual };

constexpr std::string_view kMovieExtension = ".mov";
constexpr std::string_view kPictureOnlyExtension = ".mjpg";

std::string_view kindPrefix(RecordingKind kind);   // "drf_", "evt_", "muevt_"
std::string_view kindKeyword(RecordingKind kind);  // "normal", "event", "manual"
std::optional<RecordingKind> parseKindKeyword(std::string_view keyword);

// prefix + yyyymmdd + "_" + hhmmss + extension
std::string recordingName(RecordingKind kind, const CivilTime& start, std::string_view extension = kMovieExtension);

struct ParsedName {
    RecordingKind kind = RecordingKind::Normal;
    CivilTime start;
    std::string extension;  // with its dot
};

// Parses a file name (no folders) of the form above.
std::optional<ParsedName> parseRecordingName(std::string_view fileName);

}  // namespace kyvo::recgen
