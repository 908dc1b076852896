// Thinning polylines to what the screen shows, and leaving out the points
// of a polyline that cannot show.
#include "ScreenPolyline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace cartoframe {
namespace {

double distanceToSegment(TPoint p, TPoint a, TPoint b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length = dx * dx + dy * dy;
    const double t = length == 0 ? 0 : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

std::vector<TPoint> thinned(std::vector<TPoint> points, double tolerance) {
    points.resize(static_cast<std::size_t>(dv_ThinPolyline(points.data(), static_cast<int>(points.size()), tolerance)));
    return points;
}

bool same(const std::vector<TPoint>& a, const std::vector<TPoint>& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](TPoint p, TPoint q) {
               return p.x == q.x && p.y == q.y;
           });
}

TEST(ThinPolyline, KeepsCornersAndDropsWhatLiesWithinAPixel) {
    struct Case {
        const char* what;
        std::vector<TPoint> in;
        std::vector<TPoint> out;
    };
    const Case cases[] = {
        {"a street whose bends are a pixel off", {{0, 0}, {2, -1}, {4, 0}, {7, -1}, {9, 0}, {11, -1}, {14, 0}},
         {{0, 0}, {14, 0}}},
        {"a right angle", {{0, 0}, {5, 0}, {10, 0}, {10, 5}, {10, 10}}, {{0, 0}, {10, 0}, {10, 10}}},
        {"out and back", {{0, 0}, {10, 0}, {20, 0}, {10, 0}, {0, 0}}, {{0, 0}, {20, 0}, {0, 0}}},
        {"a bend of two pixels", {{0, 0}, {10, 2}, {20, 0}}, {{0, 0}, {10, 2}, {20, 0}}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(same(thinned(c.in, 1.0), c.out)) << c.what;
    EXPECT_EQ(thinned({{0, 0}, {2, -1}, {4, 0}}, 0).size(), 3u) << "no tolerance: nothing dropped";
}

// Every point of a random drive lies within the tolerance of the thinned
// polyline (a little more at the ends of runs), which keeps its first and
// last points and a subsequence of the others.
TEST(ThinPolyline, EveryPointStaysNearTheThinnedLine) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> stepOf(-3, 3);
    for (const double tolerance : {0.5, 1.0, 3.0}) {
        for (int trial = 0; trial < 50; ++trial) {
            std::vector<TPoint> drive{{0, 0}};
            for (int i = 0; i < 300; ++i)
                drive.push_back({drive.back().x + stepOf(random) + 1, drive.back().y + stepOf(random)});
            const std::vector<TPoint> kept = thinned(drive, tolerance);
            ASSERT_GE(kept.size(), 2u);
            EXPECT_TRUE(same({kept.front()}, {drive.front()}) && same({kept.back()}, {drive.back()}));
            std::size_t next = 0;
            for (const TPoint& p : kept) {
                while (next < drive.size() && !same({drive[next]}, {p}))
                    ++next;
                ASSERT_LT(next, drive.size()) << "kept points are points of the drive, in order";
            }
            for (const TPoint& p : drive) {
                double nearest = 1e9;
                for (std::size_t k = 0; k + 1 < kept.size(); ++k)
                    nearest = std::min(nearest, distanceToSegment(p, kept[k], kept[k + 1]));
                EXPECT_LE(nearest, tolerance * 1.5) << "tolerance " << tolerance << " trial " << trial;
            }
        }
    }
}

TEST(AppendScreenPoint, LeavesOutOnlyWhatCannotShow) {
    const TScreenBounds window = TScreenBounds::ofWindow(100, 100, 0);
    const auto append = [&](std::vector<TPoint> in) {
        std::vector<TPoint> out;
        for (const TPoint& p : in)
            dv_AppendScreenPoint(out, 0, p, window);
        return out;
    };
    EXPECT_TRUE(same(append({{5, 5}, {5, 5}, {6, 5}}), {{5, 5}, {6, 5}})) << "one pixel";
    EXPECT_TRUE(same(append({{-100, 5}, {-90, 5}, {-80, 5}, {-70, 5}, {10, 5}}), {{-100, 5}, {-70, 5}, {10, 5}}))
        << "a run left of the window";
    EXPECT_TRUE(same(append({{-10, 50}, {-10, -10}, {50, -10}}), {{-10, 50}, {-10, -10}, {50, -10}}))
        << "round a corner of the window: leaving out the corner would cut across it";
}

} // namespace
} // namespace cartoframe
