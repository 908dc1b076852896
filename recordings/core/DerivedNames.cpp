#include "DerivedNames.h"

#include "RecordingKind.h"
#include "RecordingPaths.h"

#include <algorithm>
#include <array>

namespace kyvo::recordings {

namespace {

constexpr std::u16string_view kBackupPrefix = u"copy_";
constexpr std::size_t kExtensionLength = 4; // ".mov"
constexpr std::size_t kChoiceLength = 4;    // how much of the file name picks the backup's marker
constexpr int kSecondsPerMinute = 60;
constexpr int kDecimal = 10;
constexpr std::u16string_view kSnapshotExtension = u".jpg";

// The file name from `marker` on, or the whole file name without it; then
// without the extension's four characters.
std::u16string_view stemFrom(std::u16string_view fileName, std::u16string_view marker) {
    const std::size_t at = fileName.find(marker);
    std::u16string_view stem = at == std::u16string_view::npos ? fileName : fileName.substr(at);
    stem.remove_suffix(std::min(kExtensionLength, stem.size()));
    return stem;
}

// The marker that classify() would pick if the file name stood behind a
// folder: "drf_", else "muevt_", else "evt_".
std::u16string_view classifyingMarker(std::u16string_view fileName) {
    for (const std::u16string_view marker : {kNormalMarker, kManualEventMarker, kEventMarker})
        if (fileName.find(marker) != std::u16string_view::npos)
            return marker;
    return kNormalMarker;
}

std::u16string_view backupMarker(std::u16string_view fileName) {
    const std::u16string_view head = fileName.substr(0, kChoiceLength);
    if (head == kNormalMarker)
        return kNormalMarker;
    if (head == kEventMarker)
        return kEventMarker;
    return kManualEventMarker;
}

} // namespace

std::u16string backupCopyName(std::u16string_view backupFolder, std::u16string_view currentPath) {
    const std::u16string_view fileName = fileNameOf(currentPath);
    std::u16string name(kBackupPrefix);
    name += stemFrom(fileName, backupMarker(fileName));
    name += kMovieExtension;
    return joinPath(backupFolder, name);
}

std::u16string snapshotName(std::u16string_view currentPath, int displaySecond) {
    const std::u16string_view fileName = fileNameOf(currentPath);
    const int second = std::max(displaySecond, 0);
    const int minutes = second / kSecondsPerMinute;
    const int seconds = second % kSecondsPerMinute;
    std::u16string name(stemFrom(fileName, classifyingMarker(fileName)));
    name += u'_';
    // Minutes past 99 give a two-digit first number, as "%d" would print it.
    for (const int digit : std::array{minutes / kDecimal, minutes % kDecimal, seconds / kDecimal, seconds % kDecimal})
        for (const char c : std::to_string(digit))
            name += static_cast<char16_t>(c);
    name += kSnapshotExtension;
    return name;
}

} // namespace kyvo::recordings
