#include "TestPicture.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kyvo::imaging::testing {

namespace {

constexpr int kChannels = 3;
constexpr double kPeak = 255.0;

// Shapes with hard edges, placed in fractions of the picture size.
constexpr Bgr kShapeColour = {20, 40, 220};
constexpr Bgr kBarColour = {240, 240, 250};
constexpr Bgr kDiscColour = {200, 180, 30};
constexpr Bgr kPanelColour = {235, 235, 235};
constexpr Bgr kInkColour = {30, 25, 20};

// Glyph-like marks: 5 x 7 cells, about a quarter of them inked, picked from a
// hash, three pixels per cell, on a light panel; every sixth glyph is left out
// as a word gap. Lines of print like the time stamp of a recording.
constexpr int kGlyphColumns = 5;
constexpr int kGlyphRows = 7;
constexpr int kGlyphCell = 3;
constexpr std::uint32_t kSecondHashOffset = 7919;
constexpr std::uint32_t kWordLength = 6;
constexpr int kGlyphAdvance = (kGlyphColumns + 1) * kGlyphCell;
constexpr int kLineAdvance = (kGlyphRows + 2) * kGlyphCell;

std::uint32_t hash(std::uint32_t value) {
    value ^= value >> 16;
    value *= 0x7FEB352DU;
    value ^= value >> 15;
    value *= 0x846CA68BU;
    value ^= value >> 16;
    return value;
}

std::uint8_t ramp(int position, int length) {
    return static_cast<std::uint8_t>(length <= 1 ? 0 : position * 255 / (length - 1));
}

void fillGradient(TestPicture& picture) {
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            picture.set(x, y,
                        {ramp(x + y, picture.width + picture.height - 1), ramp(y, picture.height),
                         ramp(x, picture.width)});
        }
    }
}

void fillRect(TestPicture& picture, int left, int top, int right, int bottom, Bgr colour) {
    for (int y = std::max(top, 0); y < std::min(bottom, picture.height); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, picture.width); ++x)
            picture.set(x, y, colour);
    }
}

void drawShapes(TestPicture& picture) {
    const int w = picture.width;
    const int h = picture.height;
    fillRect(picture, w / 10, h / 8, w * 3 / 10, h * 3 / 8, kShapeColour);
    fillRect(picture, w / 2, 0, w / 2 + std::max(1, w / 80), h, kBarColour);
    // A filled disc with a hard rim.
    const int cx = w * 3 / 4;
    const int cy = h / 3;
    const int radius = std::min(w, h) / 6;
    for (int y = cy - radius; y <= cy + radius; ++y) {
        for (int x = cx - radius; x <= cx + radius; ++x) {
            if (x >= 0 && y >= 0 && x < w && y < h && (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius)
                picture.set(x, y, kDiscColour);
        }
    }
}

void drawGlyph(TestPicture& picture, int left, int top, std::uint32_t seed) {
    const std::uint32_t cells = hash(seed) & hash(seed + kSecondHashOffset);
    for (int row = 0; row < kGlyphRows; ++row) {
        for (int column = 0; column < kGlyphColumns; ++column) {
            if (((cells >> ((row * kGlyphColumns + column) % 32)) & 1U) == 0)
                continue;
            fillRect(picture, left + column * kGlyphCell, top + row * kGlyphCell, left + (column + 1) * kGlyphCell,
                     top + (row + 1) * kGlyphCell, kInkColour);
        }
    }
}

void drawText(TestPicture& picture) {
    const int left = picture.width / 16;
    const int right = picture.width * 7 / 16;
    const int top = picture.height * 5 / 8;
    const int bottom = picture.height * 15 / 16;
    fillRect(picture, left, top, right, bottom, kPanelColour);
    std::uint32_t seed = 1;
    for (int y = top + kGlyphCell; y + kLineAdvance <= bottom; y += kLineAdvance) {
        for (int x = left + kGlyphCell; x + kGlyphAdvance <= right; x += kGlyphAdvance, ++seed) {
            if (seed % kWordLength != 0)
                drawGlyph(picture, x, y, seed);
        }
    }
}

} // namespace

Bgr TestPicture::at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * kChannels;
    return {bgr[i], bgr[i + 1], bgr[i + 2]};
}

void TestPicture::set(int x, int y, Bgr colour) {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * kChannels;
    bgr[i] = colour.blue;
    bgr[i + 1] = colour.green;
    bgr[i + 2] = colour.red;
}

PixelView TestPicture::view() const {
    return {width, height, static_cast<std::ptrdiff_t>(width) * kChannels, bgr.data()};
}

std::vector<std::uint8_t> TestPicture::bitmapBytes(bool bottomUp) const {
    const std::size_t rowBytes = bitmapRowBytes(width);
    std::vector<std::uint8_t> bytes(rowBytes * height, 0);
    for (int y = 0; y < height; ++y) {
        const int stored = bottomUp ? height - 1 - y : y;
        std::copy_n(bgr.begin() + static_cast<std::ptrdiff_t>(y) * width * kChannels, width * kChannels,
                    bytes.begin() + static_cast<std::ptrdiff_t>(stored * rowBytes));
    }
    return bytes;
}

BitmapInfoHeader TestPicture::bitmapHeader(bool bottomUp) const {
    BitmapInfoHeader header;
    header.width = width;
    header.height = bottomUp ? height : -height;
    header.sizeImage = static_cast<std::uint32_t>(bitmapRowBytes(width) * height);
    return header;
}

TestPicture makeUniformPicture(int width, int height, Bgr colour) {
    TestPicture picture{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * kChannels)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            picture.set(x, y, colour);
    }
    return picture;
}

TestPicture makeTestPicture(int width, int height) {
    TestPicture picture{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * kChannels)};
    fillGradient(picture);
    drawShapes(picture);
    drawText(picture);
    return picture;
}

double psnrAgainstRgb(const TestPicture& source, const std::vector<std::uint8_t>& rgb) {
    if (rgb.size() != source.bgr.size())
        return 0.0;
    double squared = 0.0;
    for (std::size_t pixel = 0; pixel < source.bgr.size(); pixel += kChannels) {
        for (int channel = 0; channel < kChannels; ++channel) {
            const double difference =
                static_cast<double>(source.bgr[pixel + channel]) - rgb[pixel + (kChannels - 1 - channel)];
            squared += difference * difference;
        }
    }
    if (squared == 0.0)
        return std::numeric_limits<double>::infinity();
    const double meanSquared = squared / static_cast<double>(source.bgr.size());
    return 10.0 * std::log10(kPeak * kPeak / meanSquared);
}

} // namespace kyvo::imaging::testing
