// The filled polygon: exact rectangles and staircases, concave outlines within
// a pixel, degenerate point lists, large point counts with allocated edges,
// the odd-rows flag, and sides whose 16.16 x or slope need more than 32 bits.
#include "CanvasTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

namespace cartoframe {
namespace {

using namespace test;

constexpr int kWidth = 32;
constexpr int kHeight = 24;

PixelSet fill(GuardedCanvas& canvas, const std::vector<TPoint>& points, bool oddRows = false) {
    canvas.clear();
    g_FillPolygon(canvas.get(), points.data(), static_cast<int>(points.size()), kInk, oddRows);
    EXPECT_TRUE(canvas.guardsIntact());
    return canvas.changed();
}

// Every rotation of the list, and the list reversed, fill the same pixels.
void expectOrderFree(GuardedCanvas& canvas, std::vector<TPoint> points, const PixelSet& expected) {
    for (int turn = 0; turn < 2; ++turn) {
        for (std::size_t i = 0; i < points.size(); ++i) {
            EXPECT_EQ(fill(canvas, points), expected) << "rotation " << i << (turn == 1 ? " reversed" : "");
            std::rotate(points.begin(), points.begin() + 1, points.end());
        }
        std::reverse(points.begin(), points.end());
    }
}

TEST(CanvasPolygonTest, AxisAlignedShapesFillWithBothEndsIncluded) {
    struct Case {
        const char* name;
        std::vector<TPoint> points;
        PixelSet expected;
    };
    PixelSet stairsUp = block(2, 2, 12, 7);
    const PixelSet stairsUpLower = block(2, 7, 22, 12);
    stairsUp.insert(stairsUpLower.begin(), stairsUpLower.end());
    PixelSet stairsDown = block(2, 2, 22, 7);
    const PixelSet stairsDownLower = block(2, 7, 12, 12);
    stairsDown.insert(stairsDownLower.begin(), stairsDownLower.end());
    const Case cases[] = {
        {"rectangle", {{3, 2}, {12, 2}, {12, 9}, {3, 9}}, block(3, 2, 12, 9)},
        {"rectangle with repeated and collinear points",
         {{3, 2}, {3, 2}, {8, 2}, {12, 2}, {12, 9}, {12, 9}, {3, 9}, {3, 5}},
         block(3, 2, 12, 9)},
        {"step up on the right", {{2, 2}, {12, 2}, {12, 7}, {22, 7}, {22, 12}, {2, 12}}, stairsUp},
        {"step down on the right", {{2, 2}, {22, 2}, {22, 7}, {12, 7}, {12, 12}, {2, 12}}, stairsDown},
        {"notch in the top edge",
         {{2, 2}, {8, 8}, {14, 2}, {14, 12}, {2, 12}},
         [] {
             PixelSet s = block(2, 8, 14, 12);
             for (int y = 2; y < 8; ++y) {
                 const PixelSet left = block(2, y, 2 + (y - 2), y);
                 const PixelSet right = block(14 - (y - 2), y, 14, y);
                 s.insert(left.begin(), left.end());
                 s.insert(right.begin(), right.end());
             }
             return s;
         }()},
        {"all points on one row", {{9, 4}, {3, 4}, {14, 4}}, block(3, 4, 14, 4)},
        {"all points on one column", {{6, 3}, {6, 15}, {6, 9}}, block(6, 3, 6, 15)},
        {"one point", {{7, 7}}, block(7, 7, 7, 7)},
        {"two points on a column", {{5, 20}, {5, 11}}, block(5, 11, 5, 20)},
    };
    GuardedCanvas canvas(kWidth, kHeight);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectOrderFree(canvas, c.points, c.expected);
    }
}

// Rows are filled from round(x_left) to round(x_right), halves rounding up.
TEST(CanvasPolygonTest, TriangleRowsRunFromRoundedLeftToRoundedRight) {
    const std::vector<TPoint> triangle = {{15, 2}, {25, 22}, {5, 22}};
    PixelSet expected;
    for (int y = 2; y <= 22; ++y) {
        const double half = (y - 2) / 2.0; // each side moves half a pixel per row
        const PixelSet row = block(static_cast<int>(std::floor(15 - half + 0.5)), y,
                                   static_cast<int>(std::floor(15 + half + 0.5)), y);
        expected.insert(row.begin(), row.end());
    }
    GuardedCanvas canvas(kWidth, kHeight);
    expectOrderFree(canvas, triangle, expected);
}

TEST(CanvasPolygonTest, ConcavePolygonFillsItsInsideWithinOnePixel) {
    const std::vector<TPoint> shapes[] = {
        {{2, 3}, {29, 1}, {17, 11}, {30, 22}, {4, 20}, {11, 12}},                    // two notches
        {{16, 1}, {19, 9}, {30, 9}, {21, 14}, {25, 23}, {16, 17}, {7, 23}, {11, 14}, {1, 9}, {13, 9}}, // star
        {{1, 1}, {30, 1}, {30, 22}, {20, 22}, {20, 6}, {11, 6}, {11, 22}, {1, 22}},  // arch
    };
    GuardedCanvas canvas(kWidth, kHeight);
    for (const auto& points : shapes) {
        const PixelSet filled = fill(canvas, points);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const bool inside = insidePolygon(points, x, y);
                const double distance = distanceToOutline(points, x, y);
                const bool isFilled = filled.count({x, y}) != 0;
                EXPECT_TRUE(isFilled || !inside || distance <= 1.0) << "missed " << x << "," << y;
                EXPECT_TRUE(!isFilled || inside || distance <= 1.0) << "spilled " << x << "," << y;
            }
        expectOrderFree(canvas, points, filled);
    }
}

TEST(CanvasPolygonTest, OddRowsFlagFillsOnlyOddRows) {
    GuardedCanvas canvas(kWidth, kHeight);
    PixelSet expected;
    for (int y = 3; y <= 9; y += 2) {
        const PixelSet row = block(3, y, 12, y);
        expected.insert(row.begin(), row.end());
    }
    EXPECT_EQ(fill(canvas, {{3, 2}, {12, 2}, {12, 9}, {3, 9}}, true), expected);
    EXPECT_TRUE(fill(canvas, {{3, 4}, {12, 4}, {8, 4}}, true).empty());       // one even row
    EXPECT_EQ(fill(canvas, {{3, 5}, {12, 5}, {8, 5}}, true), block(3, 5, 12, 5)); // one odd row
}

// For a convex polygon: each row's filled pixels form one run whose ends lie
// within a pixel of the polygon's extent on that row (clamped to the canvas).
void expectConvexRows(GuardedCanvas& canvas, const std::vector<TPoint>& points) {
    const PixelSet filled = fill(canvas, points);
    for (int y = 0; y < canvas.height(); ++y) {
        long double lo = 1e30L, hi = -1e30L;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const TPoint& a = points[i];
            const TPoint& b = points[(i + 1) % points.size()];
            if (a.y == b.y) {
                if (a.y == y) {
                    lo = std::min<long double>({lo, static_cast<long double>(a.x), static_cast<long double>(b.x)});
                    hi = std::max<long double>({hi, static_cast<long double>(a.x), static_cast<long double>(b.x)});
                }
                continue;
            }
            if (y < std::min(a.y, b.y) || y > std::max(a.y, b.y))
                continue;
            const long double x =
                a.x + (static_cast<long double>(y) - a.y) * (static_cast<long double>(b.x) - a.x) / (static_cast<long double>(b.y) - a.y);
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
        std::vector<int> row;
        for (const Pixel& p : filled)
            if (p.y == y)
                row.push_back(p.x);
        const long double last = canvas.width() - 1;
        if (hi < -1 || lo > last + 1 || lo > hi) {
            EXPECT_TRUE(row.empty()) << "row " << y;
            continue;
        }
        if (hi - lo < 1 && row.empty())
            continue; // a sliver at a vertex may round to nothing
        ASSERT_FALSE(row.empty()) << "row " << y;
        EXPECT_EQ(row.back() - row.front() + 1, static_cast<int>(row.size())) << "row " << y << " has gaps";
        EXPECT_LE(std::fabs(static_cast<double>(row.front() - std::clamp<long double>(lo, 0, last))), 1.0) << "row " << y;
        EXPECT_LE(std::fabs(static_cast<double>(row.back() - std::clamp<long double>(hi, 0, last))), 1.0) << "row " << y;
    }
}

// n points alternately on two circles: nearly every side slopes.
std::vector<TPoint> star(int n, double outer, double inner) {
    std::vector<TPoint> points = regularPolygon(n, 150, 100, outer);
    const std::vector<TPoint> inside = regularPolygon(n, 150, 100, inner);
    for (int i = 1; i < n; i += 2)
        points[static_cast<std::size_t>(i)] = inside[static_cast<std::size_t>(i)];
    return points;
}

int slopedSides(const std::vector<TPoint>& points) {
    int count = 0;
    for (std::size_t i = 0; i < points.size(); ++i)
        count += points[i].y != points[(i + 1) % points.size()].y ? 1 : 0;
    return count;
}

TEST(CanvasPolygonTest, LargePointCountsUpToTheLimit) {
    GuardedCanvas canvas(300, 200);
    // 600 points and the largest accepted count, both with more sloped sides
    // than the static edge table holds: the inner disc is filled, nothing
    // beyond the outer circle, whatever point the list starts with.
    for (int n : {600, G_POLYGON_MAX_POINTS}) {
        SCOPED_TRACE(n);
        std::vector<TPoint> points = star(n, 95, 60);
        ASSERT_GT(slopedSides(points), G_POLYGON_STATIC_EDGES);
        const PixelSet filled = fill(canvas, points);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x) {
                const double distance = std::hypot(x - 150.0, y - 100.0);
                const bool isFilled = filled.count({x, y}) != 0;
                EXPECT_TRUE(isFilled || distance > 59) << x << "," << y;
                EXPECT_TRUE(!isFilled || distance <= 96) << x << "," << y;
            }
        std::rotate(points.begin(), points.begin() + n / 3, points.end());
        EXPECT_EQ(fill(canvas, points), filled);
    }
    // 1999 points of a circle mostly off the canvas.
    const std::vector<TPoint> largest = regularPolygon(G_POLYGON_MAX_POINTS, 150, 330, 400);
    expectConvexRows(canvas, largest);
    EXPECT_FALSE(canvas.changed().empty());
    // One point more is refused.
    std::vector<TPoint> tooMany = largest;
    tooMany.push_back(tooMany.front());
    EXPECT_TRUE(fill(canvas, tooMany).empty());
    EXPECT_TRUE(fill(canvas, std::vector<TPoint>(5000, TPoint{4, 4})).empty());
}

TEST(CanvasPolygonTest, FarVerticesFillTheirVisiblePart) {
    constexpr int kFar = 1 << 30;
    GuardedCanvas canvas(kWidth, kHeight);
    // Below the diagonal y = x + 3: every row from column 0 to y - 3, exactly.
    PixelSet belowDiagonal;
    for (int y = 3; y < kHeight; ++y) {
        const PixelSet row = block(0, y, y - 3, y);
        belowDiagonal.insert(row.begin(), row.end());
    }
    EXPECT_EQ(fill(canvas, {{-kFar, -kFar + 3}, {kFar, kFar + 3}, {-kFar, kFar}}), belowDiagonal);
    // Covering the canvas from the ends of the int range.
    EXPECT_EQ(fill(canvas, {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}}).size(),
              static_cast<std::size_t>(kWidth * kHeight));
    // Sides whose 16.16 slope exceeds 32 bits, crossing the canvas.
    expectConvexRows(canvas, {{INT_MIN, 2}, {INT_MAX, 9}, {INT_MAX, 20}, {INT_MIN, 14}});
    expectConvexRows(canvas, {{-kFar, INT_MIN}, {17, 11}, {kFar, INT_MAX}});
    expectConvexRows(canvas, {{5, -kFar}, {INT_MAX, INT_MAX}, {-kFar, 19}});
    // Wholly outside: nothing.
    EXPECT_TRUE(fill(canvas, {{-kFar, -kFar}, {-1, -kFar}, {-1, 30}}).empty());
}

TEST(CanvasPolygonTest, ClipCutsTheFill) {
    GuardedCanvas canvas(kWidth, kHeight);
    g_SetClip(canvas.get(), 6, 5, 20, 15);
    EXPECT_EQ(fill(canvas, {{3, 2}, {12, 2}, {12, 9}, {3, 9}}), block(6, 5, 12, 9));
    EXPECT_EQ(fill(canvas, {{-100, -50}, {200, -50}, {200, 300}, {-100, 300}}), block(6, 5, 20, 15));
}

} // namespace
} // namespace cartoframe
