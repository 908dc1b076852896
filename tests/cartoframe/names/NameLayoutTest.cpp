// Names laid along roads on the label grid (no drawing): the cells their
// characters take, the second attempt, giving up cleanly, long names, and
// the segments a name collects.
#include "RoadNameLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cartoframe::drawview {
namespace {

// Big5 "中山路一" (four characters) and its first three.
const std::string kFour = "\xA4\xA4\xA4\x73\xB8\xF4\xA4\x40";
const std::string kThree = kFour.substr(0, 6);

std::string repeated(int characters) {
    std::string name;
    for (int i = 0; i < characters; ++i)
        name += "\xA4\x40";
    return name;
}

using TCells = std::vector<std::pair<int, int>>;

class NameLayoutTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(lg_Create(&grid_, 800, 600), 0); }
    bool lay(const std::string& name, const std::vector<TPoint>& points) {
        return layoutAlongRoad(&grid_, name.c_str(), points.data(), static_cast<int>(points.size()), &laid_);
    }
    TCells cells() const {
        TCells out;
        for (const TNameCharacter& c : laid_)
            out.emplace_back(c.column, c.row);
        return out;
    }
    // Every character's square taken, no two overlapping, nothing else taken.
    void expectSquares(const TLabelGrid& grid) const {
        for (std::size_t i = 0; i < laid_.size(); ++i) {
            for (int k = 0; k < 4; ++k)
                EXPECT_EQ(lg_Cell(grid, laid_[i].column + k % 2, laid_[i].row + k / 2), DV_CELL_CHARACTER);
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_TRUE(std::abs(laid_[i].column - laid_[j].column) >= 2 ||
                            std::abs(laid_[i].row - laid_[j].row) >= 2)
                    << j << " and " << i;
        }
        EXPECT_EQ(std::count(grid.cells.begin(), grid.cells.end(), DV_CELL_CHARACTER),
                  static_cast<long>(laid_.size()) * 4);
    }
    void block(int column, int row) {
        int x0 = column * DV_LABEL_CELL, y0 = row * DV_LABEL_CELL, x1 = x0 + 7, y1 = y0 + 7;
        ASSERT_TRUE(lg_PlaceBox(&grid_, &x0, &y0, &x1, &y1, 0));
    }
    TLabelGrid grid_;
    std::vector<TNameCharacter> laid_;
};

// Characters every 15 pixels centred on the extent, each square centred on
// the road and rounded to the nearest cell.
TEST_F(NameLayoutTest, CharactersTakeTheExpectedCells) {
    struct Case {
        const char* what;
        std::string name;
        std::vector<TPoint> road;
        TCells expected;
    };
    const Case cases[] = {
        {"horizontal", kFour, {{100, 200}, {300, 200}}, {{21, 24}, {23, 24}, {25, 24}, {27, 24}}},
        {"vertical", kThree, {{400, 50}, {400, 450}}, {{49, 28}, {49, 30}, {49, 32}}},
        {"slanted, along x", kFour, {{100, 100}, {400, 250}}, {{27, 19}, {29, 20}, {31, 21}, {33, 22}}},
        {"slanted, along y", kThree, {{100, 100}, {250, 200}}, {{18, 16}, {21, 18}, {24, 20}}},
        {"a slight slope stays in line", kFour, {{100, 200}, {300, 207}}, {{21, 24}, {23, 24}, {25, 24}, {27, 24}}},
        {"a small gap is bridged", kFour, {{100, 200}, {203, 200}, {210, 200}, {300, 200}},
         {{21, 24}, {23, 24}, {25, 24}, {27, 24}}},
        {"digits among the characters", "\xA4\xA4" "12\xAC\x71", {{100, 200}, {300, 200}},
         {{21, 24}, {23, 24}, {25, 24}, {27, 24}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        lg_Clear(&grid_);
        ASSERT_TRUE(lay(c.name, c.road));
        EXPECT_EQ(cells(), c.expected);
        expectSquares(grid_);
    }
}

// Squares are a pixel wider than the step, so a long name must not collide
// with itself in any direction.
TEST_F(NameLayoutTest, LongNamesNeverCollideWithThemselves) {
    for (const auto& road : std::vector<std::vector<TPoint>>{
             {{0, 100}, {799, 100}}, {{400, 0}, {400, 599}}, {{0, 0}, {799, 300}}, {{10, 590}, {790, 10}}}) {
        lg_Clear(&grid_);
        ASSERT_TRUE(lay(repeated(30), road)) << road[1].x << "," << road[1].y;
        expectSquares(grid_);
    }
    // Hundreds of characters along a very wide window; more than fit are refused.
    TLabelGrid wide;
    ASSERT_EQ(lg_Create(&wide, 5000, 100), 0);
    const std::vector<TPoint> road = {{0, 50}, {4999, 50}};
    ASSERT_TRUE(layoutAlongRoad(&wide, repeated(300).c_str(), road.data(), 2, &laid_));
    ASSERT_EQ(laid_.size(), 300u);
    expectSquares(wide);
    lg_Clear(&wide);
    EXPECT_FALSE(layoutAlongRoad(&wide, repeated(400).c_str(), road.data(), 2, &laid_));
    EXPECT_EQ(std::count(wide.cells.begin(), wide.cells.end(), DV_CELL_FREE), 625 * 12);
}

// The first attempt fails at its last character: the cells its first three
// took are free again, and the second attempt, 10 pixels into the extent,
// is placed. When that fails too the grid is left as it was.
TEST_F(NameLayoutTest, FailedAttemptFreesItsCells) {
    block(33, 24);
    ASSERT_TRUE(lay(kFour, {{100, 200}, {400, 200}}));
    EXPECT_EQ(cells(), (TCells{{14, 24}, {16, 24}, {18, 24}, {20, 24}}));
    expectSquares(grid_);
    for (int column = 27; column <= 32; ++column)
        EXPECT_EQ(lg_Cell(grid_, column, 24), DV_CELL_FREE) << column;

    lg_Clear(&grid_);
    block(33, 24);
    block(20, 24);
    const std::vector<std::uint8_t> before = grid_.cells;
    EXPECT_FALSE(lay(kFour, {{100, 200}, {400, 200}}));
    EXPECT_TRUE(laid_.empty());
    EXPECT_EQ(grid_.cells, before);
}

TEST_F(NameLayoutTest, NothingIsLaidWhereTheRoadCannotHoldIt) {
    const std::vector<std::uint8_t> empty = grid_.cells;
    // Extent shorter than the run (4 x 15 pixels).
    EXPECT_FALSE(lay(kFour, {{100, 200}, {159, 200}}));
    // Two pieces far apart: a character would float between them.
    EXPECT_FALSE(lay(kFour, {{100, 200}, {150, 200}, {250, 200}, {300, 200}}));
    // No characters, or a lone lead byte only.
    EXPECT_FALSE(lay("", {{100, 200}, {300, 200}}));
    EXPECT_FALSE(lay("\xA4", {{100, 200}, {300, 200}}));
    EXPECT_EQ(grid_.cells, empty);
    EXPECT_TRUE(lay(kFour, {{100, 200}, {160, 200}}));
}

TEST(NameSegmentsTest, ClippedToTheWindowAndLongEnough) {
    const TWindowRect window{0, 0, 799, 599};
    struct Case {
        TPoint a, b;
        bool added;
        TPoint clippedA, clippedB;
    };
    const Case cases[] = {
        {{10, 10}, {13, 10}, true, {10, 10}, {13, 10}}, // 3 across
        {{10, 10}, {10, 13}, true, {10, 10}, {10, 13}}, // 3 down
        {{10, 10}, {12, 12}, false, {}, {}},
        {{-100, 50}, {100, 50}, true, {0, 50}, {100, 50}},
        {{400, 300}, {400, 5000}, true, {400, 300}, {400, 599}},
        {{-10, 300}, {2, 300}, false, {}, {}}, // too short once cut
        {{-1000, 700}, {1000, 700}, false, {}, {}},
        {{-16777216, 300}, {16777216, 300}, true, {0, 300}, {799, 300}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.a.x) + "," + std::to_string(c.a.y) + " " + std::to_string(c.b.x));
        TNamePoolEntry entry;
        ASSERT_EQ(addNameSegment(&entry, window, c.a, c.b), c.added);
        ASSERT_EQ(entry.count, c.added ? 2 : 0);
        if (c.added) {
            EXPECT_TRUE(entry.points[0].x == c.clippedA.x && entry.points[0].y == c.clippedA.y &&
                        entry.points[1].x == c.clippedB.x && entry.points[1].y == c.clippedB.y);
        }
    }
    // At most DV_NAME_POINTS_MAX points, however many segments come.
    TNamePoolEntry entry;
    int added = 0;
    for (int i = 0; i < 80; ++i)
        added += addNameSegment(&entry, window, {0, i}, {100, i});
    EXPECT_EQ(added, DV_NAME_POINTS_MAX / 2);
    entry.count = DV_NAME_POINTS_MAX - 1;
    EXPECT_FALSE(addNameSegment(&entry, window, {0, 0}, {100, 0}));
}

} // namespace
} // namespace cartoframe::drawview
