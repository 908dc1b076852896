#include "PictureFile.h"

#include "JpegHeaders.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <limits>

namespace kyvo::jpegstill {

namespace {

using imaging::bitmapRowBytes;
using imaging::kBytesPerPixel;

// BMP layout: a 14-byte file header, then the information header.
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kPixelOffsetAt = 10;
constexpr std::size_t kInfoSizeAt = 14;
constexpr std::size_t kWidthAt = 18;
constexpr std::size_t kHeightAt = 22;
constexpr std::size_t kBitCountAt = 28;
constexpr std::size_t kCompressionAt = 30;
constexpr std::uint16_t kTrueColourBits = 24;
constexpr std::uint32_t kUncompressed = 0;

constexpr int kPpmMaxSample = 255;

std::uint32_t le32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t le16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

bool startsWith(std::span<const std::uint8_t> file, char first, char second) {
    return file.size() >= 2 && file[0] == first && file[1] == second;
}

bool sizeFits(std::int64_t width, std::int64_t height) {
    return width >= 1 && height >= 1 && width <= imaging::kMaxDimension && height <= imaging::kMaxDimension;
}

// The header fields of a PPM: whitespace-separated decimal numbers, '#'
// starting a comment that runs to the end of its line.
class PpmHeader {
public:
    explicit PpmHeader(std::span<const std::uint8_t> file) : file_(file) {}

    bool number(std::int64_t& out) {
        skipSpaceAndComments();
        if (at_ >= file_.size() || std::isdigit(file_[at_]) == 0)
            return false;
        out = 0;
        while (at_ < file_.size() && std::isdigit(file_[at_]) != 0 && out <= std::numeric_limits<int>::max())
            out = out * 10 + (file_[at_++] - '0');
        return true;
    }

    // After the last number exactly one whitespace byte precedes the samples.
    bool endOfHeader(std::size_t& samplesAt) {
        if (at_ >= file_.size() || std::isspace(file_[at_]) == 0)
            return false;
        samplesAt = at_ + 1;
        return true;
    }

    void skip(std::size_t bytes) { at_ += bytes; }

private:
    void skipSpaceAndComments() {
        while (at_ < file_.size()) {
            if (file_[at_] == '#') {
                while (at_ < file_.size() && file_[at_] != '\n')
                    ++at_;
            } else if (std::isspace(file_[at_]) != 0) {
                ++at_;
            } else {
                return;
            }
        }
    }

    std::span<const std::uint8_t> file_;
    std::size_t at_ = 0;
};

} // namespace

ReadResult readBmp(std::span<const std::uint8_t> file) {
    if (!startsWith(file, 'B', 'M') || file.size() < kFileHeaderSize + imaging::BitmapInfoHeader::kSize)
        return ReadError{"not a BMP file, or shorter than its headers"};
    const auto width = static_cast<std::int32_t>(le32(file, kWidthAt));
    const auto signedHeight = static_cast<std::int32_t>(le32(file, kHeightAt));
    if (le32(file, kInfoSizeAt) < imaging::BitmapInfoHeader::kSize || le16(file, kBitCountAt) != kTrueColourBits ||
        le32(file, kCompressionAt) != kUncompressed)
        return ReadError{"only uncompressed 24-bit BMP files are supported"};
    const std::int64_t height = std::llabs(static_cast<std::int64_t>(signedHeight));
    if (!sizeFits(width, height))
        return ReadError{"the picture size is outside 1..65535 pixels"};
    const std::size_t offset = le32(file, kPixelOffsetAt);
    const std::size_t rowBytes = bitmapRowBytes(width);
    const std::size_t bytes = rowBytes * static_cast<std::size_t>(height);
    if (offset > file.size() || file.size() - offset < bytes)
        return ReadError{"the file ends inside its pixel rows"};
    Picture picture;
    picture.view.width = width;
    picture.view.height = static_cast<int>(height);
    const std::uint8_t* rows = file.data() + offset;
    if (signedHeight < 0) {
        picture.view.rowStride = static_cast<std::ptrdiff_t>(rowBytes);
        picture.view.topRow = rows;
    } else {
        // Bottom-up: the top row is the last one stored.
        picture.view.rowStride = -static_cast<std::ptrdiff_t>(rowBytes);
        picture.view.topRow = rows + rowBytes * static_cast<std::size_t>(height - 1);
    }
    return picture;
}

ReadResult readPpm(std::span<const std::uint8_t> file) {
    if (!startsWith(file, 'P', '6'))
        return ReadError{"not a binary PPM (P6) file"};
    PpmHeader header(file);
    header.skip(2);
    std::int64_t width = 0, height = 0, maxSample = 0;
    std::size_t samplesAt = 0;
    if (!header.number(width) || !header.number(height) || !header.number(maxSample) || !header.endOfHeader(samplesAt))
        return ReadError{"the PPM header is malformed"};
    if (!sizeFits(width, height))
        return ReadError{"the picture size is outside 1..65535 pixels"};
    if (maxSample < 1 || maxSample > kPpmMaxSample)
        return ReadError{"only PPM files with 8-bit samples are supported"};
    const std::size_t sampleCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * kBytesPerPixel;
    if (file.size() - samplesAt < sampleCount)
        return ReadError{"the file ends inside its pixel rows"};

    Picture picture;
    picture.view.width = static_cast<int>(width);
    picture.view.height = static_cast<int>(height); // PPM rows run top-down, unpadded
    picture.view.rowStride = static_cast<std::ptrdiff_t>(width * kBytesPerPixel);
    picture.view.order = imaging::ChannelOrder::RedGreenBlue;
    const std::span<const std::uint8_t> samples = file.subspan(samplesAt, sampleCount);
    if (maxSample == kPpmMaxSample) {
        picture.view.topRow = samples.data();
        return picture;
    }
    picture.scaled.resize(sampleCount);
    std::transform(samples.begin(), samples.end(), picture.scaled.begin(), [&](std::uint8_t sample) {
        return static_cast<std::uint8_t>(std::min<std::int64_t>(sample, maxSample) * kPpmMaxSample / maxSample);
    });
    picture.view.topRow = picture.scaled.data();
    return picture;
}

ReadResult readPicture(std::span<const std::uint8_t> file) {
    if (startsWith(file, 'B', 'M'))
        return readBmp(file);
    if (startsWith(file, 'P', '6'))
        return readPpm(file);
    return ReadError{"neither a BMP nor a binary PPM (P6) file"};
}

} // namespace kyvo::jpegstill
