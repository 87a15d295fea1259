#pragma once
// Where the cells of a board lie on screen. Cells are numbered row by row
// from the top left (index = row * w + col); each is a 48-pixel square whose
// top-left corner is (x0 + 48 * col, y0 + 48 * row).

#include "board/board_types.h"

struct BoardGeometry {
    int x0 = 250;
    int y0 = 70;
    int w = kMaxColumns;
    int h = kMaxRows;

    int cellCount() const { return w * h; }
    bool contains(int cell) const { return cell >= 0 && cell < w * h; }
    int column(int cell) const { return cell % w; }
    int row(int cell) const { return cell / w; }
    int left(int cell) const { return x0 + kCellSize * column(cell); }
    int top(int cell) const { return y0 + kCellSize * row(cell); }
    int centreX(int cell) const { return left(cell) + kCellSize / 2; }
    int centreY(int cell) const { return top(cell) + kCellSize / 2; }

    // The cell under a screen point, or -1. The right and bottom edges
    // differ by design: the column term subtracts one pixel, the row term
    // does not, so x = x0 + 48w still lies in the last column while
    // y = y0 + 48h lies below the board.
    int cellAt(int x, int y) const;
    // Orthogonal neighbours only; a cell is not its own neighbour, and the
    // last cell of a row does not touch the first of the next.
    bool isAdjacent(int a, int b) const;
};
