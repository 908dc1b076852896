// The writer as the capture uses it: bitmap rows in, a file out.
#include "JpegEncoder.h"
#include "JpegStillWriter.h"
#include "TempFolder.h"
#include "TestPicture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kyvo::imaging {
namespace {

using namespace testing;
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

Bytes readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class JpegStillWriterTest : public ::testing::Test {
protected:
    kyvo::test::TempFolder folder_{"jpegstillwriter"};
};

TEST_F(JpegStillWriterTest, BottomUpAndTopDownRowsGiveTheSameTopDownPicture) {
    // Width 13: rows of 39 bytes padded to 40; the padding byte must not matter.
    const TestPicture picture = makeTestPicture(13, 11);
    const Bytes expected = encodeJpeg(picture.view());
    for (const bool bottomUp : {true, false}) {
        Bytes bytes = picture.bitmapBytes(bottomUp);
        for (std::size_t row = 0; row < 11; ++row)
            bytes[row * 40 + 39] = 0xEE;
        JpegStillWriter writer;
        ASSERT_TRUE(writer.prepare(picture.bitmapHeader(bottomUp), bytes.data(), bytes.size()));
        EXPECT_EQ(writer.encode(), expected) << (bottomUp ? "bottom-up" : "top-down");
        // The kept copy is not flipped in place: a second encode is the same.
        EXPECT_EQ(writer.encode(), expected);
    }
}

TEST_F(JpegStillWriterTest, RefusesWhatIsNotA24BitPictureOfItsSize) {
    const TestPicture picture = makeUniformPicture(4, 3, {1, 2, 3});
    const Bytes bytes = picture.bitmapBytes(true);
    const BitmapInfoHeader good = picture.bitmapHeader(true);
    JpegStillWriter writer;
    ASSERT_TRUE(writer.prepare(good, bytes.data(), bytes.size()));
    EXPECT_FALSE(writer.prepare(good, bytes.data(), bytes.size() - 1));
    EXPECT_FALSE(writer.prepared()) << "a refused picture replaces the one before";
    auto changed = [&](auto change) {
        BitmapInfoHeader header = good;
        change(header);
        return writer.prepare(header, bytes.data(), bytes.size());
    };
    EXPECT_FALSE(changed([](BitmapInfoHeader& h) { h.bitCount = 32; }));
    EXPECT_FALSE(changed([](BitmapInfoHeader& h) { h.compression = 1; }));
    EXPECT_FALSE(changed([](BitmapInfoHeader& h) { h.width = 0; }));
    EXPECT_FALSE(changed([](BitmapInfoHeader& h) { h.height = 0; }));
    EXPECT_FALSE(changed([](BitmapInfoHeader& h) { h.width = 70000; }));
    EXPECT_FALSE(writer.prepare(good, nullptr, bytes.size()));
    EXPECT_TRUE(writer.encode().empty());
}

TEST_F(JpegStillWriterTest, WritesTheFileAndReportsFailure) {
    const TestPicture picture = makeTestPicture(24, 16);
    const Bytes bytes = picture.bitmapBytes(true);
    JpegStillWriter writer;
    const fs::path file = folder_ / "still.jpg";
    EXPECT_FALSE(writer.write(file.string())) << "nothing prepared";
    EXPECT_FALSE(fs::exists(file));

    ASSERT_TRUE(writer.prepare(picture.bitmapHeader(true), bytes.data(), bytes.size()));
    std::ofstream(file) << "an older, longer file that must be replaced entirely";
    ASSERT_TRUE(writer.write(file.string()));
    EXPECT_EQ(readFile(file), writer.encode());

    const fs::path uncreatable = folder_ / "no such folder" / "still.jpg";
    EXPECT_FALSE(writer.write(uncreatable.string()));
    EXPECT_FALSE(fs::exists(uncreatable));
    EXPECT_FALSE(writer.write(folder_.str())) << "a folder is not a file";
}

} // namespace
} // namespace kyvo::imaging
