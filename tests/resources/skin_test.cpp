// Checks the bitmaps kyvo_skingen wrote beside this test: every id present at
// its exact size and not blank, pressed faces visibly different, and bitmaps
// that are copied onto a screen seamless with the background they cover.
#include "SkinIds.h"
#include "SkinLayout.h"

#include <QCoreApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace kyvo::skin;

namespace {

QString skinDir() {
    static int argc = 1;
    static char name[] = "skin_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return QCoreApplication::applicationDirPath() + QStringLiteral("/skin");
}

QImage load(int id) {
    return QImage(skinDir() + QStringLiteral("/%1.png").arg(id)).convertToFormat(QImage::Format_ARGB32);
}

int distance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) +
           std::abs(qAlpha(a) - qAlpha(b));
}

// Pixels of image that differ from background at `at` by more than a hair;
// only rows [top, bottom) and columns [left, right) of the image are compared.
int seamErrors(const QImage& image, const QImage& background, QPoint at, QRect area) {
    constexpr int kTolerance = 6;
    int errors = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (distance(image.pixel(x, y), background.pixel(at.x() + x, at.y() + y)) > kTolerance)
                ++errors;
        }
    }
    return errors;
}

int cornerErrors(const QImage& image, const QImage& background, QPoint at) {
    const QRect all = image.rect();
    int errors = 0;
    for (QPoint corner : {all.topLeft(), all.topRight(), all.bottomLeft(), all.bottomRight()})
        errors += seamErrors(image, background, at, QRect(corner, QSize(1, 1)));
    return errors;
}

// Brightest grey level inside area of image.
int brightest(const QImage& image, QRect area) {
    int level = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            level = std::max(level, qGray(image.pixel(x, y)));
    }
    return level;
}

// Pixels of a speed digit lit clearly above its LED window.
QImage litMask(const QImage& digit) {
    constexpr int kLit = 120;
    QImage mask(digit.size(), QImage::Format_Mono);
    for (int y = 0; y < digit.height(); ++y) {
        for (int x = 0; x < digit.width(); ++x)
            mask.setPixel(x, y, qGray(digit.pixel(x, y)) > kLit ? 1 : 0);
    }
    return mask;
}

} // namespace

TEST(Skin, EveryBitmapHasItsSizeAndIsNotBlank) {
    for (const SkinImage& entry : kSkinImages) {
        SCOPED_TRACE(entry.id);
        const QImage image = load(entry.id);
        ASSERT_FALSE(image.isNull()) << "missing " << entry.id << ".png in " << qPrintable(skinDir());
        EXPECT_EQ(image.size(), QSize(entry.width, entry.height));
        bool varied = false;
        for (int y = 0; y < image.height() && !varied; ++y) {
            for (int x = 0; x < image.width() && !varied; ++x)
                varied = image.pixel(x, y) != image.pixel(0, 0);
        }
        EXPECT_TRUE(varied) << "a single colour";
    }
}

TEST(Skin, PressedFacesDifferVisiblyFromNormalOnes) {
    constexpr int kVisible = 60;        // summed channel difference
    constexpr double kMinShare = 0.05;  // of the button's pixels
    for (const SkinImage& entry : kSkinImages) {
        if (entry.normalId == 0)
            continue;
        SCOPED_TRACE(entry.id);
        const QImage pressed = load(entry.id);
        const QImage normal = load(entry.normalId);
        ASSERT_EQ(pressed.size(), normal.size());
        int changed = 0;
        for (int y = 0; y < pressed.height(); ++y) {
            for (int x = 0; x < pressed.width(); ++x)
                changed += distance(pressed.pixel(x, y), normal.pixel(x, y)) > kVisible;
        }
        EXPECT_GE(changed, kMinShare * pressed.width() * pressed.height());
    }
}

TEST(Skin, ScreensAreOpaqueAndPlacedBitmapsKeepTheirBackground) {
    const QImage main = load(kMainBackground);
    const QImage password = load(kPasswordBackground);
    for (const QImage* screen : {&main, &password}) {
        ASSERT_FALSE(screen->isNull());
        int translucent = 0;
        for (int y = 0; y < screen->height(); ++y) {
            for (int x = 0; x < screen->width(); ++x)
                translucent += qAlpha(screen->pixel(x, y)) != 255;
        }
        EXPECT_EQ(translucent, 0);
    }

    // Normal faces keep the background in their corners. Bar parts are
    // checked against each other below; pressed faces may light up whole.
    for (const layout::Placement& placement : layout::kPlacements) {
        const bool barPart = placement.id == kBarLeftCap || placement.id == kBarFill || placement.id == kBarRightCap;
        if (findSkinImage(placement.id)->normalId != 0 || barPart)
            continue;
        SCOPED_TRACE(placement.id);
        const QImage& screen = placement.screen == layout::Screen::Main ? main : password;
        EXPECT_EQ(cornerErrors(load(placement.id), screen, placement.at), 0);
    }
    // The close button and the unlock animation also sit on the password screen.
    EXPECT_EQ(cornerErrors(load(kCloseNormal), password, layout::kPasswordClose), 0);
    for (int id = kUnlockFirst; id <= kUnlockLast; ++id)
        EXPECT_EQ(cornerErrors(load(id), password, layout::kUnlockAnimation), 0) << "unlock frame " << id;
}

// The popups copy their controls unblended onto an opaque window filled with
// RGB(4, 0, 0): a translucent pixel shows garbage, and a resting face whose
// corners are not the popup fill shows a box around the control.
TEST(Skin, PopupControlsAreOpaqueAndSitOnThePopupFill) {
    const QRgb popupFill = qRgb(4, 0, 0);
    for (const SkinImage& entry : kSkinImages) {
        if (entry.id < kPopupCloseNormal || entry.id > kLevelThumb)
            continue;
        SCOPED_TRACE(entry.id);
        const QImage image = load(entry.id);
        ASSERT_FALSE(image.isNull());
        int translucent = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                translucent += qAlpha(image.pixel(x, y)) != 255;
        }
        EXPECT_EQ(translucent, 0);
        if (entry.normalId != 0)
            continue;  // pressed faces may light up whole
        const QRect all = image.rect();
        for (QPoint corner : {all.topLeft(), all.topRight(), all.bottomLeft(), all.bottomRight()})
            EXPECT_LE(distance(image.pixel(corner), popupFill), 6) << corner.x() << "," << corner.y();
    }
}

TEST(Skin, DigitsAndEventMarksFitEveryPlaceTheyAreDrawn) {
    const QImage main = load(kMainBackground);
    for (int id = kDigitFirst; id <= kDigitLast; ++id) {
        const QImage digit = load(id);
        for (QPoint at : layout::kSpeedDigits)
            EXPECT_EQ(cornerErrors(digit, main, at), 0) << "digit " << id - kDigitFirst << " at " << at.x();
    }
    const QImage mark = load(kEventMark);
    for (int x = layout::kEventMarkMinX; x <= layout::kEventMarkMaxX; x += 40)
        EXPECT_EQ(cornerErrors(mark, main, {x, layout::kEventMarkTop}), 0) << "event mark at " << x;
}

// The bars are assembled at run time from caps, fill columns and a knob that
// slides along the groove: every part must join the others and the groove
// without a visible seam, at every bar and every knob position.
TEST(Skin, BarPartsJoinSeamlesslyAlongAllThreeBars) {
    const QImage main = load(kMainBackground);
    const QImage fill = load(kBarFill);
    const QImage leftCap = load(kBarLeftCap);
    const QImage rightCap = load(kBarRightCap);
    ASSERT_EQ(fill.height(), leftCap.height());

    struct Case {
        const layout::Bar& bar;
        int knobId;
    };
    for (const Case& c : {Case{layout::kProgressBar, kProgressKnob}, Case{layout::kSpeedBar, kSliderKnob},
                          Case{layout::kVolumeBar, kSliderKnob}}) {
        SCOPED_TRACE(c.bar.groove.left());
        EXPECT_EQ(c.bar.groove.height(), fill.height());
        // The caps' inner columns continue the fill columns.
        for (int y = 0; y < fill.height(); ++y) {
            EXPECT_LE(distance(leftCap.pixel(leftCap.width() - 1, y), fill.pixel(0, y)), 6);
            EXPECT_LE(distance(rightCap.pixel(0, y), fill.pixel(0, y)), 6);
        }
        const QImage knob = load(c.knobId);
        const int grooveRow = c.bar.groove.top() - c.bar.knobTop;
        for (int position : {0, c.bar.maxPosition / 3, c.bar.maxPosition * 2 / 3, c.bar.maxPosition}) {
            SCOPED_TRACE(position);
            const QPoint at(c.bar.knobLeft + position, c.bar.knobTop);
            const bool atEnd = position == 0 || position == c.bar.maxPosition;
            // Top and bottom rows sit on the plain panel, the edge columns on
            // the groove: empty to the right, filled to the left. At the very
            // ends the groove's rounded rim may show a pixel of difference.
            EXPECT_EQ(seamErrors(knob, main, at, QRect(0, 0, knob.width(), 1)), 0);
            EXPECT_EQ(seamErrors(knob, main, at, QRect(0, knob.height() - 1, knob.width(), 1)), 0);
            EXPECT_LE(seamErrors(knob, main, at, QRect(knob.width() - 1, 0, 1, knob.height())), atEnd ? 2 : 0);
            EXPECT_LE(seamErrors(knob, main, at, QRect(0, 0, 1, grooveRow)) +
                          seamErrors(knob, main, at, QRect(0, grooveRow + fill.height(), 1,
                                                           knob.height() - grooveRow - fill.height())),
                      atEnd ? 2 : 0);
            for (int y = 0; y < fill.height(); ++y)
                EXPECT_LE(distance(knob.pixel(0, grooveRow + y), fill.pixel(0, y)), 6);
        }
    }
}

TEST(Skin, RecordingKindsAreDistinctAndStandOutOnDarkAndSelectedRows) {
    const QRgb selected = qRgb(0xAA, 0xFF, 0x4B);
    const QImage kinds[] = {load(kKindNormal), load(kKindEvent), load(kKindManual)};
    const QPoint fillSample(10, 11);  // clear of every glyph
    for (int a = 0; a < 3; ++a) {
        // The badge outline is dark against the selected row, its face light
        // against the dark list.
        EXPECT_GT(distance(kinds[a].pixel(kinds[a].width() / 2, 0), selected), 250);
        EXPECT_GT(qGray(kinds[a].pixel(fillSample)), 70);
        for (int b = a + 1; b < 3; ++b)
            EXPECT_GT(distance(kinds[a].pixel(fillSample), kinds[b].pixel(fillSample)), 120) << a << " vs " << b;
    }
}

// White text is drawn straight onto these areas, and the product name must
// stay clear of the file name in the title strip.
TEST(Skin, TextAreasStayDarkAndTheBrandStaysInItsPlace) {
    constexpr int kDark = 40;
    const QImage main = load(kMainBackground);
    EXPECT_LE(brightest(main, layout::kFileNameText.intersected(QRect(0, 0, 1020, layout::kTitleHeight))), kDark);
    EXPECT_LE(brightest(main, QRect(layout::kTimeText, QSize(140, 18))), kDark);
    EXPECT_LE(brightest(main, layout::kPositionArea.adjusted(0, 0, -40, 0)), kDark);
    for (QPoint at : layout::kGSensorText)
        EXPECT_LE(brightest(main, QRect(at, QSize(70, 14))), kDark) << at.x();

    const QRect strip(0, 0, layout::kMainSize.width(), layout::kTitleHeight);
    const QRect brand(layout::kBrandLeft, 0, layout::kBrandRight - layout::kBrandLeft, layout::kTitleHeight);
    EXPECT_GT(brightest(main, brand), 150) << "no product name in the title strip";
    EXPECT_LE(brightest(main, QRect(0, 0, layout::kBrandLeft, strip.height())), kDark);
    EXPECT_LE(brightest(main, QRect(layout::kBrandRight, 0, strip.width() - layout::kBrandRight, strip.height())),
              kDark);
}

// Seven-segment digits: all ten differ, and 8 lights every segment any other
// digit lights, 1 the fewest.
TEST(Skin, SpeedDigitsLightTheirOwnSegments) {
    const QImage eight = litMask(load(kDigitFirst + 8));
    const auto litCount = [](const QImage& mask) {
        int n = 0;
        for (int y = 0; y < mask.height(); ++y) {
            for (int x = 0; x < mask.width(); ++x)
                n += mask.pixelIndex(x, y);
        }
        return n;
    };
    const int ones = litCount(litMask(load(kDigitFirst + 1)));
    for (int a = 0; a <= 9; ++a) {
        const QImage mask = litMask(load(kDigitFirst + a));
        for (int y = 0; y < mask.height(); ++y) {
            for (int x = 0; x < mask.width(); ++x)
                EXPECT_LE(mask.pixelIndex(x, y), eight.pixelIndex(x, y)) << a << " lights outside 8";
        }
        if (a != 1) {
            EXPECT_GT(litCount(mask), ones) << a;
        }
        for (int b = a + 1; b <= 9; ++b)
            EXPECT_NE(mask, litMask(load(kDigitFirst + b))) << a << " looks like " << b;
    }
}
