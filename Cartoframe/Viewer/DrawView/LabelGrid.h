#pragma once
// The label grid: one byte per 8 x 8 pixel cell of the window (width / 8 by
// height / 8 cells), so that road names never overlap. 0 is free, 129 taken
// by a label box, 130 taken by one character of a name laid along a road.
// Cells outside the grid count as taken.
//
// Single-threaded; owned by the drawing state.

#include <cstdint>
#include <vector>

namespace cartoframe {

struct TLabelGrid {
    int columns = 0;
    int rows = 0;
    std::vector<std::uint8_t> cells; // columns * rows, row after row
};

// Sizes the grid for a window (cells free). Answers 0, or -1 for a window
// smaller than one cell.
int lg_Create(TLabelGrid* grid, int width, int height);
void lg_Destroy(TLabelGrid* grid);
void lg_Clear(TLabelGrid* grid);
// The cell's value; DV_CELL_LABEL for a cell outside the grid.
std::uint8_t lg_Cell(const TLabelGrid& grid, int column, int row);

// Places a label box (x0, y0)-(x1, y1) in pixels, inclusive, searching
// `rings` rings of cells around it. On success marks the cells taken,
// moves the box by the offset found (whole cells) and answers true; on
// failure nothing is marked.
bool lg_PlaceBox(TLabelGrid* grid, int* x0, int* y0, int* x1, int* y1, int rings);

// Takes the 2 x 2 cells of one character of a name along a road at the cell
// ((x + 4) / 8, (y + 4) / 8) when all four are free and inside the grid;
// answers whether it did.
bool lg_TakeCharacter(TLabelGrid* grid, int x, int y);
// Frees the 2 x 2 cells of a character taken by lg_TakeCharacter (used when
// a later character of the same name cannot be placed).
void lg_FreeCharacter(TLabelGrid* grid, int x, int y);

} // namespace cartoframe
