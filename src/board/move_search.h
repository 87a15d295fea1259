#pragma once
// The move search and the line test, on a flat copy of the board's kinds:
// every pattern looks at several cells, so reading each cell's kind once into
// an array keeps the search from chasing cell and piece records.

#include <array>
#include <cstdint>

#include "board/board_types.h"

struct KindGrid {
    int w = 0;
    int h = 0;
    std::array<std::int8_t, kMaxCells> kinds{};  // kNoKind for a hole or an empty cell
    std::array<bool, kMaxCells> movable{};       // a piece that is unlocked and not dead

    int kind(int row, int col) const { return kinds[static_cast<std::size_t>(row * w + col)]; }
};

// The first swap, in the search's fixed order, that makes a line of three;
// first * 1000 + second, or kNoMove.
int findLineMove(const KindGrid& grid);
// The first swap that completes a 2 x 2 square. Sets the bits of `hintCells`
// (one per cell) for the window's cells of the square's kind.
int findCubeMove(const KindGrid& grid, std::array<bool, kMaxCells>& hintCells);
// A line of three (cube: a 2 x 2 square) of one kind stands somewhere.
bool gridHasLine(const KindGrid& grid, bool cube);
