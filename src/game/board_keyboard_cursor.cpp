#include "game/board_keyboard_cursor.h"

#include <cstdlib>

#include "board/board.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"
#include "platform/win_messages.h"

namespace {

constexpr const char* kRingPath = "data\\keyring.tga";
constexpr int kRingFrames = 12;
constexpr int kRingCycleMs = 1200;
// The ring is larger than a cell: its corners reach a little outside it.
constexpr int kRingMargin = 4;
// Steps sideways count double against steps ahead when the ring has to
// leave its row or column.
constexpr int kSidewaysWeight = 2;

struct Step {
    int dx = 0, dy = 0;
};

Step stepOf(BoardKeyboardCursor::Direction direction) {
    switch (direction) {
        case BoardKeyboardCursor::Direction::Left: return {-1, 0};
        case BoardKeyboardCursor::Direction::Right: return {1, 0};
        case BoardKeyboardCursor::Direction::Up: return {0, -1};
        case BoardKeyboardCursor::Direction::Down: return {0, 1};
    }
    return {};
}

bool isBoardCell(const Board& board, int cell) { return cell >= 0 && cell < board.cellCount() && board.cell(cell).active(); }

// The active cell nearest the middle of the board; -1 on a board of holes.
int middleCell(const Board& board) {
    const BoardGeometry& g = board.geometry();
    int best = -1, bestDistance = 0;
    for (int cell = 0; cell < board.cellCount(); ++cell) {
        if (!isBoardCell(board, cell)) continue;
        // Doubled coordinates keep the middle of an even side whole.
        const int dx = 2 * g.column(cell) - (g.w - 1), dy = 2 * g.row(cell) - (g.h - 1);
        const int distance = dx * dx + dy * dy;
        if (best == -1 || distance < bestDistance) best = cell, bestDistance = distance;
    }
    return best;
}

// A press and release of the left button on the cell's middle: the click
// the board would get from the mouse.
void clickCell(Board& board, int cell) {
    const BoardGeometry& g = board.geometry();
    board.onLeftPress(g.centreX(cell), g.centreY(cell));
    board.onLeftRelease();
}

}  // namespace

bool BoardKeyboardCursor::directionOfKey(int key, Direction& direction) {
    switch (static_cast<platform::WParam>(key)) {
        case platform::VK_LEFT: direction = Direction::Left; return true;
        case platform::VK_RIGHT: direction = Direction::Right; return true;
        case platform::VK_UP: direction = Direction::Up; return true;
        case platform::VK_DOWN: direction = Direction::Down; return true;
        default: return false;
    }
}

int BoardKeyboardCursor::step(const Board& board, int cell, Direction direction) {
    if (!isBoardCell(board, cell)) return cell;
    const BoardGeometry& g = board.geometry();
    const Step s = stepOf(direction);
    const int col = g.column(cell), row = g.row(cell);
    int best = cell, bestCost = 0, bestSideways = 0;
    for (int other = 0; other < board.cellCount(); ++other) {
        if (!isBoardCell(board, other)) continue;
        const int dc = g.column(other) - col, dr = g.row(other) - row;
        const int ahead = dc * s.dx + dr * s.dy;
        if (ahead <= 0) continue;
        const int sideways = std::abs(s.dx != 0 ? dr : dc);
        const int cost = ahead + kSidewaysWeight * sideways;
        const bool better = best == cell || cost < bestCost || (cost == bestCost && sideways < bestSideways);
        if (better) best = other, bestCost = cost, bestSideways = sideways;
    }
    return best;
}

bool BoardKeyboardCursor::shown(const Board& board) const { return shown_ && isBoardCell(board, cell_); }

void BoardKeyboardCursor::reveal(const Board& board) {
    if (board.selected() != -1) {
        cell_ = board.selected();
    } else if (!isBoardCell(board, cell_)) {
        cell_ = middleCell(board);
    }
    shown_ = isBoardCell(board, cell_);
}

bool BoardKeyboardCursor::keyDown(int key, Board& board) {
    Direction direction{};
    const bool arrow = directionOfKey(key, direction);
    const bool pick = key == platform::VK_SPACE || key == platform::VK_RETURN;
    if (!arrow && !pick) return false;
    if (!shown(board)) {
        reveal(board);
        if (!arrow || board.selected() == -1) return true;
    }
    if (pick) {
        clickCell(board, cell_);
        return true;
    }
    const int picked = board.selected();
    const Step s = stepOf(direction);
    if (picked != -1 && board.radugaArmed()) {
        const BoardGeometry& g = board.geometry();
        const int col = g.column(picked) + s.dx, row = g.row(picked) + s.dy;
        if (col >= 0 && col < g.w && row >= 0 && row < g.h) clickCell(board, row * g.w + col);
    } else if (picked != -1 && !board.teleportArmed()) {
        board.swapSelectionToward(s.dx, s.dy);
    } else {
        cell_ = step(board, cell_, direction);
    }
    return true;
}

void BoardKeyboardCursor::draw(Sprite& target, const Board& board) {
    if (!shown(board)) return;
    if (!ringLoaded_) {
        ringLoaded_ = true;
        ring_ = GetSprite(kRingPath);
        if (ring_) ring_->cutIntoFrames(kRingFrames, kRingCycleMs);
    }
    if (!ring_ || ring_->width() <= 0) return;
    const BoardGeometry& g = board.geometry();
    target.Blit(g.left(cell_) - kRingMargin, g.top(cell_) - kRingMargin, *ring_, BLEND_NORMAL, board.elapsed());
}
