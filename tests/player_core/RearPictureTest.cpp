// Finding a two-camera recording's rear picture: the "_R" file beside it, else
// its second picture track, read through the key when it is scrambled; and
// box chains that make no sense end the search instead of misleading it.
#include "RearPicture.h"

#include "RecordingMaker.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace kyvo::player {
namespace {

TEST(RearPictureTest, TheRearFileNameTakesRBeforeTheExtensionOfTheFileNameOnly) {
    EXPECT_EQ(rearFilePath("/card/DCIM/drf_20240612_081500.mov"), "/card/DCIM/drf_20240612_081500_R.mov");
    EXPECT_EQ(rearFilePath("drf_1.MOV"), "drf_1_R.MOV");
    EXPECT_EQ(rearFilePath("/card/v1.2/drf"), "/card/v1.2/drf_R") << "a dot in a folder is no extension";
    EXPECT_EQ(rearFilePath("/card/a.b.mov"), "/card/a.b_R.mov");
}

// A source over bytes in memory.
class Bytes final : public RecordingSource {
public:
    explicit Bytes(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::optional<std::uint64_t> size() const override { return bytes_.size(); }
    std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        if (offset >= bytes_.size())
            return 0;
        const std::size_t n = std::min<std::size_t>(out.size(), bytes_.size() - offset);
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), n, out.begin());
        return n;
    }

private:
    std::vector<std::uint8_t> bytes_;
};

std::vector<std::uint8_t> box(const char* type, std::vector<std::uint8_t> content) {
    const auto size = static_cast<std::uint32_t>(content.size() + 8);
    std::vector<std::uint8_t> out{static_cast<std::uint8_t>(size >> 24), static_cast<std::uint8_t>(size >> 16),
                                  static_cast<std::uint8_t>(size >> 8), static_cast<std::uint8_t>(size)};
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), content.begin(), content.end());
    return out;
}

std::vector<std::uint8_t> track(const char* handler) {
    std::vector<std::uint8_t> hdlr(8, 0);
    hdlr.insert(hdlr.end(), handler, handler + 4);
    return box("trak", box("mdia", box("hdlr", hdlr)));
}

std::vector<std::uint8_t> join(std::initializer_list<std::vector<std::uint8_t>> parts) {
    std::vector<std::uint8_t> out;
    for (const auto& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

TEST(RearPictureTest, PictureTracksAreCountedInTheMovieBoxAndBrokenChainsCountNothing) {
    const auto ftyp = box("ftyp", std::vector<std::uint8_t>(12, 0));
    const auto moov = box("moov", join({track("vide"), track("soun"), track("vide")}));
    EXPECT_EQ(countPictureTracks(Bytes(join({ftyp, moov})), std::nullopt), 2);
    EXPECT_EQ(countPictureTracks(Bytes(join({ftyp, box("moov", track("vide"))})), std::nullopt), 1);
    EXPECT_EQ(countPictureTracks(Bytes(ftyp), std::nullopt), std::nullopt) << "no movie box";

    // A box claiming more than its parent holds ends the walk.
    auto oversized = join({ftyp, moov});
    oversized[ftyp.size() + 3] = 0xFF;
    EXPECT_EQ(countPictureTracks(Bytes(oversized), std::nullopt), std::nullopt);
    // A size word smaller than the header would loop forever if taken.
    auto tiny = join({ftyp, moov});
    tiny[ftyp.size() + 8 + 3] = 4;
    EXPECT_EQ(countPictureTracks(Bytes(tiny), 0), 0);
}

TEST(RearPictureTest, TheRearOfRecgensRecordingsIsFoundPlainAndScrambled) {
    test::TempFolder folder;
    recgen::RecordingOptions options;
    options.lengthS = 1;
    options.width = 128;
    options.height = 72;
    options.preset = "ultrafast";
    options.audio = false;

    options.rear = recgen::RearPicture::Track;
    const auto tracked = folder.path() / "drf_20240612_081500.mov";
    recgen::makeRecording(options, tracked);
    EXPECT_EQ(countPictureTracks(RecordingFile(tracked.string()), std::nullopt), 2);
    RearLocation rear = findRearPicture(tracked.string(), std::nullopt);
    EXPECT_EQ(rear.kind, RearLocation::Kind::Track);
    EXPECT_EQ(rear.path, tracked.string());

    options.rear = recgen::RearPicture::File;
    options.scrambleKey = 0xFFFFFFFFu;
    const auto scrambled = folder.path() / "drf_20240612_081600.mov";
    recgen::makeRecording(options, scrambled);
    const std::string rearFile = rearFilePath(scrambled.string());
    EXPECT_EQ(countPictureTracks(RecordingFile(scrambled.string()), 0xFFFFFFFFu), 1);
    EXPECT_EQ(countPictureTracks(RecordingFile(rearFile), 0xFFFFFFFFu), 1) << "the rear is scrambled like the front";
    rear = findRearPicture(scrambled.string(), 0xFFFFFFFFu);
    EXPECT_EQ(rear.kind, RearLocation::Kind::File);
    EXPECT_EQ(rear.path, rearFile);

    // An empty rear file is no rear; a one-camera recording has none.
    std::filesystem::resize_file(rearFile, 0);
    EXPECT_EQ(findRearPicture(scrambled.string(), 0xFFFFFFFFu).kind, RearLocation::Kind::None);
    options.rear = recgen::RearPicture::None;
    options.scrambleKey.reset();
    const auto single = folder.path() / "drf_20240612_081700.mov";
    recgen::makeRecording(options, single);
    EXPECT_EQ(findRearPicture(single.string(), std::nullopt).kind, RearLocation::Kind::None);
    EXPECT_EQ(findRearPicture((folder.path() / "missing.mov").string(), std::nullopt).kind, RearLocation::Kind::None);
}

} // namespace
} // namespace kyvo::player
