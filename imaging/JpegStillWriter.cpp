#include "JpegStillWriter.h"

#include "JpegEncoder.h"
#include "JpegHeaders.h"

#include <cstdio>
#include <cstdlib>

namespace kyvo::imaging {

namespace {

constexpr std::uint16_t kTrueColourBits = 24;
constexpr std::uint32_t kUncompressed = 0;

bool acceptable(const BitmapInfoHeader& header) {
    const int height = std::abs(header.height);
    return header.bitCount == kTrueColourBits && header.compression == kUncompressed && header.width >= 1 &&
           header.width <= kMaxDimension && height >= 1 && height <= kMaxDimension;
}

} // namespace

bool JpegStillWriter::prepare(const BitmapInfoHeader& header, const std::uint8_t* pixels, std::size_t size) {
    pixels_.clear();
    header_ = BitmapInfoHeader{};
    if (!acceptable(header) || pixels == nullptr)
        return false;
    const std::size_t needed = bitmapRowBytes(header.width) * static_cast<std::size_t>(std::abs(header.height));
    if (size < needed)
        return false;
    header_ = header;
    pixels_.assign(pixels, pixels + needed);
    return true;
}

bool JpegStillWriter::prepare(const BitmapInfoHeader& header, std::vector<std::uint8_t>&& pixels) {
    pixels_.clear();
    header_ = BitmapInfoHeader{};
    if (!acceptable(header))
        return false;
    const std::size_t needed = bitmapRowBytes(header.width) * static_cast<std::size_t>(std::abs(header.height));
    if (pixels.size() < needed)
        return false;
    header_ = header;
    pixels_ = std::move(pixels);
    return true;
}

PixelView JpegStillWriter::view() const {
    const int height = std::abs(header_.height);
    const auto stride = static_cast<std::ptrdiff_t>(bitmapRowBytes(header_.width));
    if (header_.height < 0)
        return {header_.width, height, stride, pixels_.data()};
    // Bottom-up: the top row is the last one stored, and each row below it
    // lies one stride earlier.
    return {header_.width, height, -stride, pixels_.data() + stride * (height - 1)};
}

std::vector<std::uint8_t> JpegStillWriter::encode() const {
    if (!prepared())
        return {};
    return encodeJpeg(view());
}

bool JpegStillWriter::write(const std::string& fileName) const { return prepared() && writeJpegFile(view(), fileName); }

bool writeJpegFile(const PixelView& image, const std::string& fileName) {
    const std::vector<std::uint8_t> stream = encodeJpeg(image);
    if (stream.empty())
        return false;
    std::FILE* file = std::fopen(fileName.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(stream.data(), 1, stream.size(), file) == stream.size();
    // fclose flushes what is buffered; a full disk shows up here.
    const bool closed = std::fclose(file) == 0;
    if (written && closed)
        return true;
    std::remove(fileName.c_str());
    return false;
}

} // namespace kyvo::imaging
