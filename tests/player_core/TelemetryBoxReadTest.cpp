// Finding and copying the telemetry box: what is copied, every way the walk can
// fail, the view modes with the scrambled first box, files that are no
// recording at all, failing sources, and the size limit on sparse files.
#include "TelemetryBox.h"
#include "TelemetryTestFiles.h"

#include <gtest/gtest.h>

#include <random>

namespace kyvo::player {
namespace {

using test::box;
using test::Bytes;
using test::join;

const Bytes kUdat = recgen::encodeUdatBox(test::numberedEntries(3));
const Bytes kHead = join({box("ftyp", 20), box("mdat", 1000), box("moov", 100)});

class TelemetryBoxReadTest : public testing::Test {
protected:
    int read(const Bytes& contents, ViewMode mode = ViewMode::General, std::uint32_t key = 0) {
        test::writeFile(path_, contents);
        return readTelemetryBox(path_.string(), mode, key, copy_);
    }

    test::TempFolder folder_;
    std::filesystem::path path_ = folder_.path() / "drf_20240612_081500.mov";
    Bytes copy_;
};

TEST_F(TelemetryBoxReadTest, CopiesFromTheUdatHeaderToTheEndOfTheFileReusingTheBuffer) {
    const Bytes tail = join({kUdat, box("free", 12), box("EVTI", 8 + 256)});
    ASSERT_EQ(read(join({kHead, tail})), kTelemetryCopied);
    EXPECT_EQ(copy_, tail);

    const auto* storage = copy_.data();
    ASSERT_EQ(read(join({kHead, kUdat})), kTelemetryCopied);
    EXPECT_EQ(copy_, kUdat);
    EXPECT_EQ(copy_.data(), storage);

    EXPECT_EQ(read(kHead), kNoTelemetryBox);
    EXPECT_TRUE(copy_.empty());
}

TEST_F(TelemetryBoxReadTest, WalkOutcomes) {
    const Bytes ftyp = box("ftyp", 20);
    const struct Case {
        const char* name;
        Bytes contents;
        int expected;
        std::size_t copySize;
    } cases[] = {
        {"no udat box", kHead, kNoTelemetryBox, 0},
        {"box size 0 before udat", join({ftyp, box("free", 16, 0), kUdat}), kNoTelemetryBox, 0},
        {"box running past the end", join({ftyp, box("mdat", 100, 5000), kUdat}), kNoTelemetryBox, 0},
        {"box ending exactly at the end", join({ftyp, box("mdat", 100)}), kNoTelemetryBox, 0},
        {"udat header cut by the end", join({ftyp, Bytes{0, 0, 0, 8, 'u', 'd'}}), kNoTelemetryBox, 0},
        // A type of "udat" needs all 8 header bytes in the file, so the shortest
        // box that can be found is its bare header, whatever its size word says.
        {"udat of 4 declared bytes at the end", join({ftyp, box("udat", 8, 4)}), kTelemetryCopied, 8},
        {"udat found by type alone", join({ftyp, box("udat", 40, 0)}), kTelemetryCopied, 40},
        {"empty file", {}, kEmptyFile, 0},
        {"shorter than a header", Bytes{0, 0, 0}, kNotARecordingFile, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(read(c.contents), c.expected);
        EXPECT_EQ(copy_.size(), c.copySize);
    }
}

TEST_F(TelemetryBoxReadTest, ViewModesAndTheScrambledFirstBox) {
    constexpr std::uint32_t kKey = 0x5A17C0DE;
    const Bytes plain = join({kHead, kUdat});
    Bytes scrambled = plain;
    recgen::scrambleHeader(scrambled, kKey);

    EXPECT_EQ(read(plain, ViewMode::Encrypted, kKey), kGeneralInEncryptedMode);
    EXPECT_EQ(read(scrambled, ViewMode::General), kEncryptedInGeneralMode);
    EXPECT_EQ(read(Bytes{}, ViewMode::Encrypted), kEmptyFile);

    // The key undoes the first size only: the mdat and moov sizes that follow are plain.
    ASSERT_EQ(read(scrambled, ViewMode::Encrypted, kKey), kTelemetryCopied);
    EXPECT_EQ(copy_, kUdat);
    EXPECT_EQ(read(scrambled, ViewMode::Encrypted, kKey ^ 0x100), kKeyMismatch);
    EXPECT_TRUE(copy_.empty());
}

// What a power loss or a foreign file leaves: no plain box header after the
// first box, so not a scrambled recording, in either view mode.
TEST_F(TelemetryBoxReadTest, FilesThatAreNoRecordingAreToldFromScrambledOnes) {
    constexpr std::uint32_t kKey = 0x5A17C0DE;
    const Bytes plain = join({kHead, kUdat, box("free", 12)});
    Bytes scrambled = plain;
    recgen::scrambleHeader(scrambled, kKey);
    std::mt19937 random(20240612); // fixed: the same bytes on every run
    Bytes noise(64 * 1024);
    for (auto& byte : noise)
        byte = static_cast<std::uint8_t>(random());

    const struct Case {
        const char* name;
        Bytes contents;
    } broken[] = {
        {"zero-filled", Bytes(256 * 1024, 0)},
        {"four bytes", Bytes{0, 0, 0, 20}},
        {"random bytes", noise},
        {"scrambled, cut inside its first box", Bytes(scrambled.begin(), scrambled.begin() + 12)},
        {"scrambled, cut inside its movie data", Bytes(scrambled.begin(), scrambled.begin() + 500)},
        {"scrambled, cut inside a header", Bytes(scrambled.begin(), scrambled.begin() + 20 + 1000 + 4)},
        {"scrambled header on zeros", join({Bytes(scrambled.begin(), scrambled.begin() + 8), Bytes(4096, 0)})},
        {"a box size below a header", join({box("xxxx", 20), box("mdat", 8, 4)})},
    };
    for (const Case& c : broken) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(read(c.contents, ViewMode::General), kNotARecordingFile);
        EXPECT_EQ(read(c.contents, ViewMode::Encrypted, kKey), kNotARecordingFile);
        EXPECT_TRUE(copy_.empty());
    }

    // A scrambled recording keeps its view-mode answer, also when its first
    // box is larger than usual, when it ends without a udat box, and when its
    // last box runs to the end of the file (size 0).
    const Bytes bigFirst = [] {
        Bytes bytes = join({box("ftyp", 3000), box("mdat", 100), kUdat});
        recgen::scrambleHeader(bytes, kKey);
        return bytes;
    }();
    const Bytes withoutUdat = [] {
        Bytes bytes = join({box("ftyp", 20), box("mdat", 100), box("moov", 40)});
        recgen::scrambleHeader(bytes, kKey);
        return bytes;
    }();
    const Bytes toTheEnd = [] {
        Bytes bytes = join({box("ftyp", 20), box("mdat", 100, 0)});
        recgen::scrambleHeader(bytes, kKey);
        return bytes;
    }();
    for (const Bytes& recording : {scrambled, bigFirst, withoutUdat, toTheEnd})
        EXPECT_EQ(read(recording, ViewMode::General), kEncryptedInGeneralMode);
    EXPECT_EQ(read(bigFirst, ViewMode::Encrypted, kKey), kTelemetryCopied);
    // A first box beyond the sizes tried without the key is found with it.
    Bytes hugeFirst = join({box("ftyp", 9000), box("mdat", 100), kUdat});
    recgen::scrambleHeader(hugeFirst, kKey);
    EXPECT_EQ(read(hugeFirst, ViewMode::Encrypted, kKey), kTelemetryCopied);
    EXPECT_EQ(read(withoutUdat, ViewMode::Encrypted, kKey), kNoTelemetryBox);
    // A plain recording stays plain, cut short or not.
    EXPECT_EQ(read(Bytes(plain.begin(), plain.begin() + 500), ViewMode::Encrypted), kGeneralInEncryptedMode);
    EXPECT_EQ(read(Bytes(plain.begin(), plain.begin() + 500), ViewMode::General), kNoTelemetryBox);
}

TEST_F(TelemetryBoxReadTest, NamesThatOpenNoFile) {
    EXPECT_EQ(readTelemetryBox("", ViewMode::General, 0, copy_), kNoFileName);
    EXPECT_EQ(readTelemetryBox((folder_.path() / "missing.mov").string(), ViewMode::General, 0, copy_), kOpenFailed);
    EXPECT_EQ(readTelemetryBox(folder_.path().string(), ViewMode::General, 0, copy_), kOpenFailed);
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "missing.mov"));

    test::writeFile(folder_.path() / "錄影 01.mov", join({kHead, kUdat}));
    EXPECT_EQ(readTelemetryBox((folder_.path() / "錄影 01.mov").string(), ViewMode::General, 0, copy_),
              kTelemetryCopied);
}

// A file that fails its size query, its reads from `failFrom` on, or claims
// `extra` bytes more than it holds (a file that shrank).
struct Faults {
    bool sizeFails = false;
    std::uint64_t failFrom = UINT64_MAX;
    std::uint64_t extra = 0;
};

class FaultySource final : public RecordingSource {
public:
    FaultySource(Bytes bytes, Faults faults) : bytes_(std::move(bytes)), faults_(faults) {}
    std::optional<std::uint64_t> size() const override {
        return faults_.sizeFails ? std::nullopt : std::optional<std::uint64_t>(bytes_.size() + faults_.extra);
    }
    std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        if (offset >= faults_.failFrom)
            return std::nullopt;
        const auto from = std::min<std::size_t>(static_cast<std::size_t>(offset), bytes_.size());
        const std::size_t n = std::min(out.size(), bytes_.size() - from);
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(from), n, out.begin());
        return n;
    }

private:
    Bytes bytes_;
    Faults faults_;
};

TEST(TelemetryBoxSourceTest, FailingSourcesGiveTheirCodesAndNoCopy) {
    Bytes copy;
    auto read = [&](Faults faults) {
        const int result = readTelemetryBox(FaultySource(join({kHead, kUdat}), faults), ViewMode::General, 0, copy);
        EXPECT_EQ(copy.empty(), result != kTelemetryCopied);
        return result;
    };
    EXPECT_EQ(read({}), kTelemetryCopied);
    EXPECT_EQ(read({.sizeFails = true}), kSizeQueryFailed);
    EXPECT_EQ(read({.failFrom = 0}), kReadFailed);
    EXPECT_EQ(read({.failFrom = kHead.size()}), kReadFailed); // the headers read, the box does not
    EXPECT_EQ(read({.extra = 1}), kReadFailed);                // the copy comes up one byte short
}

// ftyp, one mdat filling the file up to a udat box at its very end.
void writeSparseRecording(const std::filesystem::path& path, std::uint64_t size) {
    const auto mdatSize = static_cast<std::uint32_t>(size - 20 - kUdat.size());
    test::writeSparse(path, size,
                      {{0, box("ftyp", 20)}, {20, box("mdat", 8, mdatSize)}, {size - kUdat.size(), kUdat}});
}

TEST_F(TelemetryBoxReadTest, SizeLimitOnSparseRecordings) {
    constexpr std::uint64_t kLargestTaken = udat::kFileBufferSize - 1;
    writeSparseRecording(path_, kLargestTaken);
    ASSERT_EQ(readTelemetryBox(path_.string(), ViewMode::General, 0, copy_), kTelemetryCopied);
    EXPECT_EQ(copy_, kUdat);

    writeSparseRecording(path_, kLargestTaken + 1);
    EXPECT_EQ(readTelemetryBox(path_.string(), ViewMode::General, 0, copy_), kFileTooLarge);

    // Above 4 GiB: a size cut to 32 bits would see a 1000-byte file ending
    // with a udat box.
    constexpr std::uint64_t kCutSize = 1000;
    const std::uint64_t udatAt = kCutSize - kUdat.size();
    const auto mdatSize = static_cast<std::uint32_t>(udatAt - 20);
    test::writeSparse(path_, (std::uint64_t{1} << 32) + kCutSize,
                      {{0, join({box("ftyp", 20), box("mdat", 8, mdatSize)})}, {udatAt, kUdat}});
    EXPECT_EQ(readTelemetryBox(path_.string(), ViewMode::General, 0, copy_), kFileTooLarge);
}

} // namespace
} // namespace kyvo::player
