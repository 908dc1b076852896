#include "CaptureNaming.h"

#include <algorithm>

namespace kyvo::capture {

namespace {
constexpr char kSeparator = '/';
constexpr std::string_view kExtension = ".jpg";
constexpr std::string_view kRearSuffix = "_R";
} // namespace

std::string recordingBaseName(std::string_view recording) {
    const std::size_t slash = recording.rfind(kSeparator);
    std::string_view name = slash == std::string_view::npos ? recording : recording.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos)
        name = name.substr(0, dot);
    return std::string(name);
}

std::string stillFileName(std::string_view folder, std::string_view recording, int second, int number, bool rear) {
    const int s = std::max(second, 0);
    std::string name(folder);
    if (!name.empty() && name.back() != kSeparator)
        name += kSeparator;
    name += recordingBaseName(recording);
    name += '_';
    name += std::to_string(s / 600) + std::to_string((s / 60) % 10) + std::to_string((s % 60) / 10) +
            std::to_string(s % 10);
    name += '_';
    name += std::to_string(number);
    if (rear)
        name += kRearSuffix;
    name += kExtension;
    return name;
}

int stillCount(bool thirty, std::uint32_t frameCount, std::uint32_t frameIndex) {
    if (!thirty)
        return 1;
    if (frameCount == kUnknownFrameCount || frameCount == 0)
        return kMaxStills;
    const std::int64_t beforeLast = static_cast<std::int64_t>(frameCount) - static_cast<std::int64_t>(frameIndex);
    return static_cast<int>(std::clamp<std::int64_t>(beforeLast, 1, kMaxStills));
}

} // namespace kyvo::capture
