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
constexpr std::size_t kPlanesAt = 26;
constexpr std::size_t kBitCountAt = 28;
constexpr std::size_t kCompressionAt = 30;
constexpr std::size_t kSizeImageAt = 34;
constexpr std::size_t kXPelsAt = 38;
constexpr std::size_t kYPelsAt = 42;
constexpr std::size_t kClrUsedAt = 46;
constexpr std::size_t kClrImportantAt = 50;
constexpr std::uint16_t kTrueColourBits = 24;
constexpr std::uint32_t kUncompressed = 0;

constexpr int kPpmMaxSample = 255;
constexpr int kRed = 0, kGreen = 1, kBlue = 2;

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
    Bitmap bitmap;
    imaging::BitmapInfoHeader& h = bitmap.header;
    h.size = le32(file, kInfoSizeAt);
    h.width = static_cast<std::int32_t>(le32(file, kWidthAt));
    h.height = static_cast<std::int32_t>(le32(file, kHeightAt));
    h.planes = le16(file, kPlanesAt);
    h.bitCount = le16(file, kBitCountAt);
    h.compression = le32(file, kCompressionAt);
    h.sizeImage = le32(file, kSizeImageAt);
    h.xPelsPerMeter = static_cast<std::int32_t>(le32(file, kXPelsAt));
    h.yPelsPerMeter = static_cast<std::int32_t>(le32(file, kYPelsAt));
    h.clrUsed = le32(file, kClrUsedAt);
    h.clrImportant = le32(file, kClrImportantAt);
    if (h.size < imaging::BitmapInfoHeader::kSize || h.bitCount != kTrueColourBits || h.compression != kUncompressed)
        return ReadError{"only uncompressed 24-bit BMP files are supported"};
    const std::int64_t height = std::llabs(static_cast<std::int64_t>(h.height));
    if (!sizeFits(h.width, height))
        return ReadError{"the picture size is outside 1..65535 pixels"};
    const std::size_t offset = le32(file, kPixelOffsetAt);
    const std::size_t bytes = bitmapRowBytes(h.width) * static_cast<std::size_t>(height);
    if (offset > file.size() || file.size() - offset < bytes)
        return ReadError{"the file ends inside its pixel rows"};
    bitmap.pixels.assign(file.begin() + static_cast<std::ptrdiff_t>(offset),
                         file.begin() + static_cast<std::ptrdiff_t>(offset + bytes));
    return bitmap;
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
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    if (file.size() - samplesAt < w * h * kBytesPerPixel)
        return ReadError{"the file ends inside its pixel rows"};

    Bitmap bitmap;
    bitmap.header.width = static_cast<std::int32_t>(width);
    bitmap.header.height = -static_cast<std::int32_t>(height); // PPM rows run top-down
    const std::size_t rowBytes = bitmapRowBytes(bitmap.header.width);
    bitmap.header.sizeImage = static_cast<std::uint32_t>(rowBytes * h);
    const auto scaled = [&](std::uint8_t sample) {
        return static_cast<std::uint8_t>(std::min<std::int64_t>(sample, maxSample) * kPpmMaxSample / maxSample);
    };
    // Rows are appended as they are read (no zero-filled buffer first), the
    // samples reordered in place, and each row padded to four bytes.
    bitmap.pixels.reserve(rowBytes * h);
    const std::size_t rowSamples = w * kBytesPerPixel;
    for (std::size_t y = 0; y < h; ++y) {
        const std::uint8_t* in = file.data() + samplesAt + y * rowSamples;
        const std::size_t start = bitmap.pixels.size();
        bitmap.pixels.insert(bitmap.pixels.end(), in, in + rowSamples);
        std::uint8_t* out = bitmap.pixels.data() + start;
        if (maxSample == kPpmMaxSample) {
            // 8-bit samples as they are: only the order changes.
            for (std::size_t x = 0; x < w; ++x, out += kBytesPerPixel)
                std::swap(out[0], out[2]);
        } else {
            for (std::size_t x = 0; x < w; ++x, in += kBytesPerPixel, out += kBytesPerPixel) {
                out[0] = scaled(in[kBlue]);
                out[1] = scaled(in[kGreen]);
                out[2] = scaled(in[kRed]);
            }
        }
        bitmap.pixels.insert(bitmap.pixels.end(), rowBytes - rowSamples, std::uint8_t{0});
    }
    return bitmap;
}

ReadResult readPicture(std::span<const std::uint8_t> file) {
    if (startsWith(file, 'B', 'M'))
        return readBmp(file);
    if (startsWith(file, 'P', '6'))
        return readPpm(file);
    return ReadError{"neither a BMP nor a binary PPM (P6) file"};
}

} // namespace kyvo::jpegstill
