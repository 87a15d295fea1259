// Keeping the board playable: re-rolling the kinds of new pieces after a fall
// until a move exists, and dealing a level with a move and no ready-made line.

#include "board/board.h"
#include "board/board_random.h"

namespace {

// Bounds of the set-up loops. A level too small or too locked to ever have a
// move would otherwise keep them going for ever.
constexpr int kSetupLineRounds = 1000;
constexpr int kSetupRedraws = 10000;

}  // namespace

// A line among the new pieces falls and is refilled in turn: early in a move
// that is a lucky cascade, but a board whose refills can only ever line up
// would cascade for ever, so past the first waves only a move will do.
void Board::ensurePlayable() {
    const bool lineWillDo = waveCount_ < kRefillLineWaves;
    for (int tries = 0;; ++tries) {
        const bool line = hasLine();
        if (line ? lineWillDo : findMove() != kNoMove) return;
        if (tries >= kPlayableTries) {
            gaveUp_ = true;
            host_->completeUnplayableLevel();
            return;
        }
        rerollNewPieces();
    }
}

// Only pieces still being born change kind, so nothing the player has seen
// settle changes under their eyes. A rainbow piece stays a rainbow.
void Board::rerollNewPieces() {
    bool anyOrdinary = false;
    for (int k = 0; k < kOrdinaryKinds; ++k) anyOrdinary = anyOrdinary || kestTable_[k] != 0;
    pieces_.forEach([&](Piece& piece) {
        if (piece.state != PieceState::Birth || piece.kind == KindRaduga) return;
        int kind = 0;
        do {
            kind = static_cast<int>((boardRandomAdvance() >> 28) & 7);
        } while (anyOrdinary && kestTable_[kind] == 0);
        piece.kind = kind;
    });
}

bool Board::setupFill() {
    removeSetupLines();
    const bool playable = redrawUntilPlayable();
    if (!playable) host_->completeUnplayableLevel();
    redraw_ = true;
    return playable;
}

// Lines of the first deal are removed at once and the columns refilled,
// until no line is left.
bool Board::removeSetupLines() {
    for (int round = 0; round < kSetupLineRounds; ++round) {
        if (detectMatches(true) == 0) return true;
        settleColumnsAtOnce();
    }
    return false;
}

// Locks go onto the dealt pieces; then random unlocked pieces are dealt again
// until the board has a move and no line.
bool Board::redrawUntilPlayable() {
    for (int tries = 0; tries < kSetupRedraws; ++tries) {
        applyFileLocks();
        if (findMove() != kNoMove && !hasLine()) return true;
        bool anyUnlocked = false;
        for (int i = 0; i < geometry_.cellCount() && !anyUnlocked; ++i)
            anyUnlocked = cells_[i].piece_ && cells_[i].piece_->lock == 0;
        if (!anyUnlocked) return false;
        int index = 0;
        do {
            index = boardRandomBelow(geometry_.cellCount());
        } while (!cells_[index].piece_ || cells_[index].piece_->lock != 0);
        freePiece(cells_[index]);
        Piece* p = spawnPiece(true);
        centreIn(*p, index);
        cells_[index].piece_ = p;
    }
    return false;
}
