#include "board/board_geometry.h"

int BoardGeometry::cellAt(int x, int y) const {
    if (x < x0 || y < y0 || x > x0 + kCellSize * w || y > y0 + kCellSize * h) return -1;
    const int cell = w * ((y - y0) / kCellSize) + (x - x0 - 1) / kCellSize;
    return contains(cell) ? cell : -1;
}

bool BoardGeometry::isAdjacent(int a, int b) const {
    if (!contains(a) || !contains(b) || a == b) return false;
    const int dc = column(a) - column(b);
    const int dr = row(a) - row(b);
    return (dr == 0 && (dc == 1 || dc == -1)) || (dc == 0 && (dr == 1 || dr == -1));
}
