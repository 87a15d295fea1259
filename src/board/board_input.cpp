// The mouse on the board: selecting, deselecting, clicking a neighbour and
// dragging toward one. An arrow key after a pick is the same drag.

#include "board/board.h"

namespace {

// How far the mouse must travel from the press before a drag swaps.
constexpr int kDragThreshold = 20;

}  // namespace

void Board::selectCell(int index) {
    Cell& c = cells_[index];
    c.selected_ = true;
    selected_ = index;
    ringShown_ = true;
    selX_ = c.px_;
    selY_ = c.py_;
    if (Piece* p = c.piece_) {
        p->selectedGlow = p->selectedFast = true;
        p->hintPhase = 0;
        setDynamic(*p, true);
    }
    audio_->playPanned(BoardSound::SelectKest, geometry_.centreX(index));
}

void Board::deselectCell(int index) {
    if (!geometry_.contains(index)) return;
    Cell& c = cells_[index];
    c.selected_ = false;
    ringShown_ = false;
    if (Piece* p = c.piece_) p->selectedGlow = p->selectedFast = false;
}

void Board::clearSelection() {
    if (selected_ != -1) deselectCell(selected_);
    selected_ = -1;
    teleportArmed_ = radugaArmed_ = false;
}

void Board::onLeftPress(int x, int y) {
    if (overlay_ || host_->levelCompleteRaised()) return;
    pressX_ = x;
    pressY_ = y;
    hover_ = cellAt(x, y);
    if (busy_ || swapAwaitsVerdict()) return;
    buttonHeld_ = true;

    if (hover_ == -1 || !movable(hover_) || hover_ == selected_) {
        if (hover_ == selected_) clearSelection();
        return;
    }
    if (pressUsesTool(hover_)) return;

    const auto armBy = [this](int index) {
        const int special = cells_[index].piece_->special;
        teleportArmed_ = special == SpecialTeleport;
        radugaArmed_ = special == SpecialRaduga;
    };
    if (selected_ == -1) {
        selectCell(hover_);
        armBy(hover_);
        return;
    }
    if (radugaArmed_) {
        deselectCell(selected_);
        applyRainbow(selected_, hover_);
    } else if (teleportArmed_) {
        deselectCell(selected_);
        teleport(selected_, hover_);
    } else if (!isAdjacent(hover_, selected_)) {
        // A click away from the selection moves it there.
        clearSelection();
        selectCell(hover_);
        armBy(hover_);
        return;
    } else {
        startSwap(hover_, selected_);
        deselectCell(selected_);
    }
    selected_ = -1;
}

void Board::onLeftRelease() { buttonHeld_ = false; }

void Board::onRightPress(int, int) {
    // Deselecting is safe while pieces move, so a right click works even then.
    if (overlay_ || host_->levelCompleteRaised()) return;
    clearSelection();
}

void Board::onMouseMove(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
    if (busy_ || swapAwaitsVerdict() || selected_ == -1 || !buttonHeld_) return;
    // An armed rainbow or teleport waits for a click on its target instead.
    if (teleportArmed_ || radugaArmed_) return;
    dragTo(x, y);
}

// The button stays held after a drag has swapped, and the selection is gone,
// so one press swaps at most once.
void Board::dragTo(int x, int y) {
    const int dx = pressX_ - x;
    const int dy = pressY_ - y;
    if (dx < -kDragThreshold) {
        swapSelectionToward(1, 0);
    } else if (dx <= kDragThreshold) {
        if (dy < -kDragThreshold) {
            swapSelectionToward(0, 1);
        } else if (dy > kDragThreshold) {
            swapSelectionToward(0, -1);
        }
    } else {
        swapSelectionToward(-1, 0);
    }
}

void Board::swapSelectionToward(int dx, int dy) {
    if (busy_ || swapAwaitsVerdict() || selected_ == -1 || teleportArmed_ || radugaArmed_) return;
    const int col = geometry_.column(selected_) + dx;
    const int row = geometry_.row(selected_) + dy;
    if ((dx != 0) == (dy != 0) || col < 0 || col >= geometry_.w || row < 0 || row >= geometry_.h) return;
    const int target = row * geometry_.w + col;
    if (!cells_[target].active_ || !cells_[target].piece_) return;
    startSwap(selected_, target);
    deselectCell(selected_);
    selected_ = -1;
}
