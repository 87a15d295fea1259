// Puzzle undo: each swap keeps a snapshot of the pieces; undo puts the newest
// back.

#include "board/board.h"

BoardSnapshot Board::takeSnapshot() const {
    BoardSnapshot s;
    s.kinds.fill(BoardSnapshot::kEmptyCell);
    for (int i = 0; i < geometry_.cellCount(); ++i) {
        if (const Piece* p = cells_[i].piece_) {
            s.kinds[i] = static_cast<std::uint8_t>(p->kind);
            s.locks[i] = static_cast<std::uint8_t>(p->lock);
            s.specials[i] = static_cast<std::uint8_t>(p->special);
        }
    }
    return s;
}

bool Board::undo() {
    if (mode_ != BoardMode::ModePuzzle || busy_) return false;
    BoardSnapshot s;
    if (!undo_.pop(s)) return false;
    overlay_ = nullptr;
    clearSelection();
    // A swap still waiting for its result belongs to the snapshot just taken
    // back; swapping it back as well would undo it twice.
    swapOrigin_ = -1;
    swapTookSnapshot_ = false;
    moveMade_ = false;
    for (int i = 0; i < geometry_.cellCount(); ++i) {
        Cell& c = cells_[i];
        if (s.kinds[i] == BoardSnapshot::kEmptyCell) {
            if (c.piece_) freePiece(c);
            continue;
        }
        Piece* p = c.piece_;
        if (!p) {
            p = addPiece(std::make_unique<Piece>());
            centreIn(*p, i);
            c.piece_ = p;
        }
        p->kind = s.kinds[i];
        p->lock = s.locks[i];
        p->special = s.specials[i];
        p->state = PieceState::Idle;
        p->hintPhase = 0;
    }
    redraw_ = true;
    return true;
}
