#include "RecordingKind.h"

namespace kyvo::recordings {

namespace {

constexpr std::ptrdiff_t kNotFound = -1;

bool has(std::u16string_view text, std::u16string_view part) { return text.find(part) != std::u16string_view::npos; }

std::ptrdiff_t firstPosition(std::u16string_view text, std::u16string_view part) {
    const std::size_t at = text.find(part);
    return at == std::u16string_view::npos ? kNotFound : static_cast<std::ptrdiff_t>(at);
}

} // namespace

std::u16string_view markerOf(RecordingKind kind) {
    switch (kind) {
    case RecordingKind::Event:
        return kEventMarker;
    case RecordingKind::ManualEvent:
        return kManualEventMarker;
    case RecordingKind::Normal:
        break;
    }
    return kNormalMarker;
}

bool acceptedFor(RecordingKind kind, std::u16string_view fullPath) {
    if (!has(fullPath, kMovieExtension))
        return false;
    switch (kind) {
    case RecordingKind::Normal:
        // Searched from the second character on: a path that is nothing but
        // a bare "drf_..." name does not count by its first letters.
        return fullPath.find(kNormalMarker, 1) != std::u16string_view::npos;
    case RecordingKind::Event:
        return has(fullPath, kEventMarker) && !has(fullPath, kManualEventMarker);
    case RecordingKind::ManualEvent:
        return has(fullPath, kManualEventMarker);
    }
    return false;
}

Classification classify(std::u16string_view path) {
    const std::ptrdiff_t normal = firstPosition(path, kNormalMarker);
    if (normal > 0)
        return {RecordingKind::Normal, normal};
    const std::ptrdiff_t manual = firstPosition(path, kManualEventMarker);
    if (manual > 0)
        return {RecordingKind::ManualEvent, manual};
    const std::ptrdiff_t event = firstPosition(path, kEventMarker);
    if (event > 0)
        return {RecordingKind::Event, event};
    return {RecordingKind::Normal, kNotFound};
}

} // namespace kyvo::recordings
