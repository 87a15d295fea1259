// Finding lines (cube mode: 2 x 2 squares) and hitting their cells.

#include "board/board.h"

int Board::detectMatches(bool immediate) {
    const int hits = mode_ == BoardMode::ModeCube ? detectSquares(immediate) : detectLines(immediate);
    if (hits != 0 && !immediate) moveMade_ = true;
    return hits;
}

// Columns first, left to right, each from the top; then rows, top to bottom,
// each from the left. A cell in both a column run and a row run is hit twice.
int Board::detectLines(bool immediate) {
    const int w = geometry_.w;
    const int h = geometry_.h;
    int hits = 0;
    const auto walk = [&](int first, int step, int length) {
        if (lineSkipped(first, step, length)) return;
        // The run's kind is remembered rather than read back, because a hit
        // during set-up frees the pieces already passed.
        int runKind = kNoKind;
        int runLength = 0;
        for (int k = 0; k < length; ++k) {
            const int index = first + k * step;
            const int kind = kindAt(index);
            if (kind != kNoKind && kind == runKind) {
                ++runLength;
            } else {
                runKind = kind;
                runLength = kind == kNoKind ? 0 : 1;
            }
            if (runLength == 3) {
                hitCell(index - 2 * step, immediate);
                hitCell(index - step, immediate);
                hitCell(index, immediate);
                hits += 3;
            } else if (runLength > 3) {
                hitCell(index, immediate);
                ++hits;
            }
        }
    };
    for (int col = 0; col < w; ++col) walk(col, w, h);
    for (int row = 0; row < h; ++row) walk(row * w, 1, w);
    return hits;
}

// A piece still on its way into a line must not be matched before it
// arrives; cells hit in this same pass do not count as on their way.
bool Board::lineSkipped(int first, int step, int length) const {
    for (int k = 0; k < length; ++k) {
        const Cell& c = cells_[first + k * step];
        if (c.changed_ && !c.hitThisTick_) return true;
    }
    return false;
}

// Overlapping squares hit their shared cells once for each square.
int Board::detectSquares(bool immediate) {
    const int w = geometry_.w;
    int hits = 0;
    for (int i = 0; i < geometry_.cellCount(); ++i) {
        if (geometry_.column(i) == w - 1 || geometry_.row(i) == geometry_.h - 1) continue;
        const int kind = kindAt(i);
        if (kind == kNoKind || kindAt(i + 1) != kind || kindAt(i + w) != kind || kindAt(i + w + 1) != kind) continue;
        hitCell(i, immediate);
        hitCell(i + 1, immediate);
        hitCell(i + w + 1, immediate);
        hitCell(i + w, immediate);
        hits += 4;
    }
    return hits;
}

void Board::hitCell(int index, bool immediate) {
    Cell& c = cells_[index];
    Piece* p = c.piece_;
    if (!p) return;
    if (immediate) {
        freePiece(c);
        return;
    }
    const int cx = geometry_.centreX(index);
    const int cy = geometry_.centreY(index);
    // A piece already dying was counted by its first hit; only the gem
    // tally below sees it again.
    if (p->state == PieceState::Idle) {
        const HitOutcome outcome = hitIdlePiece(c, *p);
        if (outcome.pieceStays) return;
        ++waveRemoved_;
        ++moveRemoved_;
        if (outcome.scoreType >= 0) host_->queueScoreEvent(index, outcome.scoreType);
    }
    if (p->kind >= 0 && p->kind < kOrdinaryKinds) {
        const int n = ++removedByKind_[p->kind];
        const int gx = gemSpot_[p->kind] % 1000;
        const int gy = gemSpot_[p->kind] / 1000;
        gemSpot_[p->kind] = (gx + (cx - gx) / n) + 1000 * (gy + (cy - gy) / n);
    }
    p->timer = 0;
    enterState(*p, PieceState::Dying);
    setDynamic(*p, true);
    redraw_ = true;
    if (BoardEffects* fx = host_->effects()) fx->matchSparks(static_cast<float>(cx), static_cast<float>(cy), p->kind);
    c.hitThisTick_ = c.changed_ = true;
}
