#include "LabelGrid.h"

#include "DrawTables.h"

#include <cstddef>

namespace cartoframe {
namespace {

// A character of a name along a road takes a square of this many cells, and
// its position is rounded to the nearest cell by adding half a cell.
constexpr int kCharacterCells = 2;
constexpr int kCharacterRounding = DV_LABEL_CELL / 2;

// Division rounding toward minus infinity, so that a pixel left of or above
// the window falls into a negative cell instead of cell 0.
int floorDiv(int value, int divisor) {
    const int q = value / divisor;
    return (value % divisor != 0 && value < 0) ? q - 1 : q;
}

bool isInside(const TLabelGrid& grid, int column, int row) {
    return column >= 0 && row >= 0 && column < grid.columns && row < grid.rows;
}

std::uint8_t* cellAt(TLabelGrid* grid, int column, int row) {
    return &grid->cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(grid->columns) +
                        static_cast<std::size_t>(column)];
}

// Whether every cell of the rectangle (inclusive, in cells) is inside the grid
// and free.
bool isFree(const TLabelGrid& grid, int c0, int r0, int c1, int r1) {
    if (!isInside(grid, c0, r0) || !isInside(grid, c1, r1))
        return false;
    for (int row = r0; row <= r1; ++row)
        for (int column = c0; column <= c1; ++column)
            if (lg_Cell(grid, column, row) != DV_CELL_FREE)
                return false;
    return true;
}

void fill(TLabelGrid* grid, int c0, int r0, int c1, int r1, std::uint8_t value) {
    for (int row = r0; row <= r1; ++row)
        for (int column = c0; column <= c1; ++column)
            *cellAt(grid, column, row) = value;
}

struct TCellBox {
    int c0, r0, c1, r1;
    bool fitsAt(const TLabelGrid& grid, int dc, int dr) const { return isFree(grid, c0 + dc, r0 + dr, c1 + dc, r1 + dr); }
};

// The offsets of ring k (k >= 1) in search order: the top edge left to
// right, then the left and right edges row by row from the top (left before
// right), then the bottom edge left to right. Answers false when no offset
// of the ring fits.
bool searchRing(const TLabelGrid& grid, const TCellBox& box, int k, int* foundColumn, int* foundRow) {
    const auto fits = [&](int dc, int dr) {
        if (!box.fitsAt(grid, dc, dr))
            return false;
        *foundColumn = dc;
        *foundRow = dr;
        return true;
    };
    for (int dc = -k; dc <= k; ++dc)
        if (fits(dc, -k))
            return true;
    for (int dr = -k + 1; dr <= k - 1; ++dr)
        if (fits(-k, dr) || fits(k, dr))
            return true;
    for (int dc = -k; dc <= k; ++dc)
        if (fits(dc, k))
            return true;
    return false;
}

// The top-left cell of a character's square.
void characterCell(int x, int y, int* column, int* row) {
    *column = floorDiv(x + kCharacterRounding, DV_LABEL_CELL);
    *row = floorDiv(y + kCharacterRounding, DV_LABEL_CELL);
}

} // namespace

int lg_Create(TLabelGrid* grid, int width, int height) {
    if (!grid)
        return -1;
    const int columns = width / DV_LABEL_CELL;
    const int rows = height / DV_LABEL_CELL;
    if (width <= 0 || height <= 0 || columns < 1 || rows < 1) {
        lg_Destroy(grid);
        return -1;
    }
    grid->columns = columns;
    grid->rows = rows;
    grid->cells.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), DV_CELL_FREE);
    return 0;
}

void lg_Destroy(TLabelGrid* grid) {
    if (!grid)
        return;
    grid->columns = 0;
    grid->rows = 0;
    grid->cells.clear();
    grid->cells.shrink_to_fit();
}

void lg_Clear(TLabelGrid* grid) {
    if (grid)
        grid->cells.assign(grid->cells.size(), DV_CELL_FREE);
}

std::uint8_t lg_Cell(const TLabelGrid& grid, int column, int row) {
    if (!isInside(grid, column, row) ||
        grid.cells.size() < static_cast<std::size_t>(grid.columns) * static_cast<std::size_t>(grid.rows))
        return DV_CELL_LABEL;
    return grid.cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(grid.columns) +
                      static_cast<std::size_t>(column)];
}

bool lg_PlaceBox(TLabelGrid* grid, int* x0, int* y0, int* x1, int* y1, int rings) {
    if (!grid || !x0 || !y0 || !x1 || !y1 || grid->columns < 1)
        return false;
    // A box that starts left of or above the window, or is turned inside
    // out, is refused outright.
    if (*x0 < 0 || *y0 < 0 || *x1 < *x0 || *y1 < *y0)
        return false;
    const TCellBox box{*x0 / DV_LABEL_CELL, *y0 / DV_LABEL_CELL, *x1 / DV_LABEL_CELL, *y1 / DV_LABEL_CELL};
    // A box whose far corner lies beyond the grid's edge is refused; one that
    // reaches just past it (the window's last partial cell) may still move
    // inward within its rings, since cells outside the grid count as taken.
    if (box.c1 > grid->columns || box.r1 > grid->rows)
        return false;

    int dc = 0;
    int dr = 0;
    bool found = box.fitsAt(*grid, 0, 0);
    for (int k = 1; !found && k <= rings; ++k)
        found = searchRing(*grid, box, k, &dc, &dr);
    if (!found)
        return false;

    fill(grid, box.c0 + dc, box.r0 + dr, box.c1 + dc, box.r1 + dr, DV_CELL_LABEL);
    *x0 += dc * DV_LABEL_CELL;
    *x1 += dc * DV_LABEL_CELL;
    *y0 += dr * DV_LABEL_CELL;
    *y1 += dr * DV_LABEL_CELL;
    return true;
}

bool lg_TakeCharacter(TLabelGrid* grid, int x, int y) {
    if (!grid)
        return false;
    int column = 0;
    int row = 0;
    characterCell(x, y, &column, &row);
    const int last = kCharacterCells - 1;
    if (!isFree(*grid, column, row, column + last, row + last))
        return false;
    fill(grid, column, row, column + last, row + last, DV_CELL_CHARACTER);
    return true;
}

void lg_FreeCharacter(TLabelGrid* grid, int x, int y) {
    if (!grid)
        return;
    int column = 0;
    int row = 0;
    characterCell(x, y, &column, &row);
    // Only character cells are freed: a label box is never undone by a name
    // that gives up.
    for (int r = row; r < row + kCharacterCells; ++r)
        for (int c = column; c < column + kCharacterCells; ++c)
            if (lg_Cell(*grid, c, r) == DV_CELL_CHARACTER)
                *cellAt(grid, c, r) = DV_CELL_FREE;
}

} // namespace cartoframe
