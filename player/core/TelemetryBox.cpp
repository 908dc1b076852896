#include "TelemetryBox.h"

#include "RecordingScramble.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace kyvo::player {
namespace {

using Header = std::array<std::uint8_t, udat::kHeaderSize>;
// A header with the 64-bit size that follows a size word of 1.
using LargeHeader = std::array<std::uint8_t, 2 * udat::kHeaderSize>;

constexpr char kFtyp[] = "ftyp";
constexpr char kUdat[] = "udat";
constexpr char kTimeTag[] = "TIME";
constexpr char kClockTag[] = "RTCD";
constexpr char kGpsTag[] = "GPSI";
constexpr char kSensorTag[] = "SENS";

// Box headers are read through a window of this many bytes, so that a walk
// over many small boxes costs one read per window rather than one per box.
constexpr std::size_t kHeaderWindowSize = 4096;

// Telling a scrambled recording from a broken file: the first box's sizes
// tried (its size word is scrambled), and the box headers looked at in all
// before the file counts as broken.
constexpr std::uint64_t kLargestFirstBox = kHeaderWindowSize;
constexpr int kStructureHeaderBudget = 1 << 16;
// Size words with a meaning of their own: the box runs to the end of the
// file; a 64-bit size follows the type.
constexpr std::uint32_t kSizeToEnd = 0;
constexpr std::uint32_t kSizeIsLarge = 1;
// Top-level box types of a recording: the movie's and the recorder's own.
constexpr std::array<char[udat::kWordSize + 1], 21> kTopLevelTypes{
    "ftyp", "wide", "mdat", "moov", "free", "skip", "junk", "pnot", "PICT", "uuid", "meta",
    "moof", "mfra", "styp", "sidx", "ssix", "prft", "emsg", "pdin", "udat", "EVTI"};

std::uint32_t loadBe32(const std::uint8_t* bytes) {
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) |
           std::uint32_t{bytes[3]};
}

std::uint64_t loadBe64(const std::uint8_t* bytes) {
    return (std::uint64_t{loadBe32(bytes)} << 32) | loadBe32(bytes + udat::kWordSize);
}

bool isTopLevelType(const std::uint8_t* bytes) {
    return std::any_of(kTopLevelTypes.begin(), kTopLevelTypes.end(),
                       [bytes](const char(&type)[udat::kWordSize + 1]) {
                           return std::memcmp(bytes, type, udat::kWordSize) == 0;
                       });
}

bool hasTag(const std::uint8_t* bytes, const char (&tag)[udat::kWordSize + 1]) {
    return std::memcmp(bytes, tag, udat::kWordSize) == 0;
}

// Serves the header bytes at any position of the file; bytes past its end
// read as zero, as they did in the zero-filled whole-file buffer.
class HeaderWindow {
public:
    HeaderWindow(const RecordingSource& file, std::uint64_t fileSize) : file_(file), fileSize_(fileSize) {}

    // False on a read error.
    template <std::size_t N>
    bool load(std::uint64_t position, std::array<std::uint8_t, N>& header) {
        static_assert(N <= kHeaderWindowSize);
        header.fill(0);
        if (position >= fileSize_)
            return true;
        const std::uint64_t wanted = std::min<std::uint64_t>(position + header.size(), fileSize_);
        if (position < start_ || wanted > start_ + length_) {
            length_ = static_cast<std::size_t>(std::min<std::uint64_t>(bytes_.size(), fileSize_ - position));
            start_ = position;
            const auto got = file_.readAt(position, std::span(bytes_).first(length_));
            if (!got) {
                length_ = 0;
                return false;
            }
            // A file that shrank since its size was taken ends early: zeros.
            std::fill(bytes_.begin() + static_cast<std::ptrdiff_t>(*got),
                      bytes_.begin() + static_cast<std::ptrdiff_t>(length_), 0);
        }
        const auto from = static_cast<std::size_t>(position - start_);
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(from), static_cast<std::size_t>(wanted - position),
                    header.begin());
        return true;
    }

    std::uint64_t fileSize() const { return fileSize_; }

private:
    const RecordingSource& file_;
    std::uint64_t fileSize_;
    std::uint64_t start_ = 0;
    std::size_t length_ = 0; // bytes of the window that are loaded
    std::array<std::uint8_t, kHeaderWindowSize> bytes_{};
};

// Whether the top-level box headers from `start` on form a chain to the
// "udat" box or exactly to the end of the file (at least one box): known types,
// sizes of at least a header that stay inside the file. Nothing on a read
// error; false when `budget` runs out.
std::optional<bool> boxChainFrom(HeaderWindow& headers, std::uint64_t start, int& budget) {
    const std::uint64_t fileSize = headers.fileSize();
    std::uint64_t position = start;
    for (int boxes = 0;; ++boxes) {
        if (position == fileSize)
            return boxes > 0;
        if (fileSize - position < udat::kHeaderSize || budget-- <= 0)
            return false;
        LargeHeader header{};
        if (!headers.load(position, header))
            return std::nullopt;
        const std::uint8_t* type = header.data() + udat::kTypeOffset;
        if (!isTopLevelType(type))
            return false;
        std::uint64_t size = loadBe32(header.data() + udat::kSizeOffset);
        if (size == kSizeToEnd)
            return true;
        std::uint64_t smallest = udat::kHeaderSize;
        if (size == kSizeIsLarge) {
            size = loadBe64(header.data() + udat::kHeaderSize);
            smallest = header.size();
        }
        if (size < smallest || size > fileSize - position)
            return false;
        if (hasTag(type, kUdat))
            return true;
        position += size;
    }
}

// A scrambled recording keeps plain box headers after its first box; a file
// that only looks scrambled (zero-filled, cut short, foreign) has none. The
// first box's size word is scrambled: the size the key gives (encrypted view
// mode) is tried first, then every size the first box could have.
std::optional<bool> hasPlainBoxesAfterFirstBox(HeaderWindow& headers, std::optional<std::uint64_t> keyedSize) {
    int budget = kStructureHeaderBudget;
    if (keyedSize && *keyedSize >= udat::kHeaderSize && *keyedSize <= headers.fileSize()) {
        const std::optional<bool> chain = boxChainFrom(headers, *keyedSize, budget);
        if (!chain || *chain)
            return chain;
    }
    const std::uint64_t lastStart = std::min(headers.fileSize(), kLargestFirstBox);
    for (std::uint64_t start = udat::kHeaderSize; start <= lastStart; ++start) {
        const std::optional<bool> chain = boxChainFrom(headers, start, budget);
        if (!chain || *chain)
            return chain;
        if (budget <= 0)
            break;
    }
    return false;
}

} // namespace

int readTelemetryBox(const std::string& utf8Path, ViewMode mode, std::uint32_t key, std::vector<std::uint8_t>& copy) {
    copy.clear();
    if (utf8Path.empty())
        return kNoFileName;
    const RecordingFile file(utf8Path);
    if (!file.isOpen())
        return kOpenFailed;
    return readTelemetryBox(file, mode, key, copy);
}

int readTelemetryBox(const RecordingSource& file, ViewMode mode, std::uint32_t key, std::vector<std::uint8_t>& copy) {
    // 1. The size decides, before anything is read, whether the file is taken.
    copy.clear();
    const std::optional<std::uint64_t> fileSize = file.size();
    if (!fileSize)
        return kSizeQueryFailed;
    if (*fileSize >= udat::kFileBufferSize) // the file plus one zero byte must fit the buffer size
        return kFileTooLarge;
    if (*fileSize == 0)
        return kEmptyFile;

    // 2. A plain recording starts with "ftyp"; a scrambled one does not, but
    //    has plain box headers after its first box.
    HeaderWindow headers(file, *fileSize);
    Header header{};
    if (!headers.load(0, header))
        return kReadFailed;
    const bool plain = hasTag(header.data() + udat::kTypeOffset, kFtyp);
    if (!plain) {
        std::optional<std::uint64_t> keyedSize;
        if (mode == ViewMode::Encrypted) {
            Header restored = header;
            scramble::transformHeader(restored, 0, key);
            keyedSize = loadBe32(restored.data());
        }
        const std::optional<bool> scrambled = hasPlainBoxesAfterFirstBox(headers, keyedSize);
        if (!scrambled)
            return kReadFailed;
        if (!*scrambled)
            return kNotARecordingFile;
    }
    if (mode == ViewMode::General && !plain)
        return kEncryptedInGeneralMode;
    if (mode == ViewMode::Encrypted && plain)
        return kGeneralInEncryptedMode;
    if (mode == ViewMode::Encrypted && !scramble::keyRestoresFirstBox(header, key))
        return kKeyMismatch;

    // 3. Walk the top-level boxes to "udat". Positions only grow, and a box
    //    whose size is 0 or leads past the end of the file ends the walk.
    std::uint64_t position = 0;
    for (;;) {
        if (!headers.load(position, header))
            return kReadFailed;
        if (mode == ViewMode::Encrypted) // restores the first box's header; later ones are plain
            scramble::transformHeader(header, position, key);
        const std::uint32_t boxSize = loadBe32(header.data() + udat::kSizeOffset);
        if (hasTag(header.data() + udat::kTypeOffset, kUdat))
            break;
        if (boxSize == 0)
            return kNoTelemetryBox;
        position += boxSize;
        if (position >= *fileSize) // past the end every header reads as zeros: no box there
            return kNoTelemetryBox;
    }

    // 4. Copy from the box header to the end of the file.
    const std::uint64_t length = *fileSize - position;
    if (length < udat::kHeaderSize)
        return kTelemetryBoxTooShort;
    copy.resize(static_cast<std::size_t>(length));
    const std::optional<std::size_t> got = file.readAt(position, copy);
    if (!got || *got != copy.size()) {
        copy.clear();
        return kReadFailed;
    }
    return kTelemetryCopied;
}

void MVOXUDAT::setData(std::span<const std::uint8_t> copy) {
    data_ = copy;
    gps_ = nullptr;
    sensor_ = nullptr;
    boxSize_ = 0;
    boxType_ = 0;
}

int MVOXUDAT::parseEntry(std::uint32_t frame) {
    if (!isEntryFrame(frame))
        return kParsed;
    // A damaged or missing entry keeps the records of the last good one until
    // the next entry: the frames between keep showing real values, not zeros.
    const int result = [&]() -> int {
        if (data_.empty())
            return kNoData;
        // A copy too short for its header reads as zeros there.
        Header header{};
        std::copy_n(data_.begin(), std::min(data_.size(), header.size()), header.begin());
        boxSize_ = loadBe32(header.data() + udat::kSizeOffset);
        boxType_ = loadBe32(header.data() + udat::kTypeOffset);

        const std::uint64_t offset =
            frame == udat::kEntryFrameRemainder
                ? udat::kFrameOneEntryOffset
                : udat::kFirstEntryOffset + std::uint64_t{frame / udat::kFramesPerEntry} * udat::kEntrySize;
        if (offset > data_.size() || data_.size() - offset < udat::kEntrySize)
            return kBadEntry;
        const std::uint8_t* entry = data_.data() + offset;
        if (!hasTag(entry + udat::kTimeTagOffset, kTimeTag) && !hasTag(entry + udat::kTimeTagOffset, kClockTag))
            return kBadEntry;
        if (!hasTag(entry + udat::kGpsTagOffset, kGpsTag))
            return kBadGpsTag;
        gps_ = reinterpret_cast<const char*>(entry + udat::kGpsRecordOffset);
        if (!hasTag(entry + udat::kSensorTagOffset, kSensorTag))
            return kBadSensorTag;
        sensor_ = entry + udat::kSensorRecordOffset;
        return kParsed;
    }();
    failure_ = result != kParsed ? 1 : 0;
    return result;
}

const char* MVOXUDAT::gpsRecord(std::uint32_t frame) const {
    if (!isEntryFrame(frame))
        return gps_;
    if (!belowLimit(frame) || gps_ == nullptr)
        return nullptr;
    // The record must lie inside the box as its header declares it, not only
    // inside the copy (which runs on to the end of the file).
    const auto offset = static_cast<std::size_t>(reinterpret_cast<const std::uint8_t*>(gps_) - data_.data());
    const std::size_t boxEnd = std::min<std::size_t>(boxSize_, data_.size());
    if (offset > boxEnd || boxEnd - offset < udat::kGpsRecordSize)
        return nullptr;
    return gps_;
}

const std::uint8_t* MVOXUDAT::sensorRecord(std::uint32_t frame) const {
    if (isEntryFrame(frame) && !belowLimit(frame))
        return nullptr;
    return sensor_;
}

} // namespace kyvo::player
