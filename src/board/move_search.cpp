// Is there a move? The search looks for a swap of two neighbours that makes
// a line of three (cube mode: a 2 x 2 square), in a fixed order, and returns
// the first it finds as first * 1000 + second.

#include "board/move_search.h"

#include <initializer_list>

#include "board/board.h"

namespace {

// Window positions of the cube search, as bits.
constexpr int bits(std::initializer_list<int> positions) {
    int mask = 0;
    for (int p : positions) mask |= 1 << p;
    return mask;
}

struct CubePattern {
    int mask;
    int first, second;  // offsets of the swapped cells in the window
};

}  // namespace

KindGrid Board::kindGrid() const {
    KindGrid grid;
    grid.w = geometry_.w;
    grid.h = geometry_.h;
    // One read of each cell and its piece; kindAt and movable in one go.
    for (int i = 0; i < geometry_.cellCount(); ++i) {
        const Cell& c = cells_[i];
        const Piece* p = c.active_ ? c.piece_ : nullptr;
        grid.kinds[static_cast<std::size_t>(i)] = static_cast<std::int8_t>(p ? p->kind : kNoKind);
        grid.movable[static_cast<std::size_t>(i)] = p && p->lock == 0 && !p->dead;
    }
    return grid;
}

int Board::findMove() {
    const KindGrid grid = kindGrid();
    if (mode_ != BoardMode::ModeCube) return findLineMove(grid);
    std::array<bool, kMaxCells> hint{};
    const int move = findCubeMove(grid, hint);
    for (int i = 0; i < kMaxCells; ++i) cells_[i].cubeHint_ = hint[static_cast<std::size_t>(i)];
    return move;
}

bool Board::hasLine() const { return gridHasLine(kindGrid(), mode_ == BoardMode::ModeCube); }

int findLineMove(const KindGrid& grid) {
    const int w = grid.w;
    const int h = grid.h;
    const auto K = [&grid](int row, int col) { return grid.kind(row, col); };
    const auto kindAt = [&grid](int cell) { return static_cast<int>(grid.kinds[static_cast<std::size_t>(cell)]); };
    const auto hasPiece = [&kindAt](int cell) { return kindAt(cell) != kNoKind; };
    const auto at = [w](int row, int col) { return row * w + col; };
    const auto pairMovable = [&grid](int a, int b) {
        return grid.movable[static_cast<std::size_t>(a)] && grid.movable[static_cast<std::size_t>(b)];
    };

    // 1 and 2: X X _ X and X _ X X along a row or column; the odd piece
    // slides along the line into the gap.
    const auto alongLine = [&](int s, int step) {
        const int x = kindAt(s);
        if (x == kNoKind || kindAt(s + 3 * step) != x) return kNoMove;
        if (kindAt(s + 2 * step) == x && hasPiece(s + step) && pairMovable(s, s + step))
            return encodeMove(s, s + step);
        if (kindAt(s + step) == x && hasPiece(s + 2 * step) && pairMovable(s + 2 * step, s + 3 * step))
            return encodeMove(s + 2 * step, s + 3 * step);
        return kNoMove;
    };
    for (int row = 0; row < h; ++row)
        for (int j = 0; j + 3 < w; ++j)
            if (int m = alongLine(at(row, j), 1)) return m;
    for (int col = 0; col < w; ++col)
        for (int j = 0; j + 3 < h; ++j)
            if (int m = alongLine(at(j, col), w)) return m;

    // 3: a column line made by swapping two pieces of one row, in a window of
    // three rows and two columns. The second kind is tried even when it equals
    // the first: a hole or a lock can stop the first kind's swap while the
    // second kind's swap of another row still makes the same line.
    for (int i = 0; i + 2 < h; ++i) {
        for (int j = 0; j + 1 < w; ++j) {
            const auto rowMovable = [&](int row) { return pairMovable(at(row, j), at(row, j + 1)); };
            const auto rowSwap = [&](int row) { return encodeMove(at(row, j), at(row, j + 1)); };
            const auto inBothRows = [&](int k) {
                return (K(i + 1, j) == k || K(i + 1, j + 1) == k) && (K(i + 2, j) == k || K(i + 2, j + 1) == k);
            };
            const int x = K(i, j);
            if (x != kNoKind && inBothRows(x)) {
                if (K(i + 1, j) == x && K(i + 2, j + 1) == x && rowMovable(i + 2)) return rowSwap(i + 2);
                if (K(i + 1, j + 1) == x && K(i + 2, j + 1) == x && rowMovable(i)) return rowSwap(i);
                if (K(i + 2, j) == x && K(i + 1, j + 1) == x && rowMovable(i + 1)) return rowSwap(i + 1);
            }
            const int y = K(i, j + 1);
            if (y != kNoKind && inBothRows(y)) {
                if (K(i + 1, j + 1) == y && K(i + 2, j) == y && rowMovable(i + 2)) return rowSwap(i + 2);
                if (K(i + 2, j) == y && K(i + 1, j) == y && rowMovable(i)) return rowSwap(i);
                if (K(i + 1, j) == y && K(i + 2, j + 1) == y && rowMovable(i + 1)) return rowSwap(i + 1);
            }
        }
    }

    // 4: a row line made by swapping two pieces of one column, in a window of
    // two rows and three columns.
    for (int j = 0; j + 1 < h; ++j) {
        for (int k = 0; k + 2 < w; ++k) {
            const auto colMovable = [&](int col) { return pairMovable(at(j, col), at(j + 1, col)); };
            const auto colSwap = [&](int col) { return encodeMove(at(j, col), at(j + 1, col)); };
            const auto inBothColumns = [&](int kind) {
                return (K(j, k + 1) == kind || K(j + 1, k + 1) == kind) &&
                       (K(j, k + 2) == kind || K(j + 1, k + 2) == kind);
            };
            const int x = K(j, k);
            if (x != kNoKind && inBothColumns(x)) {
                if (K(j, k + 1) == x && K(j + 1, k + 2) == x && colMovable(k + 2)) return colSwap(k + 2);
                if (K(j + 1, k + 2) == x && K(j + 1, k + 1) == x && colMovable(k)) return colSwap(k);
                if (K(j + 1, k + 1) == x && K(j, k + 2) == x && colMovable(k + 1)) return colSwap(k + 1);
            }
            const int y = K(j + 1, k);
            if (y != kNoKind && inBothColumns(y)) {
                if (K(j + 1, k + 1) == y && K(j, k + 2) == y && colMovable(k + 2)) return colSwap(k + 2);
                if (K(j + 1, k + 2) == y && K(j, k + 1) == y && colMovable(k + 1)) return colSwap(k + 1);
                if (K(j, k + 1) == y && K(j, k + 2) == y && colMovable(k)) return colSwap(k);
            }
        }
    }
    return kNoMove;
}

// Cube mode: a swap that completes a 2 x 2 square. The cells of the window
// holding the square's kind are marked for the hint. The swapped pieces must
// both be movable: a locked piece cannot be swapped, and a move that names
// one would let a board with no real move pass as playable.
int findCubeMove(const KindGrid& grid, std::array<bool, kMaxCells>& hintCells) {
    const int w = grid.w;
    const int n = grid.w * grid.h;
    const auto kindAt = [&grid](int cell) { return static_cast<int>(grid.kinds[static_cast<std::size_t>(cell)]); };
    const auto movable = [&grid](int cell) { return grid.movable[static_cast<std::size_t>(cell)]; };

    const auto tryWindow = [&](int i, const int (&offsets)[6], const CubePattern (&patterns)[4], int firstKind,
                               int secondKind) {
        const auto maskOf = [&](int kind) {
            int mask = 0;
            for (int p = 0; p < 6; ++p)
                if (kindAt(i + offsets[p]) == kind) mask |= 1 << p;
            return mask;
        };
        const int kinds[2] = {firstKind, secondKind};
        const int masks[2] = {firstKind == kNoKind ? 0 : maskOf(firstKind),
                              secondKind == kNoKind ? 0 : maskOf(secondKind)};
        for (const CubePattern& pattern : patterns) {
            for (int t = 0; t < 2; ++t) {
                if (kinds[t] == kNoKind || (masks[t] & pattern.mask) != pattern.mask) continue;
                const int a = i + offsets[pattern.first];
                const int b = i + offsets[pattern.second];
                if (!movable(a) || !movable(b)) continue;
                for (int p = 0; p < 6; ++p)
                    if (masks[t] & (1 << p)) hintCells[static_cast<std::size_t>(i + offsets[p])] = true;
                return encodeMove(a, b);
            }
        }
        return kNoMove;
    };

    // A window two wide and three tall; the swap is vertical.
    const int tall[6] = {0, 1, w, w + 1, 2 * w, 2 * w + 1};
    const CubePattern vertical[4] = {
        {bits({1, 2, 4, 5}), 1, 3}, {bits({0, 3, 4, 5}), 0, 2}, {bits({0, 1, 3, 4}), 2, 4}, {bits({0, 1, 2, 5}), 3, 5}};
    for (int i = 0; i + 2 * w < n; ++i) {
        if (i % w > w - 2) continue;
        if (int m = tryWindow(i, tall, vertical, kindAt(i), kindAt(i + 1))) return m;
    }
    // A window three wide and two tall; the swap is horizontal.
    const int wide[6] = {0, 1, 2, w, w + 1, w + 2};
    const CubePattern horizontal[4] = {
        {bits({0, 2, 3, 4}), 1, 2}, {bits({0, 1, 3, 5}), 4, 5}, {bits({0, 2, 4, 5}), 0, 1}, {bits({1, 2, 3, 5}), 3, 4}};
    for (int i = 0; i + w < n; ++i) {
        if (i % w > w - 3) continue;
        if (int m = tryWindow(i, wide, horizontal, kindAt(i), kindAt(i + w))) return m;
    }
    return kNoMove;
}

bool gridHasLine(const KindGrid& grid, bool cube) {
    const int w = grid.w;
    const int h = grid.h;
    const auto kindAt = [&grid](int cell) { return static_cast<int>(grid.kinds[static_cast<std::size_t>(cell)]); };
    if (cube) {
        for (int row = 0; row + 1 < h; ++row) {
            for (int col = 0; col + 1 < w; ++col) {
                const int i = row * w + col;
                const int k = kindAt(i);
                if (k != kNoKind && kindAt(i + 1) == k && kindAt(i + w) == k && kindAt(i + w + 1) == k) return true;
            }
        }
        return false;
    }
    for (int row = 0; row < h; ++row) {
        for (int col = 0; col + 2 < w; ++col) {
            const int i = row * w + col;
            const int k = kindAt(i);
            if (k != kNoKind && kindAt(i + 1) == k && kindAt(i + 2) == k) return true;
        }
    }
    for (int row = 0; row + 2 < h; ++row) {
        for (int col = 0; col < w; ++col) {
            const int i = row * w + col;
            const int k = kindAt(i);
            if (k != kNoKind && kindAt(i + w) == k && kindAt(i + 2 * w) == k) return true;
        }
    }
    return false;
}
