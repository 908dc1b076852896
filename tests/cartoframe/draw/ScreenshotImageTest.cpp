// Screenshots read back by Qt's own bitmap reader: every pixel equals the
// canvas's, at widths whose rows need padding.
#include "DrawFixture.h"

#include <QImage>

namespace cartoframe::test {
namespace {

std::uint32_t le32(const Bytes& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

TEST_F(DrawFixture, AScreenshotReadsBackAsTheCanvasAtOddSizes) {
    copyFonts();
    const std::pair<int, int> sizes[] = {{801, 601}, {333, 217}, {1, 1}};
    for (const auto& [width, height] : sizes) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        ASSERT_EQ(dv_InitDraw(width, height), 0);
        // A track, its pin, the arrow and the controls give every picture colours.
        for (int i = 0; i < 5; ++i)
            dv_TrackAdd({i * 40, (i % 2) * 60});
        TDrawRequest request;
        request.centre = {40, 20};
        request.step = 0;
        request.vehicle = {60, 0};
        request.heading = 30;
        draw(request);

        char name[64];
        TGisPosition last;
        last.date = width;
        const int size = dv_WriteScreenshot(last, name, sizeof name);
        ASSERT_GT(size, 0);
        const Bytes file = readFile(folder_ / name);
        ASSERT_EQ(file.size(), static_cast<std::size_t>(size));
        // Rows padded to four bytes.
        EXPECT_EQ(file.size(), 54 + static_cast<std::size_t>((width * 3 + 3) / 4 * 4 * height));
        EXPECT_EQ(le32(file, 22), static_cast<std::uint32_t>(height)) << "a positive height: rows bottom-up";
        const QImage image(QString::fromStdString((folder_ / name).string()), "BMP");
        ASSERT_FALSE(image.isNull());
        ASSERT_EQ(image.width(), width);
        ASSERT_EQ(image.height(), height);
        int differing = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const QRgb rgb = image.pixel(x, y);
                const TColor fromFile = static_cast<TColor>(qBlue(rgb)) << 16 | qGreen(rgb) << 8 | qRed(rgb);
                differing += fromFile != pixel(x, y);
            }
        EXPECT_EQ(differing, 0);
        dv_TrackClear();
    }
}

} // namespace
} // namespace cartoframe::test
