#pragma once
// Recording kinds and the name markers that tell them apart.
//
// The recorder names its files "<marker><yyyymmdd>_<hhmmss>...mov"; the marker
// says whether the recording is a normal one, an event or a manual event. Every
// test here is a case-sensitive substring search on the whole path, so a
// marker in a folder name counts as much as one in the file name.

#include <array>
#include <cstddef>
#include <string_view>

namespace kyvo::recordings {

// The numbers are the file selector's tab indexes and the play list's icons.
enum class RecordingKind : int { Normal = 0, Event = 1, ManualEvent = 2 };

inline constexpr int kKindCount = 3;
inline constexpr std::array<RecordingKind, kKindCount> kAllKinds{RecordingKind::Normal, RecordingKind::Event,
                                                                 RecordingKind::ManualEvent};

inline constexpr std::u16string_view kNormalMarker = u"drf_";
inline constexpr std::u16string_view kEventMarker = u"evt_";
inline constexpr std::u16string_view kManualEventMarker = u"muevt_";
// Every listed recording carries this somewhere in its path; ".mjpg" files
// (pictures without telemetry) do not.
inline constexpr std::u16string_view kMovieExtension = u".mov";

std::u16string_view markerOf(RecordingKind kind);

// Whether the scan of `kind` lists the file at `fullPath`:
//   Normal:      ".mov" and "drf_" somewhere after the first character;
//   Event:       ".mov" and "evt_", but no "muevt_" (which holds "evt_");
//   ManualEvent: ".mov" and "muevt_".
bool acceptedFor(RecordingKind kind, std::u16string_view fullPath);

// Kind of a play-list entry and where its marker starts (-1: none).
struct Classification {
    RecordingKind kind;
    std::ptrdiff_t marker;

    friend bool operator==(const Classification&, const Classification&) = default;
};

// With d, m, e the first positions of "drf_", "muevt_" and "evt_": the first
// of them above 0 in that order decides; without one the path counts as a
// normal recording with no marker. Position 0 never counts (full paths start
// with a folder).
Classification classify(std::u16string_view path);

} // namespace kyvo::recordings
