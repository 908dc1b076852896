// Circles, anti-aliased lines, thick lines and the dashed polyline.
//
// The anti-aliasing tests draw white on black, so a pixel's red byte reads
// back its weight: w >= 255 gives 255, 127 gives 127, any other (255 * w) >> 8.
#include "CanvasPrimitives.h"
#include "CanvasTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace cartoframe {
namespace {

using namespace test;

constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;

int level(const GuardedCanvas& canvas, int x, int y) { return static_cast<int>(canvas.at(x, y) & 0xFF); }

// The changed pixels of one row, left to right.
std::vector<int> rowOf(const PixelSet& pixels, int y) {
    std::vector<int> xs;
    for (const Pixel& p : pixels)
        if (p.y == y)
            xs.push_back(p.x);
    return xs;
}

TEST(CanvasCircleTest, RowsReachTheRoundedHalfWidth) {
    GuardedCanvas canvas(32, 24);
    // r = 8: floor(sqrt(64 - dy^2) + 0.5) for dy = 0 .. 8.
    const int halfWidths[] = {8, 8, 8, 7, 7, 6, 5, 4, 0};
    g_FillCircle(canvas.get(), 15, 11, 8, kInk);
    const PixelSet solid = canvas.changed();
    for (int y = 0; y < 24; ++y) {
        const int dy = std::abs(y - 11);
        const std::vector<int> row = rowOf(solid, y);
        if (dy > 8) {
            EXPECT_TRUE(row.empty()) << y;
            continue;
        }
        ASSERT_EQ(row.size(), static_cast<std::size_t>(2 * halfWidths[dy] + 1)) << y;
        EXPECT_EQ(row.front(), 15 - halfWidths[dy]) << y;
    }

    // The blended variant covers the same pixels, each blended once.
    canvas.clear();
    g_FillCircleBlend(canvas.get(), 15, 11, 8, kInk, 64);
    EXPECT_EQ(canvas.changed(), solid);
    for (const Pixel& p : solid)
        EXPECT_EQ(canvas.at(p.x, p.y), 0x4C3043u); // see the blend rules of the span tests

    canvas.clear();
    g_FillCircle(canvas.get(), 4, 5, 0, kInk);
    EXPECT_EQ(canvas.changed(), (PixelSet{{4, 5}}));
    canvas.clear();
    g_FillCircle(canvas.get(), 4, 5, -3, kInk);
    EXPECT_TRUE(canvas.changed().empty());
}

struct AASetting {
    TAALineSetting setting;
    int maximum;
};
const AASetting kSettings[] = {{G_AA_STRONG, 255}, {G_AA_SOFT, 127}};

TEST(CanvasAALineTest, EachStepSplitsTheMaximumBetweenTwoPixels) {
    GuardedCanvas canvas(32, 32);
    for (const AASetting& s : kSettings) {
        SCOPED_TRACE(s.maximum);
        canvas.clear(kBlack);
        g_AALine(canvas.get(), 2, 3, 29, 12, kWhite, s.setting);
        for (int x = 2; x <= 29; ++x) {
            std::vector<int> ys;
            int sum = 0;
            for (int y = 0; y < 32; ++y)
                if (level(canvas, x, y) != 0) {
                    ys.push_back(y);
                    sum += level(canvas, x, y);
                    EXPECT_LE(level(canvas, x, y), s.maximum);
                }
            ASSERT_FALSE(ys.empty()) << x;
            ASSERT_LE(ys.size(), 2u) << x;
            EXPECT_TRUE(ys.size() == 1 || ys[1] == ys[0] + 1) << x;
            EXPECT_GE(sum, s.maximum - 3) << x;
            EXPECT_LE(sum, s.maximum) << x;
        }
        // The end pixels get the maximum on their own.
        EXPECT_EQ(level(canvas, 2, 3), s.maximum);
        EXPECT_EQ(level(canvas, 29, 12), s.maximum);
    }
}

TEST(CanvasAALineTest, WeightsAreSymmetric) {
    const int n = 32;
    GuardedCanvas a(n, n), b(n, n);
    auto draw = [](GuardedCanvas& canvas, int x0, int y0, int x1, int y1, TAALineSetting setting) {
        canvas.clear(kBlack);
        g_AALine(canvas.get(), x0, y0, x1, y1, kWhite, setting);
    };
    struct Mirror {
        const char* name;
        int x0, y0, x1, y1; // the mirrored line of (2, 3) - (29, 12)
        int tolerance;
        int (*mapX)(int x, int y);
        int (*mapY)(int x, int y);
    };
    const Mirror mirrors[] = {
        {"end points swapped", 29, 12, 2, 3, 0, [](int x, int) { return x; }, [](int, int y) { return y; }},
        {"upside down", 2, 28, 29, 19, 0, [](int x, int) { return x; }, [](int, int y) { return 31 - y; }},
        {"transposed", 3, 2, 12, 29, 0, [](int, int y) { return y; }, [](int x, int) { return x; }},
        // Left to right the fractions of the two pixels trade places; their
        // 16-bit rounding may then differ by one step.
        {"left to right", 29, 3, 2, 12, 2, [](int x, int) { return 31 - x; }, [](int, int y) { return y; }},
    };
    for (const AASetting& s : kSettings)
        for (const Mirror& m : mirrors) {
            SCOPED_TRACE(std::string(m.name) + " " + std::to_string(s.maximum));
            draw(a, 2, 3, 29, 12, s.setting);
            draw(b, m.x0, m.y0, m.x1, m.y1, s.setting);
            for (int y = 0; y < n; ++y)
                for (int x = 0; x < n; ++x)
                    EXPECT_NEAR(level(a, x, y), level(b, m.mapX(x, y), m.mapY(x, y)), m.tolerance) << x << "," << y;
        }
}

TEST(CanvasAALineTest, DiagonalAndStraightRuns) {
    GuardedCanvas canvas(32, 32);
    canvas.clear(kBlack);
    g_AALine(canvas.get(), 13, 13, 3, 3, kWhite, G_AA_STRONG);
    PixelSet expected;
    for (int i = 3; i <= 13; ++i) {
        expected.insert({i, i});
        EXPECT_EQ(level(canvas, i, i), i == 3 || i == 13 ? 255 : (255 * 200) >> 8) << i;
        if (i == 13)
            continue;
        expected.insert({i + 1, i});
        expected.insert({i, i + 1});
        EXPECT_EQ(level(canvas, i + 1, i), (255 * 100) >> 8) << i;
        EXPECT_EQ(level(canvas, i, i + 1), (255 * 100) >> 8) << i;
    }
    EXPECT_EQ(canvas.changed(kBlack), expected);

    for (const AASetting& s : kSettings) {
        canvas.clear(kBlack);
        g_AALine(canvas.get(), 20, 5, 3, 5, kWhite, s.setting);
        g_AALine(canvas.get(), 25, 30, 25, 8, kWhite, s.setting);
        PixelSet runs;
        for (int x = 3; x <= 20; ++x)
            runs.insert({x, 5});
        for (int y = 8; y <= 30; ++y)
            runs.insert({25, y});
        EXPECT_EQ(canvas.changed(kBlack), runs);
        for (const Pixel& p : runs)
            EXPECT_EQ(level(canvas, p.x, p.y), s.maximum);
    }
}

TEST(CanvasThickLineTest, VerticalAndHorizontalWidths) {
    GuardedCanvas canvas(32, 32);
    struct Case {
        int width;
        int firstSolid; // x - w/2 for the column at x = 15 (y for the row at y = 15)
    };
    const Case cases[] = {{1, 15}, {4, 13}, {5, 13}, {8, 11}};
    for (const Case& c : cases) {
        for (bool vertical : {true, false}) {
            SCOPED_TRACE(std::to_string(c.width) + (vertical ? " vertical" : " horizontal"));
            canvas.clear(kBlack);
            if (vertical)
                g_ThickLine(canvas.get(), 15, 20, 15, 6, kWhite, c.width);
            else
                g_ThickLine(canvas.get(), 6, 15, 20, 15, kWhite, c.width);
            PixelSet expected;
            for (int along = 6; along <= 20; ++along)
                for (int across = c.firstSolid - 1; across <= c.firstSolid + c.width; ++across) {
                    const int x = vertical ? across : along;
                    const int y = vertical ? along : across;
                    expected.insert({x, y});
                    const bool side = across == c.firstSolid - 1 || across == c.firstSolid + c.width;
                    EXPECT_EQ(level(canvas, x, y), side ? 127 : 255) << x << "," << y;
                }
            EXPECT_EQ(canvas.changed(kBlack), expected);
        }
    }
}

// Inner steps of sloped thick lines, across the major axis: one run of fully
// covered pixels by the one-pixel line, `solid` long (one less where the
// fill's row rounding cuts a shallow band's edge pixel, whose coverage the
// edge's anti-aliasing then supplies), and a total coverage of the width plus
// the soft edges' half pixel each side.
TEST(CanvasThickLineTest, SlopedLinesKeepTheirWidthAcross) {
    struct Case {
        int x0, y0, x1, y1, width, solid;
    };
    const Case cases[] = {
        {3, 5, 28, 12, 4, 4}, // shallow
        {5, 3, 12, 28, 4, 4}, // steep
        {2, 4, 29, 17, 7, 7}, // shallow and wide
        {2, 10, 29, 14, 2, 2},
        {8, 4, 18, 19, 3, 4}, // dy / dx == 1: one more
        {5, 5, 24, 24, 4, 5}, // 45 degrees: one more
        {5, 26, 26, 5, 6, 7}, // 45 degrees rising
        {2, 3, 29, 30, 1, 2},
    };
    GuardedCanvas canvas(32, 32), line(32, 32);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x0) + "," + std::to_string(c.y0) + " to " + std::to_string(c.x1) + "," +
                     std::to_string(c.y1));
        canvas.clear(kBlack);
        g_ThickLine(canvas.get(), c.x0, c.y0, c.x1, c.y1, kWhite, c.width);
        line.clear(kBlack);
        g_Line(line.get(), c.x0, c.y0, c.x1, c.y1, kWhite);
        const bool xMajor = std::abs(c.x1 - c.x0) >= std::abs(c.y1 - c.y0);
        const int from = std::min(xMajor ? c.x0 : c.y0, xMajor ? c.x1 : c.y1) + 2;
        const int to = std::max(xMajor ? c.x0 : c.y0, xMajor ? c.x1 : c.y1) - 2;
        for (int major = from; major <= to; ++major) {
            std::vector<int> full;
            int onLine = -1;
            double coverage = 0;
            for (int minor = 0; minor < 32; ++minor) {
                const int x = xMajor ? major : minor;
                const int y = xMajor ? minor : major;
                coverage += level(canvas, x, y) / 255.0;
                if (level(canvas, x, y) >= 250)
                    full.push_back(minor);
                if (level(line, x, y) != 0)
                    onLine = minor;
            }
            ASSERT_FALSE(full.empty()) << major;
            EXPECT_TRUE(static_cast<int>(full.size()) == c.solid || static_cast<int>(full.size()) == c.solid - 1)
                << major << ": " << full.size();
            EXPECT_EQ(full.back() - full.front() + 1, static_cast<int>(full.size())) << major;
            // An even width lies half a pixel to one side of the line.
            EXPECT_TRUE(onLine >= full.front() - 1 && onLine <= full.back() + 1) << major;
            EXPECT_GE(coverage, c.solid + 0.5) << major;
            EXPECT_LE(coverage, c.solid + 1.75) << major;
        }
    }
}

TEST(CanvasThickLineTest, FortyFiveDegreesIsSymmetricAcrossTheLine) {
    GuardedCanvas canvas(32, 32);
    canvas.clear(kBlack);
    g_ThickLine(canvas.get(), 5, 5, 26, 26, kWhite, 4);
    for (int x = 9; x <= 22; ++x)
        for (int k = 0; k <= 6; ++k)
            EXPECT_EQ(level(canvas, x, x - k), level(canvas, x, x + k)) << x << " " << k;
}

TEST(CanvasThickLineTest, ClipIsRestoredAndRespected) {
    GuardedCanvas canvas(32, 32);
    const ClipRect clips[] = {{0, 0, 31, 31}, {4, 3, 27, 20}, {10, 10, 11, 11}};
    for (const ClipRect& clip : clips) {
        canvas.clear(kBlack);
        g_SetClip(canvas.get(), clip.left, clip.top, clip.right, clip.bottom);
        g_ThickLine(canvas.get(), -10, 2, 40, 25, kWhite, 7);
        g_ThickLine(canvas.get(), 3, 40, 20, -9, kWhite, 3);
        const ClipRect after = canvas.clip();
        EXPECT_TRUE(after.left == clip.left && after.top == clip.top && after.right == clip.right &&
                    after.bottom == clip.bottom);
        for (const Pixel& p : canvas.changed(kBlack))
            EXPECT_TRUE(clip.contains(p.x, p.y)) << p.x << "," << p.y;
        EXPECT_TRUE(canvas.guardsIntact());
    }
}

// Colour of the dash at column x, read from the middle row of a pen-2 line.
std::vector<TColor> dashRow(const GuardedCanvas& canvas, int y, int from, int to) {
    std::vector<TColor> out;
    for (int x = from; x <= to; ++x)
        out.push_back(canvas.at(x, y));
    return out;
}

std::vector<TColor> runs(std::initializer_list<std::pair<int, TColor>> parts) {
    std::vector<TColor> out;
    for (const auto& [count, colour] : parts)
        out.insert(out.end(), static_cast<std::size_t>(count), colour);
    return out;
}

// The thick line's four edge lines share one walk; the pixels (and the order
// of the blends on each pixel) must be those of drawing the copies one after
// another, also when the copies lie far apart and each walks on its own.
TEST(CanvasThickLineTest, EdgesSharingOneWalkMatchEdgesDrawnInTurn) {
    using canvas_detail::TAAPass;
    struct Case {
        long long x0, y0, x1, y1;
        std::vector<TAAPass> passes;
    };
    const std::vector<Case> cases = {
        {2, 3, 28, 17, {{-2, G_AA_STRONG}, {1, G_AA_STRONG}, {-3, G_AA_SOFT}, {2, G_AA_SOFT}}},
        {29, 4, 3, 25, {{0, G_AA_STRONG}, {0, G_AA_STRONG}, {-1, G_AA_SOFT}, {1, G_AA_SOFT}}},
        {5, 30, 12, -4, {{-1, G_AA_STRONG}, {1, G_AA_STRONG}, {-2, G_AA_SOFT}, {2, G_AA_SOFT}}},
        {-40, 10, 70, 16, {{-3, G_AA_STRONG}, {3, G_AA_STRONG}, {-4, G_AA_SOFT}, {4, G_AA_SOFT}}},
        {0, 0, 31, 9, {{-(1LL << 30), G_AA_STRONG}, {12, G_AA_STRONG}, {-(1LL << 30) - 1, G_AA_SOFT}, {13, G_AA_SOFT}}},
    };
    GuardedCanvas shared(32, 32), inTurn(32, 32);
    for (const ClipRect& clip : {ClipRect{0, 0, 31, 31}, ClipRect{5, 4, 22, 27}}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(c.x0) + "," + std::to_string(c.y0) + " to " + std::to_string(c.x1) + "," +
                         std::to_string(c.y1));
            shared.clear();
            inTurn.clear();
            g_SetClip(shared.get(), clip.left, clip.top, clip.right, clip.bottom);
            g_SetClip(inTurn.get(), clip.left, clip.top, clip.right, clip.bottom);
            canvas_detail::aaParallelLines(shared.get(), {c.x0, c.y0}, {c.x1, c.y1}, kInk, c.passes.data(),
                                           static_cast<int>(c.passes.size()));
            const bool xMajor = std::llabs(c.x1 - c.x0) >= std::llabs(c.y1 - c.y0);
            for (const TAAPass& pass : c.passes) {
                const long long dx = xMajor ? 0 : pass.offset, dy = xMajor ? pass.offset : 0;
                canvas_detail::aaLineWide(inTurn.get(), {c.x0 + dx, c.y0 + dy}, {c.x1 + dx, c.y1 + dy}, kInk,
                                          pass.setting);
            }
            EXPECT_FALSE(inTurn.changed().empty());
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x)
                    ASSERT_EQ(shared.at(x, y), inTurn.at(x, y)) << x << "," << y;
            EXPECT_TRUE(shared.guardsIntact());
        }
    }
}

TEST(CanvasDashTest, TwentyBlackThenTwentyWhiteStepsRestartingAtEverySegment) {
    GuardedCanvas canvas(70, 20);
    // Pen 1: each step is one pixel in the step's colour.
    const TPoint dots[] = {{2, 5}, {50, 5}};
    g_DashLine(canvas.get(), dots, 2, 1);
    EXPECT_EQ(dashRow(canvas, 5, 2, 50), runs({{20, kBlack}, {20, kWhite}, {9, kBlack}}));
    EXPECT_EQ(canvas.changed().size(), 49u);

    // Pen 2: squares from (x - 1, y - 1) to (x + 1, y + 1); each column ends
    // in the colour of the last square over it, the one a step to the right.
    canvas.clear();
    const TPoint line[] = {{2, 10}, {60, 10}};
    g_DashLine(canvas.get(), line, 2, 2);
    PixelSet covered;
    for (int y = 9; y <= 11; ++y)
        for (int x = 1; x <= 61; ++x)
            covered.insert({x, y});
    EXPECT_EQ(canvas.changed(), covered);
    const std::vector<TColor> pattern = runs({{20, kBlack}, {20, kWhite}, {21, kBlack}});
    for (int y = 9; y <= 11; ++y)
        EXPECT_EQ(dashRow(canvas, y, 1, 61), pattern) << y;

    // Two segments: the second starts black again at its first point.
    canvas.clear();
    const TPoint polyline[] = {{2, 10}, {32, 10}, {62, 10}};
    g_DashLine(canvas.get(), polyline, 3, 2);
    EXPECT_EQ(dashRow(canvas, 9, 1, 63), runs({{20, kBlack}, {10, kWhite}, {20, kBlack}, {13, kWhite}}));
}

TEST(CanvasDashTest, FarSegmentKeepsItsPhase) {
    GuardedCanvas canvas(64, 8);
    constexpr int kFar = 1 << 20;
    const TPoint far[] = {{-kFar, 3}, {kFar, 3}};
    g_DashLine(canvas.get(), far, 2, 1);
    for (int x = 0; x < 64; ++x) {
        const long long step = static_cast<long long>(x) + kFar;
        EXPECT_EQ(canvas.at(x, 3), (step / 20) % 2 == 0 ? kBlack : kWhite) << x;
    }
    EXPECT_EQ(canvas.changed().size(), 64u);
}

} // namespace
} // namespace cartoframe
