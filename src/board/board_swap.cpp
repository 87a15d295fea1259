// Swapping two neighbouring pieces, and swapping them back when the swap made
// no line.

#include "board/board.h"

void Board::startSwap(int a, int b) {
    if (!geometry_.contains(a) || !geometry_.contains(b) || a == b) return;
    busy_ = true;
    cells_[a].swapPartner_ = b;
    cells_[b].swapPartner_ = a;
    deselectCell(a);
    deselectCell(b);
    swapOrigin_ = a;
    swapTookSnapshot_ = false;
    if (mode_ == BoardMode::ModePuzzle && !undo_.full()) swapTookSnapshot_ = undo_.push(takeSnapshot());
    // A swap whose pieces cannot move still counts as made: the next idle
    // tick finds no line and swaps back, so the player hears why.
    startSwapMotion(a, b);
}

// The pieces trade cells at once; the cells stay marked as changed until the
// pieces have arrived, which keeps the board busy and matching off.
bool Board::startSwapMotion(int a, int b) {
    Cell& ca = cells_[a];
    Cell& cb = cells_[b];
    if (!ca.active_ || !cb.active_) return false;
    Piece* pa = ca.piece_;
    Piece* pb = cb.piece_;
    if (!pa || !pb || pa->lock != 0 || pb->lock != 0) return false;
    if (pa->state != PieceState::Idle || pb->state != PieceState::Idle) return false;

    ca.piece_ = pb;
    cb.piece_ = pa;
    ca.changed_ = cb.changed_ = true;

    const float v = tuning_.kestVelocity;
    const auto aim = [this, v](Piece& p, float toX, float toY) {
        p.vx = p.vy = 0.0f;
        if (p.x < toX) {
            p.vx = v, p.moveDir = 0, p.moveTarget = toX;
        } else if (p.x > toX) {
            p.vx = -v, p.moveDir = 2, p.moveTarget = toX;
        } else if (p.y < toY) {
            p.vy = v, p.moveDir = 3, p.moveTarget = toY;
        } else {
            p.vy = -v, p.moveDir = 1, p.moveTarget = toY;
        }
        enterState(p, PieceState::Swapping);
    };
    const float ax = pa->x, ay = pa->y;
    aim(*pa, pb->x, pb->y);
    aim(*pb, ax, ay);
    audio_->play(BoardSound::Swap);
    return true;
}

void Board::swapBack() {
    const int origin = swapOrigin_;
    if (!geometry_.contains(origin)) return;
    const int partner = cells_[origin].swapPartner_;
    host_->offerTutorial(geometry_.centreX(origin), geometry_.centreY(origin), TutorialEntry::FailedSwap);
    if (geometry_.contains(partner)) startSwapMotion(origin, partner);
    busy_ = true;
    swapOrigin_ = -1;
    audio_->play(BoardSound::Swapback);
    // Only the snapshot this swap pushed may go: once the history is full a
    // swap pushes none, and dropping then would lose an earlier move's.
    if (mode_ == BoardMode::ModePuzzle && swapTookSnapshot_) undo_.dropNewest();
    swapTookSnapshot_ = false;
}
