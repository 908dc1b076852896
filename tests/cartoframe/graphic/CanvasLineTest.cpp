// Spans, rectangles, the blend rules and the one-pixel line: exact pixels.
#include "CanvasTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <random>
#include <string>

namespace cartoframe {
namespace {

using namespace test;

constexpr int kWidth = 32;
constexpr int kHeight = 24;

PixelSet unite(std::initializer_list<PixelSet> parts) {
    PixelSet out;
    for (const PixelSet& part : parts)
        out.insert(part.begin(), part.end());
    return out;
}

PixelSet intersect(const PixelSet& pixels, const ClipRect& clip) {
    PixelSet out;
    for (const Pixel& p : pixels)
        if (clip.contains(p.x, p.y))
            out.insert(p);
    return out;
}

TEST(CanvasSpanTest, SpansAndRectanglesCoverExactlyTheirPixels) {
    struct Case {
        const char* name;
        std::function<void(TCanvas*)> draw;
        PixelSet expected;
    };
    const Case cases[] = {
        {"span", [](TCanvas* c) { g_HLine(c, 3, 7, 2, kInk); }, block(3, 2, 7, 2)},
        {"span reversed", [](TCanvas* c) { g_HLine(c, 7, 3, 2, kInk); }, block(3, 2, 7, 2)},
        {"span of one", [](TCanvas* c) { g_HLine(c, 5, 5, 4, kInk); }, block(5, 4, 5, 4)},
        {"span cut at both sides", [](TCanvas* c) { g_HLine(c, -9, 40, 0, kInk); }, block(0, 0, kWidth - 1, 0)},
        {"column", [](TCanvas* c) { g_VLine(c, 4, 9, 2, kInk); }, block(4, 2, 4, 9)},
        {"column cut", [](TCanvas* c) { g_VLine(c, 31, -3, 30, kInk); }, block(31, 0, 31, kHeight - 1)},
        {"rectangle",
         [](TCanvas* c) { g_Rect(c, 2, 3, 8, 7, kInk); },
         unite({block(2, 3, 8, 3), block(2, 7, 8, 7), block(2, 4, 2, 6), block(8, 4, 8, 6)})},
        {"rectangle by its other corners",
         [](TCanvas* c) { g_Rect(c, 8, 7, 2, 3, kInk); },
         unite({block(2, 3, 8, 3), block(2, 7, 8, 7), block(2, 4, 2, 6), block(8, 4, 8, 6)})},
        {"rectangle two rows high", [](TCanvas* c) { g_Rect(c, 2, 3, 8, 4, kInk); }, block(2, 3, 8, 4)},
        {"rectangle one column wide", [](TCanvas* c) { g_Rect(c, 2, 3, 2, 9, kInk); }, block(2, 3, 2, 9)},
        {"rectangle of one pixel", [](TCanvas* c) { g_Rect(c, 6, 6, 6, 6, kInk); }, block(6, 6, 6, 6)},
        {"rectangle past the corner",
         [](TCanvas* c) { g_Rect(c, 28, 20, 40, 30, kInk); },
         unite({block(28, 20, 31, 20), block(28, 21, 28, 23)})},
        {"filled rectangle", [](TCanvas* c) { g_FillRect(c, 5, 4, 2, 3, kInk); }, block(2, 3, 5, 4)},
        {"filled rectangle cut", [](TCanvas* c) { g_FillRect(c, -5, 20, 3, 99, kInk); }, block(0, 20, 3, 23)},
    };
    GuardedCanvas canvas(kWidth, kHeight);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.clear();
        c.draw(canvas.get());
        EXPECT_EQ(canvas.changed(), c.expected);
        for (const Pixel& p : c.expected)
            EXPECT_EQ(canvas.at(p.x, p.y), kInk);
        EXPECT_TRUE(canvas.guardsIntact());
    }
}

// Over 0x3C2B1A with ink 0x8040C0 (bytes blue, green, red: 3C 2B 1A and 80 40 C0).
TEST(CanvasSpanTest, BlendRulesPerByte) {
    constexpr TColor kHalf = 0x5E356D;      // old / 2 + new / 2
    constexpr TColor kWeight64 = 0x4C3043;  // (old * 191 + new * 64) >> 8
    constexpr TColor kWeight200 = 0x703B9B; // (old * 55 + new * 200) >> 8
    struct Case {
        const char* name;
        std::function<void(TCanvas*)> draw;
        TColor expected;
    };
    const Case cases[] = {
        {"weight 255", [](TCanvas* c) { g_HLineBlend(c, 1, 4, 1, kInk, 255); }, kInk},
        {"weight above 255", [](TCanvas* c) { g_HLineBlend(c, 1, 4, 1, kInk, 300); }, kInk},
        {"weight 0", [](TCanvas* c) { g_HLineBlend(c, 1, 4, 1, kInk, 0); }, kSentinel},
        {"weight below 0", [](TCanvas* c) { g_HLineBlend(c, 1, 4, 1, kInk, -8); }, kSentinel},
        {"weight 127", [](TCanvas* c) { g_HLineBlend(c, 1, 4, 1, kInk, 127); }, kHalf},
        {"weight 64", [](TCanvas* c) { g_HLineBlend(c, 1, 4, 1, kInk, 64); }, kWeight64},
        {"weight 200", [](TCanvas* c) { g_HLineBlend(c, 1, 4, 1, kInk, 200); }, kWeight200},
        {"half span", [](TCanvas* c) { g_HLineHalf(c, 4, 1, 1, kInk); }, kHalf},
        {"half column", [](TCanvas* c) { g_VLineHalf(c, 2, 1, 1, kInk); }, kHalf},
        {"half rectangle", [](TCanvas* c) { g_FillRectHalf(c, 1, 1, 4, 1, kInk); }, kHalf},
    };
    GuardedCanvas canvas(8, 4);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.clear();
        c.draw(canvas.get());
        const bool column = std::string(c.name) == "half column";
        const PixelSet touched = column ? block(2, 1, 2, 1) : block(1, 1, 4, 1);
        for (const Pixel& p : touched)
            EXPECT_EQ(canvas.at(p.x, p.y), c.expected) << p.x;
        EXPECT_EQ(canvas.changed().size(), c.expected == kSentinel ? 0u : touched.size());
    }
}

TEST(CanvasLineTest, EachOctantStepsFromTheLeftEndPoint) {
    struct Case {
        int x, y; // the far end; the other is (10, 10)
        PixelSet expected;
    };
    const Case cases[] = {
        {15, 12, {{10, 10}, {11, 10}, {12, 11}, {13, 11}, {14, 12}, {15, 12}}},
        {12, 15, {{10, 10}, {10, 11}, {11, 12}, {11, 13}, {12, 14}, {12, 15}}},
        {8, 15, {{8, 15}, {8, 14}, {9, 13}, {9, 12}, {10, 11}, {10, 10}}},
        {5, 12, {{5, 12}, {6, 12}, {7, 11}, {8, 11}, {9, 10}, {10, 10}}},
        {5, 8, {{5, 8}, {6, 8}, {7, 9}, {8, 9}, {9, 10}, {10, 10}}},
        {8, 5, {{8, 5}, {8, 6}, {9, 7}, {9, 8}, {10, 9}, {10, 10}}},
        {12, 5, {{10, 10}, {10, 9}, {11, 8}, {11, 7}, {12, 6}, {12, 5}}},
        {15, 8, {{10, 10}, {11, 10}, {12, 9}, {13, 9}, {14, 8}, {15, 8}}},
        {14, 14, {{10, 10}, {11, 11}, {12, 12}, {13, 13}, {14, 14}}},
        {10, 10, {{10, 10}}},
    };
    GuardedCanvas canvas(kWidth, kHeight);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        for (bool swapped : {false, true}) {
            canvas.clear();
            if (swapped)
                g_Line(canvas.get(), c.x, c.y, 10, 10, kInk);
            else
                g_Line(canvas.get(), 10, 10, c.x, c.y, kInk);
            EXPECT_EQ(canvas.changed(), c.expected);
        }
    }
}

// Random lines wholly inside: max(|dx|, |dy|) + 1 pixels, 8-connected, the
// same both ways round, and cut by any clip to exactly their pixels inside it.
TEST(CanvasLineTest, LinesInsideAndAcrossTheClip) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> xs(0, kWidth - 1);
    std::uniform_int_distribution<int> ys(0, kHeight - 1);
    GuardedCanvas canvas(kWidth, kHeight);
    const ClipRect clips[] = {{6, 5, 20, 15}, {0, 0, 0, kHeight - 1}, {10, 11, 10, 11}, {3, 22, kWidth - 1, 23}};
    for (int n = 0; n < 300; ++n) {
        const int x0 = xs(random), y0 = ys(random), x1 = xs(random), y1 = ys(random);
        SCOPED_TRACE(std::to_string(x0) + "," + std::to_string(y0) + " to " + std::to_string(x1) + "," + std::to_string(y1));
        canvas.clear();
        g_ResetClip(canvas.get());
        g_Line(canvas.get(), x0, y0, x1, y1, kInk);
        const PixelSet whole = canvas.changed();
        ASSERT_EQ(whole.size(), static_cast<std::size_t>(std::max(std::abs(x1 - x0), std::abs(y1 - y0)) + 1));
        EXPECT_EQ(whole, referenceLine(x0, y0, x1, y1, {0, 0, kWidth - 1, kHeight - 1}));
        for (const Pixel& p : whole) {
            bool linked = whole.size() == 1;
            for (const Pixel& q : whole)
                linked = linked || (!(p == q) && std::abs(p.x - q.x) <= 1 && std::abs(p.y - q.y) <= 1);
            EXPECT_TRUE(linked);
        }
        canvas.clear();
        g_Line(canvas.get(), x1, y1, x0, y0, kInk);
        EXPECT_EQ(canvas.changed(), whole);
        for (const ClipRect& clip : clips) {
            canvas.clear();
            g_SetClip(canvas.get(), clip.left, clip.top, clip.right, clip.bottom);
            g_Line(canvas.get(), x0, y0, x1, y1, kInk);
            EXPECT_EQ(canvas.changed(), intersect(whole, clip));
        }
    }
}

TEST(CanvasLineTest, BothEndsBeyondOneEdgeDrawNothing) {
    const ClipRect clip{6, 5, 20, 15};
    const int lines[][4] = {
        {5, 0, 0, 23},   // left of the clip
        {21, 2, 31, 20}, // right
        {0, 4, 31, 0},   // above
        {2, 16, 30, 23}, // below
        {0, 12, 8, 0},   // passes the top-left corner outside
    };
    GuardedCanvas canvas(kWidth, kHeight);
    g_SetClip(canvas.get(), clip.left, clip.top, clip.right, clip.bottom);
    for (const auto& l : lines) {
        g_Line(canvas.get(), l[0], l[1], l[2], l[3], kInk);
        EXPECT_TRUE(canvas.changed().empty()) << l[0] << "," << l[1];
    }
}

TEST(CanvasLineTest, ClosedOutlineJoinsTheLastPointToTheFirst) {
    const std::vector<TPoint> points = {{3, 2}, {20, 6}, {9, 17}, {4, 12}};
    GuardedCanvas canvas(kWidth, kHeight);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TPoint& a = points[i];
        const TPoint& b = points[(i + 1) % points.size()];
        g_Line(canvas.get(), a.x, a.y, b.x, b.y, kInk);
    }
    const PixelSet lines = canvas.changed();
    canvas.clear();
    g_Polygon(canvas.get(), points.data(), static_cast<int>(points.size()), kInk);
    EXPECT_EQ(canvas.changed(), lines);
    canvas.clear();
    g_Polygon(canvas.get(), points.data(), 1, kInk); // one point: the line from it to itself
    EXPECT_EQ(canvas.changed(), (PixelSet{{3, 2}}));
}

} // namespace
} // namespace cartoframe
