#include "JpegEncoder.h"

#include "BitWriter.h"
#include "BlockTransform.h"
#include "ColourConversion.h"
#include "EntropyCoder.h"
#include "HuffmanTable.h"
#include "JpegHeaders.h"
#include "JpegTables.h"

#include <algorithm>

namespace kyvo::imaging {

namespace {

// A first guess at the coded size, about a bit per sample but not more than
// a few megabytes up front; the writer grows past it when a picture needs more.
constexpr std::size_t kExpectedSamplesPerByte = 8;
constexpr std::size_t kMaxFirstGuess = 8 * 1024 * 1024;

int blocksFor(int pixels) { return (pixels + kBlockSide - 1) / kBlockSide; }

} // namespace

std::vector<std::uint8_t> encodeJpeg(const PixelView& image, SimdLevel level) {
    std::vector<std::uint8_t> out;
    if (image.width < 1 || image.height < 1 || image.width > kMaxDimension || image.height > kMaxDimension ||
        image.topRow == nullptr)
        return out;

    appendHeaders(out, image.width, image.height);

    const BlockTransform transform(level);
    const HuffmanTable dcLuminance(kDcLuminance);
    const HuffmanTable acLuminance(kAcLuminance);
    const HuffmanTable dcChrominance(kDcChrominance);
    const HuffmanTable acChrominance(kAcChrominance);
    const std::array<const QuantTable*, kComponentCount> quant = {&kLuminanceQuant, &kChrominanceQuant,
                                                                  &kChrominanceQuant};
    std::array<ComponentCoder, kComponentCount> coders = {{
        {dcLuminance, acLuminance},
        {dcChrominance, acChrominance},
        {dcChrominance, acChrominance},
    }};

    BlockStrip strip(blocksFor(image.width));
    std::array<std::vector<CoefficientBlock>, kComponentCount> coefficients;
    for (auto& blocks : coefficients)
        blocks.resize(static_cast<std::size_t>(strip.blocksAcross));
    BitWriter bits(std::min(kMaxFirstGuess, static_cast<std::size_t>(image.width) * image.height * kComponentCount /
                                                kExpectedSamplesPerByte));
    const int strips = blocksFor(image.height);
    for (int stripIndex = 0; stripIndex < strips; ++stripIndex) {
        convertStrip(image, stripIndex, strip, level);
        for (int component = 0; component < kComponentCount; ++component) {
            transform.apply(strip.samples[component].data(), coefficients[component].size(), *quant[component],
                            coefficients[component].data());
        }
        for (int blockX = 0; blockX < strip.blocksAcross; ++blockX) {
            for (int component = 0; component < kComponentCount; ++component)
                encodeBlock(coefficients[component][blockX], coders[component], bits);
        }
    }
    bits.finishInto(out);
    appendEndOfImage(out);
    return out;
}

} // namespace kyvo::imaging
