// Choosing the grids of a view: whole and partial grids with their
// sub-cells in order, grids the margin reaches but the view misses, columns
// beyond the map's edge, the 1024-grid limit, and views with nothing to show.
#include "DataSetWriter.h"
#include "MapTestFixture.h"
#include "VisibleGrids.h"

#include <string>

namespace cartoframe {
namespace {

namespace forge = kyvo::mapforge;

constexpr int kLowColumn = 1210;
constexpr int kLowRow = 250;
constexpr int kScale = 100; // map units per 37 pixels
constexpr int kWidth = 800;
constexpr int kHeight = 600;

class VisibleGridsTest : public test::MapTestFixture {
protected:
    // A set of columns x rows empty grids; grid 0 holds one line.
    void loadGrid(int columns, int rows) {
        forge::DataSetModel set;
        set.lowColumn = kLowColumn;
        set.lowRow = kLowRow;
        set.highColumn = kLowColumn + columns - 1;
        set.highRow = kLowRow + rows - 1;
        forge::GridModel& grid = set.grids[0];
        grid.corner = {kLowColumn * MAP_GRID_SIZE, kLowRow * MAP_GRID_SIZE};
        grid.lines.push_back({{grid.corner, {grid.corner.x + 40, grid.corner.y + 40}}, 0, 0});
        forge::DataSetFiles files;
        std::string error;
        ASSERT_TRUE(forge::encodeDataSet(set, files, error) && forge::saveDataSet(files, folder_.path(), {}, error))
            << error;
        ASSERT_EQ(load(), 0);
    }
    static int select(const TMapRect& view) {
        const TViewRequest request{view, {(view.left + view.right) / 2, (view.top + view.bottom) / 2}, kScale,
                                   kWidth, kHeight};
        return mp_SelectVisibleGrids(request);
    }
    // "g:whole" or "g:c1,c2,..." per visible grid.
    static std::string list() {
        std::string out;
        for (int i = 0; i < mp_GetVisibleGridCount(); ++i) {
            const TVisibleGrid& entry = *mp_GetVisibleGrid(i);
            out += std::to_string(entry.grid) + ":";
            if (entry.whole)
                out += "whole";
            for (int c = 0; c < entry.subCellCount; ++c)
                out += (c ? "," : "") + std::to_string(entry.subCells[c]);
            out += " ";
        }
        return out;
    }
};

int mapX(int column, int units) { return (kLowColumn + column) * MAP_GRID_SIZE + units; }
int mapY(int row, int units) { return (kLowRow + row) * MAP_GRID_SIZE + units; }

TEST_F(VisibleGridsTest, APartialGridListsTheSubCellsOfTheRoundedViewColumnByColumn) {
    loadGrid(3, 2);
    // Inside grid 1 (column 1, row 0); rounded outward to x 2000..8000, y 3000..7000.
    EXPECT_EQ(select({mapX(1, 2500), mapY(0, 6001), mapX(1, 7500), mapY(0, 3000)}), 1);
    std::string expected = "1:";
    for (int column = 2; column < 8; ++column)
        for (int row = 3; row < 7; ++row)
            expected += std::to_string(column + row * 10) + (column == 7 && row == 6 ? " " : ",");
    EXPECT_EQ(list(), expected);
}

TEST_F(VisibleGridsTest, WholeGridsAndGridsTheViewOnlyTouches) {
    loadGrid(3, 2);
    // From inside grid 0 to the right edge of grid 1, bottom to top of row 0:
    // grid 2 and row 1 only touch the view and are left out.
    EXPECT_EQ(select({mapX(0, 5500), mapY(1, 0), mapX(2, 0), mapY(0, 0)}), 2);
    std::string partial = "0:";
    for (int column = 5; column < 10; ++column)
        for (int row = 0; row < 10; ++row)
            partial += std::to_string(column + row * 10) + (column == 9 && row == 9 ? " " : ",");
    EXPECT_EQ(list(), partial + "1:whole ");

    // A view over an empty grid still lists it; it has nothing to draw.
    EXPECT_EQ(select({mapX(1, 0), mapY(2, 0), mapX(2, 0), mapY(1, 0)}), 1);
    EXPECT_EQ(list(), "4:whole ");
    EXPECT_EQ(mp_GetObjectCount(4, LAYER_LINE), 0);
}

TEST_F(VisibleGridsTest, ColumnsBeyondTheMapDoNotWrapIntoTheNextRow) {
    loadGrid(2, 3);
    EXPECT_EQ(select({mapX(-3, 0), mapY(6, 0), mapX(5, 0), mapY(-3, 0)}), 6);
    EXPECT_EQ(list(), "0:whole 2:whole 4:whole 1:whole 3:whole 5:whole ");
    // Entirely west or south of the map: nothing.
    EXPECT_EQ(select({mapX(-2, 0), mapY(1, 0), mapX(-1, -1), mapY(0, 0)}), 0);
    EXPECT_EQ(select({mapX(0, 0), mapY(-1, -1), mapX(1, 0), mapY(-2, 0)}), 0);
}

TEST_F(VisibleGridsTest, AtMost1024GridsInWalkOrder) {
    loadGrid(38, 28); // 1064 grids
    EXPECT_EQ(select({mapX(0, 0), mapY(28, 0), mapX(38, 0), mapY(0, 0)}), VISIBLE_GRID_MAX);
    EXPECT_EQ(mp_GetVisibleGrid(0)->grid, 0);
    EXPECT_EQ(mp_GetVisibleGrid(1)->grid, 38) << "rows first within a column";
    EXPECT_EQ(mp_GetVisibleGrid(VISIBLE_GRID_MAX - 1)->grid, 15 * 38 + 36);
    EXPECT_EQ(mp_GetVisibleGrid(VISIBLE_GRID_MAX), nullptr);
}

TEST_F(VisibleGridsTest, NothingIsChosenWithoutAMapOrAWindow) {
    const TMapRect view{mapX(0, 0), mapY(1, 0), mapX(1, 0), mapY(0, 0)};
    EXPECT_EQ(select(view), 0) << "nothing loaded";
    loadGrid(2, 2);
    ASSERT_EQ(select(view), 1);
    EXPECT_EQ(mp_SelectVisibleGrids({view, {}, kScale, kWidth, 0}), 0);
    EXPECT_EQ(mp_GetVisibleGridCount(), 0);
    dbg_CheckFailed("test stop", __FILE__, __LINE__);
    EXPECT_EQ(select(view), 0) << "a stopped map";
}

} // namespace
} // namespace cartoframe
