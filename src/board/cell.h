#pragma once
// Cell: one square of the board. It knows whether it is part of the field,
// its coating, the piece lying in it (owned by the board, never by the cell)
// and the flags the rules use while a move runs. Only the board changes a
// cell; everyone else reads it.

#include "board/piece.h"

class Board;

class Cell {
public:
    int index() const { return index_; }
    bool active() const { return active_; }
    int coating() const { return coating_; }
    int fileCoating() const { return fileCoating_; }
    int fileLock() const { return fileLock_; }
    int px() const { return px_; }
    int py() const { return py_; }
    Piece* piece() const { return piece_; }
    bool selected() const { return selected_; }
    // Set from the moment a piece starts to move into or within the cell
    // until that piece is idle again.
    bool changed() const { return changed_; }
    // A match or the wand hit this cell in the current tick.
    bool hitThisTick() const { return hitThisTick_; }
    int swapPartner() const { return swapPartner_; }
    // One of the cells of the square the cube-mode move search found.
    bool cubeHint() const { return cubeHint_; }

    // One busy tick: frees a piece that has died, and reports whether the
    // cell still has something going on (nonzero keeps the board busy).
    int update(int milliseconds);

private:
    friend class Board;

    Board* board_ = nullptr;
    Piece* piece_ = nullptr;
    int index_ = 0;
    int coating_ = CoatNone;
    int fileCoating_ = CoatNone;
    int fileLock_ = 0;
    int px_ = 0;
    int py_ = 0;
    int swapPartner_ = -1;
    bool active_ = false;
    bool selected_ = false;
    bool changed_ = false;
    bool hitThisTick_ = false;
    bool cubeHint_ = false;
};
