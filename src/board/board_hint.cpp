// The idle board: the automatic hint after ten seconds without a move, and in
// puzzle mode the notice that no move is left.

#include "board/board.h"

#include <algorithm>

namespace {

// The hint point sits a little inside the cell's top-left corner.
constexpr int kHintInset = 20;

}  // namespace

bool Board::runHint(int dt) {
    const int move = findMove();
    if (move == kNoMove) {
        if (mode_ == BoardMode::ModePuzzle && !pieces_.empty()) {
            showNoMoves();
            return true;
        }
        return false;
    }
    const int a = moveFirst(move);
    const int b = moveSecond(move);
    hintFrom_ = {geometry_.left(a) + kHintInset, geometry_.top(a) + kHintInset};
    hintTo_ = {geometry_.left(b) + kHintInset, geometry_.top(b) + kHintInset};
    const ScreenPoint lower = tutorialPointOf(move);
    if (host_->offerTutorial(lower.x, lower.y, TutorialEntry::FirstMove)) return true;

    idleTime_ += dt;
    const bool due = idleTime_ > kHintDelayMs || hintRequested_;
    if (!due || selected_ == a || selected_ == b) return false;
    hintRequested_ = false;
    Piece* pa = pieceAt(a);
    Piece* pb = pieceAt(b);
    if (pa) pa->hintPhase = 1, pa->hintHalf = 1;
    if (pb) pb->hintPhase = 1, pb->hintHalf = 0;
    audio_->play(BoardSound::Help);
    idleTime_ = 0;
    return false;
}

ScreenPoint Board::tutorialPointOf(int move) const {
    const int lower = std::min(moveFirst(move), moveSecond(move));
    return {geometry_.left(lower) + kHintInset, geometry_.top(lower) + kHintInset};
}

// The notice is a screen of its own; the board keeps it while no move is
// left and drops it on undo or a new level.
void Board::showNoMoves() {
    if (!overlay_) overlay_ = host_->showNoMovesOverlay();
}
