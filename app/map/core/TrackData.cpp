#include "TrackData.h"

#include "MapCall.h"
#include "TelemetryFix.h"

#include <algorithm>
#include <cstring>

namespace kyvo::map {

namespace {

constexpr std::string_view kTrackOpen = "([";
constexpr std::string_view kTrackClose = "])";
constexpr char kPointOpen = '[';
constexpr char kPointClose = ']';
constexpr char kComma = ',';
// "[-90.000000,-180.000000]," at most.
constexpr std::size_t kPointTextLength = 26;

// A recording held in memory, read the way the file is.
class MemorySource final : public player::RecordingSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::optional<std::uint64_t> size() const override { return bytes_.size(); }
    std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        if (offset >= bytes_.size())
            return 0;
        const std::size_t count = std::min<std::size_t>(out.size(), bytes_.size() - static_cast<std::size_t>(offset));
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), count, out.begin());
        return count;
    }

private:
    std::span<const std::uint8_t> bytes_;
};

// Whether playback takes the GPS record of an entry that parsed this way.
bool gpsTaken(int parse) { return parse == player::MVOXUDAT::kParsed || parse == player::MVOXUDAT::kBadSensorTag; }

std::vector<TrackPoint> readTrack(const player::RecordingSource& source, player::ViewMode mode, std::uint32_t key) {
    std::vector<std::uint8_t> box;
    if (player::readTelemetryBox(source, mode, key, box) != player::kTelemetryCopied)
        return {};
    player::MVOXUDAT reader;
    reader.setData(box);
    std::vector<TrackPoint> track;
    // Entry k is shown from frame 10k + 1. The copy runs on to the end of the
    // file, past the box as its header declares it (an event box may follow):
    // the walk ends where the declared box ends.
    const std::size_t entries = (box.size() - player::udat::kFirstEntryOffset) / player::udat::kEntrySize;
    for (std::size_t entry = 1; entry < entries; ++entry) {
        const auto frame =
            static_cast<std::uint32_t>(entry * player::udat::kFramesPerEntry + player::udat::kEntryFrameRemainder);
        const int parse = reader.parseEntry(frame);
        if (player::udat::kFirstEntryOffset + entry * player::udat::kEntrySize >= reader.boxSize())
            break;
        if (!gpsTaken(parse))
            continue;
        const char* record = reader.gpsRecord(frame);
        if (record == nullptr)
            break;
        app::RmcFix fix;
        if (!app::decodeRmc(std::string_view(record, strnlen(record, player::udat::kGpsRecordSize)), fix))
            continue;
        if (const auto position = pushablePosition(fix))
            track.push_back({position->first, position->second, fix.course});
    }
    return track;
}

} // namespace

std::vector<TrackPoint> readTrack(std::span<const std::uint8_t> recording, player::ViewMode mode, std::uint32_t key) {
    return readTrack(MemorySource(recording), mode, key);
}

std::vector<TrackPoint> readTrackFile(const std::filesystem::path& recording, player::ViewMode mode,
                                      std::uint32_t key) {
    const player::RecordingFile file(recording.string());
    if (!file.isOpen())
        return {};
    return readTrack(file, mode, key);
}

std::string trackCallText(const std::vector<TrackPoint>& track) {
    std::string text(kSetTrackFunction);
    text.reserve(kSetTrackFunction.size() + kTrackOpen.size() + kTrackClose.size() + track.size() * kPointTextLength);
    text += kTrackOpen;
    bool first = true;
    for (const TrackPoint& point : track) {
        if (!coordinatesInRange(point.latitude, point.longitude))
            continue;
        if (!first)
            text += kComma;
        first = false;
        text += kPointOpen;
        appendDegrees(text, point.latitude);
        text += kComma;
        appendDegrees(text, point.longitude);
        text += kPointClose;
    }
    text += kTrackClose;
    return text;
}

} // namespace kyvo::map
