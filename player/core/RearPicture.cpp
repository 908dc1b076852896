#include "RearPicture.h"

#include "RecordingScramble.h"

#include <array>
#include <cstring>
#include <sys/stat.h>

namespace kyvo::player {

namespace {

constexpr std::size_t kHeader = 8;       // size word and type
constexpr std::size_t kLargeHeader = 16; // size word 1, type, then a 64-bit size
constexpr std::uint32_t kLargeSizeMark = 1;
constexpr std::uint32_t kToEndMark = 0;
// "hdlr" is a full box: version and flags, a reserved word, then the handler.
constexpr std::size_t kHandlerOffset = 8;
// Plenty for any real recording's boxes; a corrupt file stops here.
constexpr int kMostBoxes = 4096;

std::uint32_t be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

struct Box {
    std::uint64_t start = 0;
    std::uint64_t payload = 0; // where the content begins
    std::uint64_t end = 0;
    char type[5] = {};
};

// Walks the boxes of one level, between `begin` and `end`.
class BoxWalker {
public:
    BoxWalker(const RecordingSource& source, std::optional<std::uint32_t> key, int& budget)
        : source_(source), key_(key), budget_(budget) {}

    // The next box of [begin, end) starting at `at`; nothing at the end or on
    // a box that does not fit its parent.
    std::optional<Box> boxAt(std::uint64_t at, std::uint64_t end) {
        if (at + kHeader > end || --budget_ < 0)
            return std::nullopt;
        std::array<std::uint8_t, kLargeHeader> bytes{};
        const auto got = source_.readAt(at, bytes);
        if (!got || *got < kHeader)
            return std::nullopt;
        if (key_)
            scramble::transformHeader(bytes, at, *key_);
        Box box;
        box.start = at;
        std::memcpy(box.type, bytes.data() + 4, 4);
        const std::uint32_t size = be32(bytes.data());
        std::uint64_t length = size;
        box.payload = at + kHeader;
        if (size == kLargeSizeMark) {
            if (*got < kLargeHeader)
                return std::nullopt;
            length = (std::uint64_t{be32(bytes.data() + 8)} << 32) | be32(bytes.data() + 12);
            box.payload = at + kLargeHeader;
        } else if (size == kToEndMark) {
            length = end - at;
        }
        if (length < box.payload - at || length > end - at)
            return std::nullopt;
        box.end = at + length;
        return box;
    }

    // The first child of type `type` inside [begin, end).
    std::optional<Box> find(std::uint64_t begin, std::uint64_t end, const char* type) {
        for (auto box = boxAt(begin, end); box; box = boxAt(box->end, end))
            if (std::memcmp(box->type, type, 4) == 0)
                return box;
        return std::nullopt;
    }

    bool isPictureTrack(const Box& trak) {
        const auto mdia = find(trak.payload, trak.end, "mdia");
        const auto hdlr = mdia ? find(mdia->payload, mdia->end, "hdlr") : std::nullopt;
        if (!hdlr || hdlr->payload + kHandlerOffset + 4 > hdlr->end)
            return false;
        std::array<std::uint8_t, 4> handler{};
        const auto got = source_.readAt(hdlr->payload + kHandlerOffset, handler);
        return got && *got == handler.size() && std::memcmp(handler.data(), "vide", 4) == 0;
    }

private:
    const RecordingSource& source_;
    std::optional<std::uint32_t> key_;
    int& budget_;
};

bool isNonEmptyRegularFile(const std::string& path) {
    struct stat facts {};
    return ::stat(path.c_str(), &facts) == 0 && S_ISREG(facts.st_mode) && facts.st_size > 0;
}

} // namespace

std::string rearFilePath(std::string_view frontPath) {
    const std::size_t slash = frontPath.find_last_of('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    std::size_t dot = frontPath.find_last_of('.');
    if (dot == std::string_view::npos || dot < nameStart)
        dot = frontPath.size();
    std::string rear(frontPath.substr(0, dot));
    rear += "_R";
    rear += frontPath.substr(dot);
    return rear;
}

std::optional<int> countPictureTracks(const RecordingSource& source, std::optional<std::uint32_t> key) {
    const auto size = source.size();
    if (!size)
        return std::nullopt;
    int budget = kMostBoxes;
    BoxWalker walker(source, key, budget);
    const auto moov = walker.find(0, *size, "moov");
    if (!moov)
        return std::nullopt;
    int count = 0;
    for (auto box = walker.boxAt(moov->payload, moov->end); box; box = walker.boxAt(box->end, moov->end))
        if (std::memcmp(box->type, "trak", 4) == 0 && walker.isPictureTrack(*box))
            ++count;
    return count;
}

RearLocation findRearPicture(const std::string& frontPath, std::optional<std::uint32_t> key) {
    std::string rearFile = rearFilePath(frontPath);
    if (isNonEmptyRegularFile(rearFile))
        return {RearLocation::Kind::File, std::move(rearFile)};
    const RecordingFile front(frontPath);
    if (front.isOpen()) {
        if (const auto tracks = countPictureTracks(front, key); tracks && *tracks >= 2)
            return {RearLocation::Kind::Track, frontPath};
    }
    return {};
}

} // namespace kyvo::player
