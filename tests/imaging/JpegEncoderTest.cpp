// Whole files: decoded by libjpeg-turbo, read back coefficient by coefficient,
// and walked symbol by symbol.
#include "JpegEncoder.h"
#include "JpegTables.h"
#include "LibjpegCodec.h"
#include "ScanWalker.h"
#include "TestPicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kyvo::imaging {
namespace {

using namespace testing;
using Bytes = std::vector<std::uint8_t>;

constexpr double kMinPsnr = 30.0;

// How many 0xFF bytes the coded data holds.
std::ptrdiff_t markerBytesInScan(const Bytes& jpeg) {
    const auto layout = parseLayout(jpeg);
    if (!layout)
        return 0;
    return std::count(jpeg.begin() + static_cast<std::ptrdiff_t>(layout->scanBegin),
                      jpeg.begin() + static_cast<std::ptrdiff_t>(layout->scanEnd), 0xFF);
}

// What every file must satisfy: it decodes without a single warning at its
// real size, its segments end in an EOI, and every 0xFF in the coded data is
// followed by 0x00. Answers the decoded picture.
DecodedJpeg checkedDecode(const Bytes& jpeg, const TestPicture& source) {
    const DecodedJpeg decoded = decodeWithLibjpeg(jpeg);
    EXPECT_TRUE(decoded.ok) << decoded.error;
    EXPECT_TRUE(decoded.warnings.empty()) << decoded.warnings.front();
    EXPECT_EQ(decoded.width, source.width);
    EXPECT_EQ(decoded.height, source.height);
    EXPECT_EQ(decoded.components, 3);
    const auto layout = parseLayout(jpeg);
    EXPECT_TRUE(layout.has_value());
    if (layout) {
        EXPECT_TRUE(layout->endsWithEoi);
        EXPECT_EQ(layout->width, source.width);
        EXPECT_EQ(layout->height, source.height);
        for (std::size_t at = layout->scanBegin; at < layout->scanEnd; ++at) {
            if (jpeg[at] == 0xFF) {
                EXPECT_EQ(jpeg[++at], 0x00) << "at " << at;
            }
        }
    }
    return decoded;
}

TEST(JpegEncoderTest, HeaderBytesAreExact) {
    const TestPicture picture = makeUniformPicture(0x0123, 0x0245, {1, 2, 3});
    const Bytes jpeg = encodeJpeg(picture.view());
    Bytes expected = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0x00};
    expected.insert(expected.end(), kLuminanceQuant.begin(), kLuminanceQuant.end());
    expected.insert(expected.end(), {0xFF, 0xDB, 0x00, 0x43, 0x01});
    expected.insert(expected.end(), kChrominanceQuant.begin(), kChrominanceQuant.end());
    expected.insert(expected.end(), {0xFF, 0xC4, 0x01, 0xA2});
    for (const HuffmanDefinition* definition : {&kDcLuminance, &kAcLuminance, &kDcChrominance, &kAcChrominance}) {
        expected.push_back(definition->classAndId);
        expected.insert(expected.end(), definition->counts.begin(), definition->counts.end());
        expected.insert(expected.end(), definition->symbols.begin(), definition->symbols.end());
    }
    expected.insert(expected.end(), {0xFF, 0xC0, 0x00, 0x11, 0x08, 0x02, 0x45, 0x01, 0x23, 0x03, //
                                     0x01, 0x11, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01,          //
                                     0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11, //
                                     0x00, 0x3F, 0x00});
    ASSERT_GT(jpeg.size(), expected.size());
    EXPECT_EQ(Bytes(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(expected.size())), expected);
    const auto layout = parseLayout(jpeg);
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->scanBegin, expected.size());
    checkedDecode(jpeg, picture);
}

TEST(JpegEncoderTest, TestPicturesComeBackWithinThePsnrBound) {
    for (const auto& [width, height] : {std::pair{640, 480}, std::pair{1920, 1080}, std::pair{645, 483}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const TestPicture picture = makeTestPicture(width, height);
        const Bytes jpeg = encodeJpeg(picture.view());
        const DecodedJpeg decoded = checkedDecode(jpeg, picture);
        EXPECT_GE(psnrAgainstRgb(picture, decoded.rgb), kMinPsnr);
        EXPECT_GT(markerBytesInScan(jpeg), 10);
    }
}

// The same pixels held as a PPM file holds them (red first) and as a 32-bit
// frame buffer (a fourth byte that must be ignored).
struct OtherForms {
    explicit OtherForms(const TestPicture& picture) {
        for (std::size_t i = 0; i < picture.bgr.size(); i += 3) {
            rgb.insert(rgb.end(), {picture.bgr[i + 2], picture.bgr[i + 1], picture.bgr[i]});
            wide.insert(wide.end(), {picture.bgr[i], picture.bgr[i + 1], picture.bgr[i + 2],
                                     static_cast<std::uint8_t>(i * 7)});
        }
        rgbView = {picture.width, picture.height, picture.width * 3, rgb.data(), ChannelOrder::RedGreenBlue};
        wideView = {picture.width, picture.height, picture.width * 4, wide.data(), ChannelOrder::BlueGreenRedUnused};
    }
    Bytes rgb, wide;
    PixelView rgbView, wideView;
};

TEST(JpegEncoderTest, EveryLevelAndPixelOrderWritesTheSameBytes) {
    const TestPicture picture = makeTestPicture(203, 61);
    const OtherForms forms(picture);
    const Bytes expected = encodeJpeg(picture.view(), SimdLevel::Portable);
    for (SimdLevel level : supportedSimdLevels()) {
        EXPECT_EQ(encodeJpeg(picture.view(), level), expected) << simdLevelName(level);
        EXPECT_EQ(encodeJpeg(forms.rgbView, level), expected) << simdLevelName(level) << ", red first";
        EXPECT_EQ(encodeJpeg(forms.wideView, level), expected) << simdLevelName(level) << ", four-byte pixels";
    }
}

// The quantised coefficients of a picture worked out independently: colour
// conversion in single precision as the writer documents it, -128 outside the
// picture, the transform in double precision.
struct ReferenceCoefficients {
    explicit ReferenceCoefficients(const TestPicture& source) : picture(source) {}

    float sample(int component, int x, int y) const {
        if (x >= picture.width || y >= picture.height)
            return -128;
        const Bgr p = picture.at(x, y);
        const float r = p.red, g = p.green, b = p.blue;
        const float value = component == 0   ? 0.299F * r + 0.587F * g + 0.114F * b
                            : component == 1 ? -0.1687F * r - 0.3313F * g + 0.5F * b + 128
                                             : 0.5F * r - 0.4187F * g - 0.0813F * b + 128;
        return static_cast<float>(static_cast<int>(std::clamp(value, 0.0F, 255.0F))) - 128;
    }

    // The transform value of (u, v) before truncation.
    double exact(int component, int blockX, int blockY, int u, int v) const {
        double sum = 0;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x)
                sum += sample(component, blockX * 8 + x, blockY * 8 + y) *
                       std::cos((2 * x + 1) * u * std::numbers::pi / 16) *
                       std::cos((2 * y + 1) * v * std::numbers::pi / 16);
        }
        return (u == 0 ? 0.70710677 : 1.0) * (v == 0 ? 0.70710677 : 1.0) / 4 * sum;
    }

    const TestPicture& picture;
};

TEST(JpegEncoderTest, CoefficientsMatchAnIndependentEvaluation) {
    // Noise over a gradient, and a size whose last block row and column are
    // partly outside the picture.
    TestPicture picture = makeTestPicture(45, 27);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const Bgr p = picture.at(x, y);
            const auto jitter = [&](std::uint8_t value, int salt) {
                return static_cast<std::uint8_t>(std::clamp(value + ((x * 7 + y * 13 + salt) * 37 % 61) - 30, 0, 255));
            };
            picture.set(x, y, {jitter(p.blue, 1), jitter(p.green, 2), jitter(p.red, 3)});
        }
    }
    const JpegCoefficients coefficients = readCoefficientsWithLibjpeg(encodeJpeg(picture.view()));
    ASSERT_TRUE(coefficients.ok) << coefficients.error;
    ASSERT_EQ(coefficients.blocksAcross, 6);
    ASSERT_EQ(coefficients.blocksDown, 4);
    const ReferenceCoefficients reference(picture);
    int compared = 0;
    for (int component = 0; component < 3; ++component) {
        const QuantTable& table = component == 0 ? kLuminanceQuant : kChrominanceQuant;
        for (int zigzag = 0; zigzag < kBlockSize; ++zigzag) {
            const int natural = kZigzagToNatural[zigzag];
            for (int block = 0; block < 6 * 4; ++block) {
                const double value = reference.exact(component, block % 6, block / 6, natural % 8, natural / 8);
                if (std::round(value) != 0 && std::abs(value - std::round(value)) < 1e-3)
                    continue;
                ASSERT_EQ(coefficients.components[component][block][natural],
                          static_cast<int>(value) / table[zigzag])
                    << "component " << component << " block " << block << " position " << zigzag;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 3 * 64 * 24 * 9 / 10);
}

TEST(JpegEncoderTest, UniformGreyCodesOnlyDcDifferencesOfZeroAndEndOfBlock) {
    const TestPicture picture = makeUniformPicture(40, 24, {97, 97, 97});
    const Bytes jpeg = encodeJpeg(picture.view());
    checkedDecode(jpeg, picture);
    const CodedScan scan = walkScan(jpeg, *parseLayout(jpeg));
    ASSERT_TRUE(scan.ok);
    ASSERT_EQ(scan.blocks.size(), 5U * 3U * 3U);
    for (std::size_t i = 0; i < scan.blocks.size(); ++i) {
        if (i >= 3) { // the first block of each component carries its DC value
            EXPECT_EQ(scan.blocks[i].dcDifference, 0) << "block " << i;
        }
        EXPECT_EQ(scan.blocks[i].acSymbols, Bytes{0x00}) << "block " << i;
    }
    EXPECT_NE(scan.blocks[0].dcDifference, 0);
    EXPECT_LT(scan.paddingBits, 8);
    EXPECT_TRUE(scan.paddingIsZero);
}

TEST(JpegEncoderTest, BusyPictureUsesZeroRunsAndFullBlocks) {
    // A lone bright pixel gives scattered coefficients with long zero runs
    // (0xF0); a pixel checkerboard puts a large value at coefficient 63, so
    // its block ends without an end-of-block symbol; noise makes 0xFF bytes.
    TestPicture picture = makeUniformPicture(64, 16, {128, 128, 128});
    for (int x = 32; x < 64; ++x) {
        for (int y = 0; y < 16; ++y) {
            const auto v = static_cast<std::uint8_t>((x * 73 + y * 151) % 256);
            picture.set(x, y, {v, static_cast<std::uint8_t>(255 - v), static_cast<std::uint8_t>(v ^ 0x5A)});
        }
    }
    for (int x = 16; x < 24; ++x) {
        for (int y = 0; y < 8; ++y) {
            const auto v = static_cast<std::uint8_t>((x + y) % 2 == 0 ? 0 : 255);
            picture.set(x, y, {v, v, v});
        }
    }
    picture.set(7, 7, {255, 255, 255});
    const Bytes jpeg = encodeJpeg(picture.view());
    const DecodedJpeg decoded = checkedDecode(jpeg, picture);
    const CodedScan scan = walkScan(jpeg, *parseLayout(jpeg));
    ASSERT_TRUE(scan.ok);
    bool zeroRun = false, fullBlock = false;
    for (const CodedBlock& block : scan.blocks) {
        zeroRun = zeroRun || std::count(block.acSymbols.begin(), block.acSymbols.end(), 0xF0) > 0;
        fullBlock = fullBlock || (!block.acSymbols.empty() && block.acSymbols.back() != 0x00);
    }
    EXPECT_TRUE(zeroRun);
    EXPECT_TRUE(fullBlock);
    EXPECT_GT(markerBytesInScan(jpeg), 0) << "the stuffing check needs 0xFF bytes";
}

TEST(JpegEncoderTest, RefusesSizesAFrameHeaderCannotState) {
    const TestPicture picture = makeUniformPicture(2, 2, {0, 0, 0});
    PixelView view = picture.view();
    view.width = 0;
    EXPECT_TRUE(encodeJpeg(view).empty());
    view.width = 65536;
    EXPECT_TRUE(encodeJpeg(view).empty());
    const TestPicture single = makeUniformPicture(1, 1, {10, 200, 30});
    checkedDecode(encodeJpeg(single.view()), single);
}

} // namespace
} // namespace kyvo::imaging
