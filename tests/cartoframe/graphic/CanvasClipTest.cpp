// Clipping of every primitive: coordinates anywhere in the int range and a
// table of clip rectangles never change a pixel outside the clip nor a byte
// outside the canvas; an empty clip or a canvas without pixels draws nothing.
// Also the exact arithmetic that far coordinates rely on.
#include "CanvasTestSupport.h"
#include "LineClip.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>
#include <string>

namespace cartoframe {
namespace {

using namespace test;
using canvas_detail::mulAddDivide;
using canvas_detail::mulDivFloor;

__extension__ typedef __int128 Wide;
__extension__ typedef unsigned __int128 UWide;

constexpr int kWidth = 30;
constexpr int kHeight = 20;
constexpr int kFar = 1 << 20;

struct Primitive {
    const char* name;
    std::function<void(TCanvas*, int, int, int, int)> draw;
};

const std::vector<Primitive>& primitives() {
    static const std::vector<Primitive> all = {
        {"g_PutPixel", [](TCanvas* c, int a, int b, int, int) { g_PutPixel(c, a, b, kInk); }},
        {"g_BlendPixel", [](TCanvas* c, int a, int b, int, int) { g_BlendPixel(c, a, b, kInk, 64); }},
        {"g_HLine", [](TCanvas* c, int a, int b, int x, int) { g_HLine(c, a, x, b, kInk); }},
        {"g_HLineHalf", [](TCanvas* c, int a, int b, int x, int) { g_HLineHalf(c, a, x, b, kInk); }},
        {"g_HLineBlend", [](TCanvas* c, int a, int b, int x, int) { g_HLineBlend(c, a, x, b, kInk, 64); }},
        {"g_VLine", [](TCanvas* c, int a, int b, int, int y) { g_VLine(c, a, b, y, kInk); }},
        {"g_VLineHalf", [](TCanvas* c, int a, int b, int, int y) { g_VLineHalf(c, a, b, y, kInk); }},
        {"g_Rect", [](TCanvas* c, int a, int b, int x, int y) { g_Rect(c, a, b, x, y, kInk); }},
        {"g_FillRect", [](TCanvas* c, int a, int b, int x, int y) { g_FillRect(c, a, b, x, y, kInk); }},
        {"g_FillRectHalf", [](TCanvas* c, int a, int b, int x, int y) { g_FillRectHalf(c, a, b, x, y, kInk); }},
        {"g_Line", [](TCanvas* c, int a, int b, int x, int y) { g_Line(c, a, b, x, y, kInk); }},
        {"g_Polygon",
         [](TCanvas* c, int a, int b, int x, int y) {
             const TPoint points[] = {{a, b}, {x, y}, {a, y}};
             g_Polygon(c, points, 3, kInk);
         }},
        {"g_FillPolygon",
         [](TCanvas* c, int a, int b, int x, int y) {
             const TPoint points[] = {{a, b}, {x, y}, {a, y}, {x, b}};
             g_FillPolygon(c, points, 3, kInk);
             g_FillPolygon(c, points, 4, kInk, true);
         }},
        {"g_FillCircle", [](TCanvas* c, int a, int b, int r, int) { g_FillCircle(c, a, b, r, kInk); }},
        {"g_FillCircleBlend", [](TCanvas* c, int a, int b, int, int r) { g_FillCircleBlend(c, a, b, r, kInk, 64); }},
        {"g_AALine strong", [](TCanvas* c, int a, int b, int x, int y) { g_AALine(c, a, b, x, y, kInk, G_AA_STRONG); }},
        {"g_AALine soft", [](TCanvas* c, int a, int b, int x, int y) { g_AALine(c, a, b, x, y, kInk, G_AA_SOFT); }},
        {"g_ThickLine",
         [](TCanvas* c, int a, int b, int x, int y) {
             g_ThickLine(c, a, b, x, y, kInk, 4);
             g_ThickLine(c, a, b, x, y, kInk, 9);
             g_ThickLine(c, a, b, x, y, kInk, INT_MAX);
         }},
        {"g_DashLine",
         [](TCanvas* c, int a, int b, int x, int y) {
             const TPoint points[] = {{a, b}, {x, y}, {x, b}};
             g_DashLine(c, points, 3, 2);
             g_DashLine(c, points, 2, 7);
         }},
    };
    return all;
}

const int kCoordinates[] = {INT_MIN, -kFar - 3, -2, 13, kFar + 1, INT_MAX};

TEST(CanvasClipTest, NoPrimitiveWritesOutsideTheClipWhateverItsCoordinates) {
    const ClipRect clips[] = {
        {0, 0, kWidth - 1, kHeight - 1}, // whole canvas
        {5, 4, 20, 12},                   // inner
        {0, 0, 0, 0},                     // first pixel
        {kWidth - 1, kHeight - 1, kWidth - 1, kHeight - 1},
        {0, 7, kWidth - 1, 7},  // one row
        {13, 0, 13, kHeight - 1}, // one column
        {25, 15, kWidth - 1, kHeight - 1},
    };
    GuardedCanvas canvas(kWidth, kHeight);
    for (const ClipRect& clip : clips) {
        for (const Primitive& primitive : primitives()) {
            SCOPED_TRACE(std::string(primitive.name) + " in clip " + std::to_string(clip.left) + "," +
                         std::to_string(clip.top) + " - " + std::to_string(clip.right) + "," + std::to_string(clip.bottom));
            canvas.clear();
            g_SetClip(canvas.get(), clip.left, clip.top, clip.right, clip.bottom);
            for (int a : kCoordinates)
                for (int b : kCoordinates)
                    for (int x : kCoordinates)
                        for (int y : kCoordinates)
                            primitive.draw(canvas.get(), a, b, x, y);
            int outside = 0;
            for (const Pixel& p : canvas.changed())
                outside += clip.contains(p.x, p.y) ? 0 : 1;
            EXPECT_EQ(outside, 0);
            // With the whole canvas open the sweep draws something too.
            const bool whole = clip.right - clip.left == kWidth - 1 && clip.bottom - clip.top == kHeight - 1;
            EXPECT_TRUE(!whole || !canvas.changed().empty());
            EXPECT_TRUE(canvas.guardsIntact());
            const ClipRect after = canvas.clip();
            EXPECT_TRUE(after.left == clip.left && after.top == clip.top && after.right == clip.right &&
                        after.bottom == clip.bottom);
        }
    }
}

TEST(CanvasClipTest, EmptyClipAndCanvasWithoutPixelsDrawNothing) {
    GuardedCanvas canvas(kWidth, kHeight);
    g_SetClip(canvas.get(), 10, 3, 9, 12); // left > right: clips everything away
    TCanvas none;                          // never created
    TCanvas destroyed;
    ASSERT_EQ(g_CreateCanvas(&destroyed, 8, 8), 0);
    g_DestroyCanvas(&destroyed);
    const int inside[] = {0, 5, 11, 19};
    for (const Primitive& primitive : primitives()) {
        SCOPED_TRACE(primitive.name);
        for (int a : inside)
            for (int b : inside) {
                primitive.draw(canvas.get(), a, b, 19 - a, 17 - b);
                primitive.draw(&none, a, b, 19 - a, 17 - b);
                primitive.draw(&destroyed, a, b, 19 - a, 17 - b);
                primitive.draw(nullptr, a, b, 19 - a, 17 - b);
            }
        EXPECT_TRUE(canvas.changed().empty());
        EXPECT_TRUE(canvas.guardsIntact());
    }
}

// Lines through the canvas whose end points lie 2^20 to 2^31 away: exactly
// the pixels of the whole line that fall inside the clip.
TEST(CanvasClipTest, FarLinesDrawExactlyTheirPixelsInsideTheClip) {
    struct Case {
        long long x0, y0, x1, y1;
    };
    std::vector<Case> cases = {
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX},    {INT_MIN, 0, INT_MAX, 19},     {INT_MAX, 3, INT_MIN, 11},
        {7, INT_MIN, 22, INT_MAX},               {-kFar, 2, kFar, 17},          {12, -kFar, 3, kFar},
        {INT_MIN + 5, INT_MAX - 9, INT_MAX, INT_MIN}, {INT_MAX, INT_MAX, INT_MIN, INT_MIN},
    };
    // Directions through (15, 10), reaching 2^20 and 2^31 away.
    const int directions[][2] = {{1000, 1}, {1000, 333}, {1000, 1000}, {333, 1000}, {1, 1000}, {1000, -999}, {-3, 1000}};
    for (const auto& d : directions)
        for (long long k : {1100LL, 2000000LL})
            cases.push_back({15 - d[0] * k, 10 - d[1] * k, 15 + d[0] * (k + 17), 10 + d[1] * (k + 17)});

    const ClipRect clips[] = {{0, 0, kWidth - 1, kHeight - 1}, {4, 3, 21, 14}};
    GuardedCanvas canvas(kWidth, kHeight);
    for (const ClipRect& clip : clips)
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(c.x0) + "," + std::to_string(c.y0) + " to " + std::to_string(c.x1) + "," +
                         std::to_string(c.y1) + " clip left " + std::to_string(clip.left));
            canvas.clear();
            g_SetClip(canvas.get(), clip.left, clip.top, clip.right, clip.bottom);
            g_Line(canvas.get(), static_cast<int>(c.x0), static_cast<int>(c.y0), static_cast<int>(c.x1),
                   static_cast<int>(c.y1), kInk);
            EXPECT_EQ(canvas.changed(), referenceLine(c.x0, c.y0, c.x1, c.y1, clip));
        }
}

TEST(CanvasClipTest, MulAddDivideIsExactWhereProductsNeedMoreThan64Bits) {
    std::mt19937_64 random(20240611);
    const std::uint64_t bound = std::uint64_t{1} << 45;
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t a = random() % bound;
        const std::uint64_t d = a + 1 + random() % bound; // quotient below b + c
        const std::uint64_t b = random() % (i % 2 == 0 ? bound : (std::uint64_t{1} << 62));
        const std::uint64_t c = random() % bound;
        const UWide whole = static_cast<UWide>(a) * b + c;
        const auto q = mulAddDivide(a, b, c, d);
        ASSERT_EQ(static_cast<std::uint64_t>(q.quot), static_cast<std::uint64_t>(whole / d))
            << a << " " << b << " " << c << " " << d;
        ASSERT_EQ(static_cast<std::uint64_t>(q.rem), static_cast<std::uint64_t>(whole % d));
    }
    // floor for negative products, exact divisions included.
    const long long signedCases[][3] = {{3, -7, 2}, {4, -6, 3}, {0, -5, 9}, {1LL << 33, -(1LL << 48), (1LL << 33) + 1},
                                        {(1LL << 33) - 1, (1LL << 48) + 5, 1LL << 33}};
    for (const auto& s : signedCases) {
        const Wide product = static_cast<Wide>(s[0]) * s[1];
        Wide floorQuot = product / s[2];
        if (product % s[2] != 0 && product < 0)
            --floorQuot;
        EXPECT_EQ(mulDivFloor(s[0], s[1], s[2]), static_cast<long long>(floorQuot)) << s[0] << " " << s[1];
    }
}

} // namespace
} // namespace cartoframe
