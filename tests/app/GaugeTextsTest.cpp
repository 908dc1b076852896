// The gauges' texts with their longest values stay inside their boxes, at
// every display scale and whatever the platform's default font is.

#include "GaugeTexts.h"
#include "MainLayout.h"
#include "Skin.h"

#include <QApplication>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

using namespace kyvo;
using namespace kyvo::app;

namespace {

// The bounding box of the pixels of `image` that `belongs` picks.
QRect drawnArea(const QImage& image, const std::function<bool(QRgb)>& belongs) {
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (belongs(image.pixel(x, y)))
                area |= QRect(x, y, 1, 1);
    return area;
}

template <typename Draw>
QImage drawnOnBlack(Draw draw) {
    QImage image(kMainSize.width, kMainSize.height, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    draw(painter);
    return image;
}

std::string describe(const QRect& r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

// A default font far larger than any the skin uses: the gauges must not take it.
class GaugeTexts : public ::testing::Test {
protected:
    void SetUp() override { QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 20)); }
    void TearDown() override { QApplication::setFont(saved_); }

private:
    QFont saved_ = QApplication::font();
};

} // namespace

TEST_F(GaugeTexts, TheLongestGSensorValuesStayInTheirColumns) {
    // Each value's column runs from its colour mark (9 pixels left of its
    // place; a glyph may lean a pixel left of the place) to just before the
    // next value's mark; the row lies between the panel's top and the graph.
    const std::array<QRect, 3> columns{QRect(QPoint(373, 566), QPoint(453, 605)),
                                       QRect(QPoint(456, 566), QPoint(536, 605)),
                                       QRect(QPoint(539, 566), QPoint(625, 605))};
    // The three colours apart, also where antialiasing darkens them.
    const std::array<std::function<bool(QRgb)>, 3> traces{
        [](QRgb c) { return c != qRgb(0, 0, 0) && qRed(c) > qGreen(c); },
        [](QRgb c) { return c != qRgb(0, 0, 0) && qRed(c) <= qGreen(c) && qGreen(c) > qBlue(c); },
        [](QRgb c) { return c != qRgb(0, 0, 0) && qRed(c) <= qGreen(c) && qGreen(c) <= qBlue(c); }};
    for (const double scale : {1.0, 1.25, 1.5}) {
        const QImage image = drawnOnBlack([&](QPainter& p) { drawGSensorValues(p, {-8.0, -8.0, -8.0}, scale); });
        for (std::size_t t = 0; t < 3; ++t) {
            const QRect drawn = drawnArea(image, traces[t]);
            ASSERT_FALSE(drawn.isEmpty());
            EXPECT_TRUE(columns[t].contains(drawn)) << "value " << t << " at scale " << scale << ": " << describe(drawn);
        }
    }
}

TEST_F(GaugeTexts, TheLongestPositionLinesStayInsideTheGpsWell) {
    RmcFix fix{};
    fix.latitude = -(89 + 59.0 / 60 + 59.99 / 3600);
    fix.longitude = -(179 + 59.0 / 60 + 59.99 / 3600); // 179° 59' 59.99" W
    const QRect region(QPoint(kPositionRegion.left, kPositionRegion.top),
                       QPoint(kPositionRegion.right - 1, kPositionRegion.bottom - 1));
    for (const double scale : {1.0, 1.25, 1.5}) {
        const QImage image = drawnOnBlack([&](QPainter& p) { drawPositionLines(p, fix, scale); });
        const QRect drawn = drawnArea(image, [](QRgb c) { return c != qRgb(0, 0, 0); });
        EXPECT_TRUE(region.adjusted(1, 1, -1, -1).contains(drawn)) << "scale " << scale << ": " << describe(drawn);
    }
}

// 999 km/h: the three digit images stand inside the speed box.
TEST(SpeedDigits, TheThreeDigitsStandInsideTheSpeedBox) {
    const QRect box(QPoint(kSpeedRegion.left, kSpeedRegion.top), QPoint(kSpeedRegion.right - 1, kSpeedRegion.bottom - 1));
    for (const Point at : kSpeedDigits) {
        const QImage nine = skinImage(bitmap::kDigitFirst + 9);
        ASSERT_FALSE(nine.isNull());
        EXPECT_TRUE(box.contains(QRect(QPoint(at.x, at.y), nine.size()))) << at.x;
    }
}
