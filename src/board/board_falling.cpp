// After a removal: pieces fall into the cells below them and new pieces are
// born where nothing can fall from. Also the kind draw of a new piece.

#include "board/board.h"
#include "board/board_random.h"

namespace {

// One in five draws of the bad kind is kept, so bad pieces stay rare.
constexpr int kBadPieceOdds = 5;
constexpr int kPerMille = 1000;

}  // namespace

void Board::startFall() {
    const int w = geometry_.w;
    for (int col = 0; col < w; ++col) {
        for (int row = geometry_.h - 1; row >= 0; --row) {
            const int i = row * w + col;
            Cell& c = cells_[i];
            if (!c.active_ || c.piece_) continue;
            const int from = findFallingPiece(i);
            if (from >= 0) {
                Piece* p = cells_[from].piece_;
                cells_[from].piece_ = nullptr;
                c.piece_ = p;
                p->moveTarget = static_cast<float>(geometry_.centreY(i));
                if (p->vy == 0.0f) p->vy = static_cast<float>(row - geometry_.row(from)) * tuning_.fallVelocity;
                enterState(*p, PieceState::Falling);
                c.changed_ = true;
            } else if (mode_ != BoardMode::ModePuzzle) {
                bornIn(i);
            }
        }
    }
}

// The nearest piece above that may fall into `cell`: a hole or a locked
// piece stops the search, a piece busy with something else is passed over.
int Board::findFallingPiece(int cell) const {
    for (int j = cell - geometry_.w; j >= 0; j -= geometry_.w) {
        const Cell& c = cells_[j];
        if (!c.active_) return -1;
        const Piece* p = c.piece_;
        if (!p) continue;
        if (p->lock != 0) return -1;
        if (p->state != PieceState::Idle) continue;
        return j;
    }
    return -1;
}

// New pieces appear from the top left first: the delay grows to the right
// and downward, 5 ms a step at the board's own birth time of 300 ms, and in
// proportion to a tuned one.
void Board::bornIn(int index) {
    Piece* p = spawnPiece(false);
    centreIn(*p, index);
    p->width = p->height = 0.0f;
    const int row = geometry_.row(index);
    const int col = geometry_.column(index);
    p->timer = 5 * ((row - col) * 4 - index - 10) * tuning_.birthMs / kBoardBirthMs;
    enterState(*p, PieceState::Birth);
    cells_[index].piece_ = p;
    cells_[index].changed_ = true;
}

Piece* Board::spawnPiece(bool forSetup) {
    auto piece = std::make_unique<Piece>();
    piece->kind = drawKind(forSetup);
    if (!forSetup) {
        if (bonusTable_[1] != 0 && boardRandomBelow(kPerMille) < bonusTable_[1] && piece->kind != KindBad) {
            piece->special = SpecialRaduga;
            piece->kind = KindRaduga;
        } else if (bonusTable_[0] != 0 && boardRandomBelow(kPerMille) < bonusTable_[0] && piece->kind != KindBad) {
            piece->special = SpecialTeleport;
        }
    }
    return addPiece(std::move(piece));
}

// A level that enables none of the eight ordinary kinds would leave the draw
// nothing to accept; it then draws from all eight instead of hanging.
int Board::drawKind(bool forSetup) {
    bool anyOrdinary = false;
    for (int k = 0; k < kOrdinaryKinds; ++k) anyOrdinary = anyOrdinary || kestTable_[k] != 0;
    const bool badAllowed = kestTable_[KindBad] != 0 && !forSetup;
    const auto allowed = [&](int k) { return k == KindBad ? badAllowed : (!anyOrdinary || kestTable_[k] != 0); };
    const int n = badAllowed ? kOrdinaryKinds + 1 : kOrdinaryKinds;

    int k = boardRandomBelow(n);
    if (k == KindBad && boardRandomBelow(kBadPieceOdds) == 0) return KindBad;
    for (;;) {
        if (allowed(k)) {
            if (k != KindBad) return k;
            if (boardRandomBelow(kBadPieceOdds) == 0) return KindBad;
        }
        k = boardRandomBelow(n);
    }
}

// Level set-up: every column drops at once, without motion, and the gaps
// left at the top are filled.
void Board::settleColumnsAtOnce() {
    const int w = geometry_.w;
    for (int col = 0; col < w; ++col) {
        for (int row = geometry_.h - 1; row >= 0; --row) {
            const int i = row * w + col;
            Cell& c = cells_[i];
            if (!c.active_ || c.piece_) continue;
            for (int j = i - w; j >= 0 && cells_[j].active_; j -= w) {
                if (Piece* p = cells_[j].piece_) {
                    cells_[j].piece_ = nullptr;
                    c.piece_ = p;
                    p->y = static_cast<float>(geometry_.centreY(i));
                    break;
                }
            }
        }
    }
    fillEmptyCells();
}
