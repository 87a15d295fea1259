// Where the special pieces, the coatings and the magic wand join the rules.
// The lock is part of the board model (a locked piece takes a hit instead of
// dying) and is handled here in full. The bad piece, coatings and bonus
// plates, the rainbow and teleport presses and the wand are the special-piece
// rules' own; until they are in, those hooks leave the board as plain play.

#include "board/board.h"

namespace {

constexpr int kLockSparkKind = 7;

}  // namespace

// The magic wand takes the press when it is armed.
bool Board::pressUsesTool(int) { return false; }

// An armed rainbow piece takes the kind of the neighbour pressed.
void Board::applyRainbow(int, int) {}

// An armed teleport piece trades places with the piece pressed.
void Board::teleport(int, int) {}

Board::HitOutcome Board::hitIdlePiece(Cell& cell, Piece& piece) {
    if (piece.lock > 0) {
        --piece.lock;
        redraw_ = true;
        cell.hitThisTick_ = cell.changed_ = true;
        ++waveRemoved_;
        ++moveRemoved_;
        // A broken lock makes the rest of its wave worth more.
        host_->setChainBonus(host_->chainBonus() + 1);
        audio_->play(BoardSound::Block);
        if (BoardEffects* fx = host_->effects()) {
            const float cx = static_cast<float>(geometry_.centreX(cell.index_));
            const float cy = static_cast<float>(geometry_.centreY(cell.index_));
            fx->lockChunks(cx, cy, piece.lock);
            fx->matchSparks(cx, cy, kLockSparkKind);
        }
        return {true, -1};
    }
    // Puzzle mode keeps no score.
    return {false, mode_ == BoardMode::ModePuzzle ? -1 : 0};
}
