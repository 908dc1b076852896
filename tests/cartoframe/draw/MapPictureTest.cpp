// Pictures of the test town read pixel by pixel: road classes, the classes
// the width table hides, areas and their switches at every scale step, the
// railway's dashes, road widths across steps, the road box table, maps west
// of 0 degrees and south of the equator, and a city with more roads than a
// fixed-size road pool could hold.
#include "ColorTable.h"
#include "DrawFixture.h"
#include "DrawTables.h"
#include "ShapePoints.h"
#include "TestTown.h"
#include "VisibleGrids.h"

#include <cmath>
#include <functional>

namespace cartoframe::test {
namespace {

class TownPicture : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        openMap(unnamedTownOsm());
    }
    // The pixel at a map point, with the view centred on it.
    TColor centred(TMapPoint point, int step) {
        draw(point, step);
        return pixel(screen(point));
    }
    // How many pixels of exactly the colour run through (x, y), across x
    // (horizontal) or y.
    int run(TPoint at, bool horizontal, TColor colour) {
        const TPoint d = horizontal ? TPoint{1, 0} : TPoint{0, 1};
        int before = 0, after = 0;
        while (pixel(at.x - (before + 1) * d.x, at.y - (before + 1) * d.y) == colour)
            ++before;
        while (pixel(at.x + (after + 1) * d.x, at.y + (after + 1) * d.y) == colour)
            ++after;
        return pixel(at) == colour ? before + after + 1 : 0;
    }
};

TEST_F(TownPicture, EveryStepShowsItsRoadClassesAndAreas) {
    struct Probe {
        const char* what;
        TMapPoint at;
        std::function<TColor(int step)> colour;
        int lastStep = DV_SCALE_STEPS - 1; // the place is a few pixels between streets beyond
    };
    const auto always = [](TColor c) { return [c](int) { return c; }; };
    const Probe probes[] = {
        {"two class 4 streets", townPoint(2, 2), always(g_GetColor(CT_HSIEN_RD))},
        {"the class 2 trunk over two streets", townPoint(5, 0), always(g_GetColor(CT_FAST_RD))},
        // The motorway runs from (-0.004, -0.003) through (0.009, 0.004) to
        // (0.022, 0.019) degrees off the south-west junction and crosses the
        // north-south streets of columns 1 and 5 here, away from grid edges.
        {"the motorway over a street", townOffset(0.0035, -0.003 + 0.0075 * 7 / 13), always(g_GetColor(CT_FREE_WAY))},
        {"the motorway over a street", townOffset(0.0175, 0.004 + 0.0085 * 15 / 13), always(g_GetColor(CT_FREE_WAY))},
        {"the class 0 alley", townPoint(3.225, 2.375),
         [](int step) { return dv_TableWidth(step, 0) > 0 ? g_GetColor(CT_ALLEY_RD) : g_MapBackColor(); }},
        {"a block", townPoint(0.5, 4.5), always(g_MapBackColor())},
        {"a block", townPoint(4.5, 4.5), always(g_MapBackColor())},
        {"the river", townOffset(0.00175, 0.0131), always(g_WaterColor())},
        {"the lake", townOffset(0.0026, 0.0043), always(g_WaterColor()), 7},
        {"the park", townOffset(0.009, 0.009),
         [](int step) { return step <= DV_LAND_USE_LAST_STEP ? g_ShapeColor() : g_MapBackColor(); }},
    };
    for (int step = 0; step < DV_SCALE_STEPS; ++step) {
        for (const Probe& probe : probes) {
            if (step > probe.lastStep)
                continue;
            EXPECT_TRUE(nearColour(centred(probe.at, step), probe.colour(step), 2)) << probe.what << " at step " << step;
        }
    }
}

TEST_F(TownPicture, TheRailwayIsDashedTwentyPixelsBlackThenTwentyWhiteFromEachSegmentStart) {
    draw(townPoint(2, 2), 3);
    // The railway's segment from its second to its third point.
    const TPoint from = screen(townOffset(0.001, 0.0063)), to = screen(townOffset(0.006, 0.0066));
    const int length = to.x - from.x;
    int samples = 0;
    for (int step = 10; step + 10 < length; step += 20) {
        // The middle of every dash, except where a north-south street crosses.
        const int x = from.x + step;
        if (std::abs(screen(townPoint(1, 2)).x - x) < 10)
            continue;
        const int y = from.y + static_cast<int>(std::lround(static_cast<double>(to.y - from.y) * step / length));
        EXPECT_EQ(pixel(x, y), (step / 20) % 2 == 0 ? 0x000000u : 0xFFFFFFu) << "dash step " << step;
        ++samples;
    }
    EXPECT_GE(samples, 6);
}

TEST_F(TownPicture, ARoadNeverGetsWiderWhenZoomingOutAndFollowsItsLanesUpClose) {
    // A north-south street between two junctions: a vertical line, whose
    // solid core is exactly its width.
    const TMapPoint avenue = townPoint(0, 4.5);
    const TColor fill = g_GetColor(CT_HSIEN_RD);
    int previous = 1 << 30;
    for (int step = 0; step < DV_SCALE_STEPS; ++step) {
        draw(avenue, step);
        const TPoint at = screen(avenue);
        const int width = run(at, true, fill);
        // The border shows beyond the fill on both sides (blended into the
        // fill's and the background's edges of a vertical line).
        for (const int side : {-1, 1}) {
            int x = at.x;
            while (pixel(x + side, at.y) == fill)
                x += side;
            EXPECT_NE(pixel(x + 2 * side, at.y), g_MapBackColor()) << "step " << step << " side " << side;
        }
        EXPECT_LE(width, previous) << "step " << step;
        EXPECT_GE(width, dv_TableWidth(step, 4)) << "step " << step;
        if (dv_ScaleValue(step) > DV_FACTOR_SCALE_MAX) {
            EXPECT_EQ(width, dv_TableWidth(step, 4)) << "step " << step;
        }
        previous = width;
    }
    // At the finest step the width follows the lanes, not the class: the
    // three-lane street is wider than a one-lane street of its class.
    draw(avenue, 0);
    const int threeLanes = run(screen(avenue), true, fill);
    const TMapPoint oneLane = townOffset(0.25 * TOWN_STEP, 4 * TOWN_STEP + 0.0001);
    draw(oneLane, 0);
    EXPECT_GT(threeLanes, run(screen(oneLane), false, fill) + 4);
}

TEST_F(TownPicture, RoadBoxesFromTheLoadTimeTableHoldEveryPointOfTheirRoad) {
    TMapPoint points[DV_ROAD_POINTS_MAX];
    int roads = 0;
    for (int grid = 0; grid < MAP_GRID_MAX; ++grid)
        for (int road = 0; road < mp_GetRoadCount(grid); ++road, ++roads) {
            const int count = mp_CopyRoadPoints(grid, road, points, DV_ROAD_POINTS_MAX);
            ASSERT_EQ(count, mp_GetRoadPointCount(grid, road));
            TMapRect box, expected{points[0].x, points[0].y, points[0].x, points[0].y};
            for (int k = 0; k < count; ++k) {
                TMapPoint single;
                ASSERT_TRUE(mp_GetRoadPoint(grid, road, k, &single));
                EXPECT_TRUE(single.x == points[k].x && single.y == points[k].y);
                expected = {std::min(expected.left, single.x), std::max(expected.top, single.y),
                            std::max(expected.right, single.x), std::min(expected.bottom, single.y)};
            }
            ASSERT_TRUE(mp_GetRoadBox(grid, road, &box));
            EXPECT_TRUE(box.left == expected.left && box.top == expected.top && box.right == expected.right &&
                        box.bottom == expected.bottom)
                << "grid " << grid << " road " << road;
            EXPECT_EQ(mp_CopyRoadPoints(grid, road, points, count - 1), -1);
        }
    EXPECT_EQ(roads, 85);
}

// A lattice city as mapforge classes it: line i is a primary road (class 3)
// when i % 5 == 3, else class 4.
int latticeClass(int line) { return line % 5 == 3 ? 3 : 4; }

TEST_F(DrawFixture, RoadsWestOfZeroAndSouthOfTheEquatorAreDrawn) {
    constexpr double spacing = 0.002, corner = -0.0051;
    openMap(withoutNames(latticeCityOsm(6, spacing, corner, corner)));
    draw(mapUnits(corner + 2.5 * spacing, corner + 2.5 * spacing), 3);
    ASSERT_EQ(mp_GetVisibleGridCount(), 4);
    for (int row = 0; row < 6; ++row)
        for (int column = 0; column < 6; ++column) {
            const TPoint at = screen(mapUnits(corner + column * spacing, corner + row * spacing));
            const int top = std::min(latticeClass(row), latticeClass(column));
            EXPECT_TRUE(nearColour(pixel(at), g_GetColor(top))) << "junction " << column << ", " << row;
        }
}

TEST_F(DrawFixture, EveryRoadOfACityBeyondTheOldPoolSizeIsDrawn) {
    // 2 * 70 * 69 = 9660 road pieces, all in view.
    constexpr int streets = 70;
    constexpr double spacing = 0.001, west = 121.45, south = 25.0;
    openMap(withoutNames(latticeCityOsm(streets, spacing, west, south)), 1000, 1000);
    draw(mapUnits(west + (streets - 1) * spacing / 2, south + (streets - 1) * spacing / 2), 7);
    // Whether the road's colour shows at a point or next to it across the road.
    const auto drawnAt = [&](TMapPoint point, TPoint across, TColor colour) {
        const TPoint at = screen(point);
        for (int k = -1; k <= 1; ++k)
            if (nearColour(pixel(at.x + k * across.x, at.y + k * across.y), colour))
                return true;
        return false;
    };
    int missing = 0;
    for (int line = 0; line < streets; ++line)
        for (int i = 0; i + 1 < streets; ++i) {
            // A point of each piece on its way to the bend, clear of the streets it meets.
            const double along = (i + 0.4) * spacing, across = line * spacing + spacing * 0.08;
            const TColor colour = g_GetColor(latticeClass(line));
            missing += !drawnAt(mapUnits(west + along, south + across), {0, 1}, colour);
            missing += !drawnAt(mapUnits(west + across, south + along), {1, 0}, colour);
        }
    EXPECT_EQ(missing, 0);
}

} // namespace
} // namespace cartoframe::test
