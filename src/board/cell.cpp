#include "board/cell.h"

#include "board/board.h"

int Cell::update(int milliseconds) {
    if (!active_) return 0;
    if (selected_ && piece_) piece_->timer += milliseconds;
    if (!changed_) return 0;
    if (hitThisTick_) board_->moveMade_ = true;
    if (piece_) {
        if (piece_->dead) {
            board_->freePiece(*this);
        } else if (piece_->state != PieceState::Idle) {
            return 1;
        }
    }
    changed_ = false;
    return 1;
}
