// jpegstill's readers and its conversion: each input form ends up as the same
// top-down picture in the JPEG.
#include "Convert.h"
#include "JpegEncoder.h"
#include "JpegStillWriter.h"
#include "PictureFile.h"
#include "TempFolder.h"
#include "TestPicture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kyvo::jpegstill {
namespace {

using imaging::testing::TestPicture;
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

void putLe(Bytes& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A BMP file: 14-byte file header, 40-byte information header, two spare
// bytes before the rows (the pixel offset says where they start).
Bytes bmpFile(const TestPicture& picture, bool bottomUp, std::uint16_t bitCount = 24) {
    const Bytes rows = picture.bitmapBytes(bottomUp);
    const std::size_t offset = 14 + 40 + 2;
    Bytes file(offset + rows.size(), 0);
    std::copy(rows.begin(), rows.end(), file.begin() + static_cast<std::ptrdiff_t>(offset));
    file[0] = 'B';
    file[1] = 'M';
    putLe(file, 2, static_cast<std::uint32_t>(offset + rows.size()), 4);
    putLe(file, 10, offset, 4);
    putLe(file, 14, 40, 4);
    putLe(file, 18, static_cast<std::uint32_t>(picture.width), 4);
    putLe(file, 22, static_cast<std::uint32_t>(bottomUp ? picture.height : -picture.height), 4);
    putLe(file, 26, 1, 2);
    putLe(file, 28, bitCount, 2);
    return file;
}

Bytes ppmFile(const TestPicture& picture, const std::string& header) {
    Bytes file(header.begin(), header.end());
    for (std::size_t i = 0; i < picture.bgr.size(); i += 3) {
        file.push_back(picture.bgr[i + 2]);
        file.push_back(picture.bgr[i + 1]);
        file.push_back(picture.bgr[i]);
    }
    return file;
}

Bytes jpegOf(const ReadResult& read) {
    const auto* picture = std::get_if<Picture>(&read);
    return picture != nullptr ? imaging::encodeJpeg(picture->view) : Bytes{};
}

std::string errorOf(const ReadResult& read) {
    const auto* error = std::get_if<ReadError>(&read);
    return error != nullptr ? error->message : "";
}

TEST(PictureFileTest, EveryFormReadsAsTheSamePicture) {
    const TestPicture picture = imaging::testing::makeTestPicture(13, 9);
    const Bytes expected = imaging::encodeJpeg(picture.view());
    EXPECT_EQ(jpegOf(readPicture(bmpFile(picture, true))), expected) << "bottom-up BMP";
    EXPECT_EQ(jpegOf(readPicture(bmpFile(picture, false))), expected) << "top-down BMP";
    EXPECT_EQ(jpegOf(readPicture(ppmFile(picture, "P6\n# made by a test\n13 9\n255\n"))), expected) << "PPM";
    EXPECT_EQ(jpegOf(readPicture(ppmFile(picture, "P6 13\t9 255 "))), expected) << "PPM on one line";
}

TEST(PictureFileTest, PpmSamplesBelow255AreScaled) {
    const Bytes file = {'P', '6', ' ', '2', ' ', '1', ' ', '1', '5', '\n', 15, 0, 5, 0, 15, 7};
    const ReadResult read = readPpm(file);
    const auto* picture = std::get_if<Picture>(&read);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->view.width, 2);
    EXPECT_EQ(picture->view.height, 1);
    EXPECT_EQ(picture->view.order, imaging::ChannelOrder::RedGreenBlue);
    EXPECT_EQ(picture->scaled, (Bytes{255, 0, 85, 0, 255, 119}));
    EXPECT_EQ(picture->view.topRow, picture->scaled.data());
}

TEST(PictureFileTest, RefusesWhatItCannotConvert) {
    const TestPicture picture = imaging::testing::makeUniformPicture(3, 2, {1, 2, 3});
    Bytes truncated = bmpFile(picture, true);
    truncated.pop_back();
    EXPECT_NE(errorOf(readPicture(truncated)), "");
    EXPECT_NE(errorOf(readPicture(bmpFile(picture, true, 32))), "");
    Bytes compressed = bmpFile(picture, true);
    putLe(compressed, 30, 1, 4);
    EXPECT_NE(errorOf(readPicture(compressed)), "");
    EXPECT_NE(errorOf(readPicture(ppmFile(picture, "P6 3 2 65535\n"))), "");
    EXPECT_NE(errorOf(readPicture(ppmFile(picture, "P6 0 2 255\n"))), "");
    EXPECT_NE(errorOf(readPicture(ppmFile(picture, "P6 3 2 255"))), "") << "no byte between header and samples";
    const std::string plainPpm = "P3 1 1 255 0 0 0";
    EXPECT_NE(errorOf(readPicture(Bytes(plainPpm.begin(), plainPpm.end()))), "");
    EXPECT_NE(errorOf(readPicture(Bytes{})), "");
}

TEST(PictureFileTest, ConvertsFilesAndSaysWhatFailed) {
    const kyvo::test::TempFolder scratch("jpegstill");
    const fs::path& folder = scratch.path();
    const TestPicture picture = imaging::testing::makeTestPicture(17, 12);
    const Bytes bmp = bmpFile(picture, true);
    std::ofstream(folder / "in.bmp", std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()),
                                                            static_cast<std::streamsize>(bmp.size()));

    EXPECT_EQ(convertFile((folder / "in.bmp").string(), (folder / "out.jpg").string()), "");
    std::ifstream out(folder / "out.jpg", std::ios::binary);
    EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(out), std::istreambuf_iterator<char>()),
              imaging::encodeJpeg(picture.view()));
    EXPECT_NE(convertFile((folder / "missing.bmp").string(), (folder / "x.jpg").string()).find("cannot be opened"),
              std::string::npos);
    const std::string unwritable = (folder / "no folder" / "x.jpg").string();
    EXPECT_NE(convertFile((folder / "in.bmp").string(), unwritable).find("cannot be written"), std::string::npos);
}

} // namespace
} // namespace kyvo::jpegstill
