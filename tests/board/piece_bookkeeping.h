#pragma once
// The board's promise about its pieces: every cell's piece is owned by the
// board and lies in no other cell, and every piece the board owns lies in a
// cell or is dying. Checked after every tick of the property and soak runs,
// so it sorts two small arrays rather than building sets.

#include <algorithm>
#include <string>
#include <vector>

#include "board/board.h"

inline std::string pieceBookkeepingFault(const Board& board) {
    std::vector<const Piece*> listed;
    listed.reserve(static_cast<std::size_t>(board.pieces().size()));
    board.pieces().forEach([&](const Piece& p) { listed.push_back(&p); });
    std::sort(listed.begin(), listed.end());

    std::vector<const Piece*> inCells;
    for (int i = 0; i < board.cellCount(); ++i) {
        const Piece* p = board.cell(i).piece();
        if (!p) continue;
        if (!board.cell(i).active()) return "a hole holds a piece at " + std::to_string(i);
        if (!std::binary_search(listed.begin(), listed.end(), p))
            return "cell " + std::to_string(i) + " points at a piece the board does not own";
        inCells.push_back(p);
    }
    std::sort(inCells.begin(), inCells.end());
    if (std::adjacent_find(inCells.begin(), inCells.end()) != inCells.end()) return "a piece lies in two cells";
    for (const Piece* p : listed) {
        if (p->state != PieceState::Dying && !std::binary_search(inCells.begin(), inCells.end(), p))
            return "a piece is owned but in no cell and not dying";
    }
    return "";
}
