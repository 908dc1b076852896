#include "PlayListText.h"

#include "RecordingKind.h"
#include "RecordingPaths.h"

#include <array>

namespace kyvo::recordings {

namespace {

constexpr std::size_t kDateLength = 8;
// Dots go before these indexes of the eight date characters: yyyy.mm.dd.
constexpr std::array<std::size_t, 2> kDotsBefore{4, 6};
constexpr char16_t kDateDot = u'.';

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// Where a row's texts start: the marker, or the file name without one.
std::size_t textStart(std::u16string_view path, const Classification& found) {
    return found.marker < 0 ? fileNameStart(path) : static_cast<std::size_t>(found.marker);
}

} // namespace

std::u16string dateText(std::u16string_view path) {
    const Classification found = classify(path);
    std::size_t start = textStart(path, found);
    if (found.marker >= 0)
        start += markerOf(found.kind).size();
    const std::u16string_view digits = path.substr(start, kDateLength);

    std::u16string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i == kDotsBefore[0] || i == kDotsBefore[1])
            text += kDateDot;
        text += digits[i];
    }
    return text;
}

std::u16string rowName(std::u16string_view path) {
    std::u16string_view name = path.substr(textStart(path, classify(path)));
    if (name.size() > kRowNameLength) {
        std::size_t length = kRowNameLength;
        if (isHighSurrogate(name[length - 1]))
            --length;
        name = name.substr(0, length);
    }
    return std::u16string(name);
}

std::u16string titleText(std::u16string_view path) {
    std::size_t start = std::u16string_view::npos;
    for (const std::u16string_view marker : {kNormalMarker, kEventMarker, kManualEventMarker}) {
        const std::size_t at = path.find(marker);
        if (at != std::u16string_view::npos && at > 0)
            start = at;
    }
    return start == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(start));
}

} // namespace kyvo::recordings
