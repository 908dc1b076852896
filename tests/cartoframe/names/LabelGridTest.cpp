// The label grid: the ring search around a taken place, refusal at the
// edges, the squares of characters, and many placements never overlapping.
#include "DrawTables.h"
#include "LabelGrid.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace cartoframe {
namespace {

constexpr int kCell = DV_LABEL_CELL;

struct TCellPos {
    int column, row;
};

void take(TLabelGrid& grid, const std::vector<TCellPos>& cells) {
    for (const TCellPos& c : cells) {
        int x0 = c.column * kCell, y0 = c.row * kCell, x1 = x0 + kCell - 1, y1 = y0 + kCell - 1;
        ASSERT_TRUE(lg_PlaceBox(&grid, &x0, &y0, &x1, &y1, 0)) << c.column << "," << c.row;
    }
}

// A one-cell box at cell (5, 5) with some cells taken: where it goes. A ring
// is tried top edge left to right, then the side edges row by row (left
// before right), then the bottom edge.
TEST(LabelGridTest, RingSearchOrder) {
    const std::vector<TCellPos> top1 = {{5, 5}, {4, 4}, {5, 4}, {6, 4}};
    std::vector<TCellPos> ring1 = top1;
    ring1.insert(ring1.end(), {{4, 5}, {6, 5}, {4, 6}, {5, 6}, {6, 6}});
    std::vector<TCellPos> top2 = ring1;
    top2.insert(top2.end(), {{3, 3}, {4, 3}, {5, 3}, {6, 3}, {7, 3}});
    std::vector<TCellPos> top2Left = top2;
    top2Left.push_back({3, 4});
    struct Case {
        std::vector<TCellPos> taken;
        int rings;
        bool placed;
        int dx, dy;
    };
    const std::vector<Case> cases = {
        {{}, 1, true, 0, 0},
        {{{5, 5}}, 1, true, -1, -1},
        {{{5, 5}}, 0, false, 0, 0},
        {{{5, 5}, {4, 4}}, 1, true, 0, -1},
        {top1, 1, true, -1, 0},
        {{{5, 5}, {4, 4}, {5, 4}, {6, 4}, {4, 5}, {6, 5}}, 1, true, -1, 1},
        {ring1, 1, false, 0, 0},
        {ring1, 2, true, -2, -2},
        {top2, 2, true, -2, -1},
        {top2Left, 2, true, 2, -1}, // the right of the same row before the next row
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE("case " + std::to_string(i));
        TLabelGrid grid;
        ASSERT_EQ(lg_Create(&grid, 12 * kCell, 12 * kCell), 0);
        take(grid, c.taken);
        const std::vector<std::uint8_t> before = grid.cells;
        int x0 = 5 * kCell + 2, y0 = 5 * kCell + 1, x1 = x0 + 4, y1 = y0 + 5;
        ASSERT_EQ(lg_PlaceBox(&grid, &x0, &y0, &x1, &y1, c.rings), c.placed);
        if (!c.placed) {
            EXPECT_EQ(grid.cells, before) << "a refused box marks nothing";
            continue;
        }
        EXPECT_EQ(x0, 5 * kCell + 2 + c.dx * kCell);
        EXPECT_EQ(y1, 5 * kCell + 6 + c.dy * kCell);
        EXPECT_EQ(lg_Cell(grid, 5 + c.dx, 5 + c.dy), DV_CELL_LABEL);
    }
}

// A 10 x 6 cell grid (80 x 48 pixels); cells beyond it count as taken.
TEST(LabelGridTest, EdgesRefuseOrMoveInward) {
    struct Case {
        int x0, y0, x1, y1, rings;
        bool placed;
        int moved; // pixels left and up
    };
    const Case cases[] = {
        {-1, 8, 6, 15, 2, false, 0},   {8, -3, 15, 4, 2, false, 0},  {20, 8, 10, 15, 2, false, 0},
        {72, 8, 95, 15, 2, false, 0},  {8, 40, 15, 63, 2, false, 0}, {72, 40, 79, 47, 0, true, 0},
        {75, 8, 81, 15, 0, false, 0},  {75, 8, 81, 15, 1, true, 8},  {8, 44, 15, 49, 1, true, 8},
        {75, 44, 81, 49, 1, true, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x0) + "," + std::to_string(c.y0) + " " + std::to_string(c.x1) + "," +
                     std::to_string(c.y1) + " rings " + std::to_string(c.rings));
        TLabelGrid grid;
        ASSERT_EQ(lg_Create(&grid, 80, 48), 0);
        int x0 = c.x0, y0 = c.y0, x1 = c.x1, y1 = c.y1;
        ASSERT_EQ(lg_PlaceBox(&grid, &x0, &y0, &x1, &y1, c.rings), c.placed);
        EXPECT_EQ(std::count(grid.cells.begin(), grid.cells.end(), DV_CELL_FREE) < 60, c.placed);
        if (c.placed) {
            EXPECT_EQ(x0, c.x0 - c.moved);
            EXPECT_EQ(y0, c.y0 - c.moved);
        }
    }
    TLabelGrid tiny;
    EXPECT_EQ(lg_Create(&tiny, 7, 600), -1);
    int x0 = 0, y0 = 0, x1 = 3, y1 = 3;
    EXPECT_FALSE(lg_PlaceBox(&tiny, &x0, &y0, &x1, &y1, 2));
}

// Characters take the 2 x 2 cells at ((x + 4) / 8, (y + 4) / 8).
TEST(LabelGridTest, CharactersTakeAndFreeTheirSquares) {
    TLabelGrid grid;
    ASSERT_EQ(lg_Create(&grid, 10 * kCell, 6 * kCell), 0);
    ASSERT_TRUE(lg_TakeCharacter(&grid, 11, 20)); // cells (1..2, 3..4)
    EXPECT_EQ(std::count(grid.cells.begin(), grid.cells.end(), DV_CELL_CHARACTER), 4);
    EXPECT_EQ(lg_Cell(grid, 1, 3), DV_CELL_CHARACTER);
    EXPECT_EQ(lg_Cell(grid, 2, 4), DV_CELL_CHARACTER);
    EXPECT_FALSE(lg_TakeCharacter(&grid, 19, 28)); // (2..3, 4..5) overlaps one cell
    EXPECT_EQ(lg_Cell(grid, 3, 5), DV_CELL_FREE);
    EXPECT_FALSE(lg_TakeCharacter(&grid, 9 * kCell, 0)); // past the right edge
    EXPECT_FALSE(lg_TakeCharacter(&grid, 0, 5 * kCell)); // past the bottom
    EXPECT_FALSE(lg_TakeCharacter(&grid, -5, 0));        // left of the window
    EXPECT_TRUE(lg_TakeCharacter(&grid, -4, -4));        // rounds to cell 0

    lg_FreeCharacter(&grid, 11, 20);
    EXPECT_EQ(lg_Cell(grid, 2, 4), DV_CELL_FREE);
    EXPECT_TRUE(lg_TakeCharacter(&grid, 19, 28));
    // Freeing never undoes a label box under the square.
    take(grid, {{6, 0}});
    lg_FreeCharacter(&grid, 5 * kCell, 0);
    EXPECT_EQ(lg_Cell(grid, 6, 0), DV_CELL_LABEL);
}

// Boxes of many sizes placed with up to three rings: none overlaps another,
// all stay inside the window, and the grid holds exactly their cells.
TEST(LabelGridTest, ManyPlacementsNeverOverlap) {
    constexpr int width = 803, height = 601;
    TLabelGrid grid;
    ASSERT_EQ(lg_Create(&grid, width, height), 0);
    std::mt19937 random(7);
    struct Box {
        int c0, r0, c1, r1;
    };
    std::vector<Box> placed;
    long long cells = 0;
    for (int i = 0; i < 3000; ++i) {
        int x0 = static_cast<int>(random() % (width + 40)) - 20;
        int y0 = static_cast<int>(random() % (height + 40)) - 20;
        int x1 = x0 + static_cast<int>(random() % 120);
        int y1 = y0 + static_cast<int>(random() % 20);
        if (!lg_PlaceBox(&grid, &x0, &y0, &x1, &y1, static_cast<int>(random() % 4)))
            continue;
        ASSERT_TRUE(x0 >= 0 && y0 >= 0 && x1 < grid.columns * kCell && y1 < grid.rows * kCell);
        const Box a{x0 / kCell, y0 / kCell, x1 / kCell, y1 / kCell};
        for (const Box& b : placed)
            ASSERT_TRUE(a.c1 < b.c0 || b.c1 < a.c0 || a.r1 < b.r0 || b.r1 < a.r0) << "box " << placed.size();
        placed.push_back(a);
        cells += static_cast<long long>(a.c1 - a.c0 + 1) * (a.r1 - a.r0 + 1);
    }
    EXPECT_GT(placed.size(), 100u);
    EXPECT_EQ(std::count(grid.cells.begin(), grid.cells.end(), DV_CELL_LABEL), cells);
}

} // namespace
} // namespace cartoframe
