#include "game/autoplayer.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "board/board.h"
#include "board/board_random.h"
#include "board/move_search.h"
#include "game/puzzle_solver.h"

namespace {

constexpr int kTickMs = 20;
// Weight of one layer of coating under a line, against 1 for each piece.
constexpr int kCoatingWeight = 12;

class QuestHost : public NullBoardHost {
public:
    bool wandArmed() const override { return armed; }
    void wandUsed() override {
        armed = false;
        --wands;
    }
    void wandGained() override { ++wands; }
    int wands = 0;
    bool armed = false;
    bool levelCompleteRaised() const override { return levelComplete; }
    void raiseLevelComplete() override { levelComplete = true; }
    void raiseTimeUp() override { timeUp = true; }
    void completeUnplayableLevel() override { unplayable = true; }
    bool levelComplete = false;
    bool timeUp = false;
    bool unplayable = false;
};

struct Grid {
    int w = 0, h = 0;
    std::vector<int> kind;
    int at(int r, int c) const { return r < 0 || c < 0 || r >= h || c >= w ? kNoKind : kind[static_cast<std::size_t>(r * w + c)]; }
};

// The cells of the lines of three or more through (r, c).
void linesThrough(const Grid& g, int r, int c, std::vector<int>& cells) {
    const int k = g.at(r, c);
    if (k == kNoKind) return;
    int left = c, right = c, up = r, down = r;
    while (g.at(r, left - 1) == k) --left;
    while (g.at(r, right + 1) == k) ++right;
    while (g.at(up - 1, c) == k) --up;
    while (g.at(down + 1, c) == k) ++down;
    if (right - left >= 2)
        for (int x = left; x <= right; ++x) cells.push_back(r * g.w + x);
    if (down - up >= 2)
        for (int y = up; y <= down; ++y) cells.push_back(y * g.w + c);
}

std::uint32_t nextSeed(std::uint32_t& s) {
    s = s * 1664525u + 1013904223u;
    return s >> 8;
}

// A line-making swap of the grid whose lines lie on coating, counted; the
// grid's cells with `coated` set are the ones still to clear.
int coatingMovesIn(const Grid& g, const std::vector<bool>& coated, const std::vector<bool>& movable) {
    Grid t = g;
    std::vector<int> cells;
    int count = 0;
    const int n = g.w * g.h;
    for (int a = 0; a < n; ++a) {
        if (!movable[static_cast<std::size_t>(a)] || t.kind[static_cast<std::size_t>(a)] == kNoKind) continue;
        for (int b : {a % g.w + 1 < g.w ? a + 1 : -1, a / g.w + 1 < g.h ? a + g.w : -1}) {
            if (b < 0 || !movable[static_cast<std::size_t>(b)] || t.kind[static_cast<std::size_t>(b)] == kNoKind) continue;
            std::swap(t.kind[static_cast<std::size_t>(a)], t.kind[static_cast<std::size_t>(b)]);
            cells.clear();
            linesThrough(t, a / g.w, a % g.w, cells);
            linesThrough(t, b / g.w, b % g.w, cells);
            std::swap(t.kind[static_cast<std::size_t>(a)], t.kind[static_cast<std::size_t>(b)]);
            for (int c : cells)
                if (coated[static_cast<std::size_t>(c)]) {
                    ++count;
                    break;
                }
        }
    }
    return count;
}

// The grid after a swap's lines have gone and the pieces above have fallen;
// what the board will deal in their place is not known yet (kNoKind).
Grid afterSwap(const Grid& g, const std::vector<bool>& active, int a, int b) {
    Grid t = g;
    std::swap(t.kind[static_cast<std::size_t>(a)], t.kind[static_cast<std::size_t>(b)]);
    std::vector<int> cells;
    linesThrough(t, a / g.w, a % g.w, cells);
    linesThrough(t, b / g.w, b % g.w, cells);
    for (int c : cells) t.kind[static_cast<std::size_t>(c)] = kNoKind;
    for (int col = 0; col < g.w; ++col) {
        int write = g.h - 1;
        for (int row = g.h - 1; row >= 0; --row) {
            const auto i = static_cast<std::size_t>(row * g.w + col);
            if (!active[i]) {
                write = row - 1;
                continue;
            }
            if (t.kind[i] == kNoKind) continue;
            const int k = t.kind[i];
            t.kind[i] = kNoKind;
            t.kind[static_cast<std::size_t>(write * g.w + col)] = k;
            --write;
        }
    }
    return t;
}

}  // namespace

namespace {

// What a move is worth: each piece in the lines it makes, and much more for
// each layer of coating (or plate) under them. Moving a rainbow or bad piece
// off a coated cell is worth something too, since nothing else clears it.
class MoveRater {
public:
    MoveRater(const Board& board, std::uint32_t& seed) : board_(board), seed_(seed) {
        g_.w = board.width();
        g_.h = board.height();
        g_.kind.resize(static_cast<std::size_t>(g_.w * g_.h));
        for (int i = 0; i < g_.w * g_.h; ++i) g_.kind[static_cast<std::size_t>(i)] = board.kindAt(i);
    }

    // Rates the grid with kinds of `a` and `b` set as given, restoring it.
    void consider(AutoplayMove move, int a, int kindA, int b, int kindB) {
        const int oldA = g_.kind[static_cast<std::size_t>(a)];
        const int oldB = b >= 0 ? g_.kind[static_cast<std::size_t>(b)] : 0;
        g_.kind[static_cast<std::size_t>(a)] = kindA;
        if (b >= 0) g_.kind[static_cast<std::size_t>(b)] = kindB;
        cells_.clear();
        linesThrough(g_, a / g_.w, a % g_.w, cells_);
        if (b >= 0) linesThrough(g_, b / g_.w, b % g_.w, cells_);
        g_.kind[static_cast<std::size_t>(a)] = oldA;
        if (b >= 0) g_.kind[static_cast<std::size_t>(b)] = oldB;
        if (cells_.empty()) return;
        // A line of bad pieces made on purpose leaves coating behind.
        for (int cell : cells_)
            if (cellKindAfter(cell, a, kindA, b, kindB) == KindBad) return;
        long score = 0;
        for (int cell : cells_) score += 1 + coatingValue(cell);
        if (move.type == AutoplayMove::Type::Swap)
            for (int cell : {move.from, move.to})
                if (stuckOnCoating(cell)) score += kCoatingWeight / 2;
        // The lower the move, the more it stirs; the random part breaks ties.
        score = score * 64 + (std::max(a, b) / g_.w) * 4 + static_cast<long>(nextSeed(seed_) % 4);
        if (score > bestScore_) {
            bestScore_ = score;
            best_ = move;
            best_.clearsCoating = false;
            for (int cell : cells_) best_.clearsCoating = best_.clearsCoating || coatingValue(cell) > 0;
        }
    }

    int kind(int cell) const { return g_.kind[static_cast<std::size_t>(cell)]; }
    int cellKindAfter(int cell, int a, int kindA, int b, int kindB) const {
        return cell == a ? kindA : cell == b ? kindB : kind(cell);
    }
    const AutoplayMove& best() const { return best_; }
    const Grid& grid() const { return g_; }

private:
    int coatingValue(int cell) const {
        const int coat = board_.cell(cell).coating();
        if (coat == CoatSingle || coat == CoatDouble) return kCoatingWeight * coat;
        return coat > 0 ? kCoatingWeight : 0;
    }
    bool stuckOnCoating(int cell) const {
        const int k = kind(cell);
        return (k == KindBad || k == KindRaduga) && board_.cell(cell).coating() != CoatNone;
    }

    const Board& board_;
    std::uint32_t& seed_;
    Grid g_;
    std::vector<int> cells_;
    AutoplayMove best_;
    long bestScore_ = -1;
};

}  // namespace

namespace {

// Cube mode scores 2 x 2 squares, not lines: the board's own search finds
// the swap that completes one.
AutoplayMove chooseCubeMove(const Board& board) {
    KindGrid grid;
    grid.w = board.width();
    grid.h = board.height();
    for (int i = 0; i < board.cellCount(); ++i) {
        grid.kinds[static_cast<std::size_t>(i)] = static_cast<std::int8_t>(board.kindAt(i));
        grid.movable[static_cast<std::size_t>(i)] = board.movable(i);
    }
    std::array<bool, kMaxCells> hint{};
    const int move = findCubeMove(grid, hint);
    if (move == kNoMove) return {};
    return {AutoplayMove::Type::Swap, moveFirst(move), moveSecond(move), false};
}

}  // namespace

AutoplayMove chooseAutoplayMove(const Board& board, std::uint32_t& seed, bool wandInHand) {
    if (board.mode() == BoardMode::ModeCube) return chooseCubeMove(board);
    MoveRater rate(board, seed);
    const int w = board.width(), n = board.cellCount();
    using Type = AutoplayMove::Type;
    for (int a = 0; a < n; ++a) {
        if (!board.movable(a)) continue;
        const int ka = rate.kind(a);
        const int special = board.pieceAt(a)->special;
        for (int b : {a % w + 1 < w ? a + 1 : -1, a / w + 1 < board.height() ? a + w : -1}) {
            if (b < 0 || !board.movable(b) || ka == rate.kind(b)) continue;
            rate.consider({Type::Swap, a, b}, a, rate.kind(b), b, ka);
        }
        if (special == SpecialRaduga) {
            for (int b : {a - 1, a + 1, a - w, a + w}) {
                if (!board.isAdjacent(a, b) || !board.movable(b)) continue;
                const int kb = rate.kind(b);
                if (kb == KindRaduga || kb == kNoKind) continue;
                rate.consider({Type::Rainbow, a, b}, a, kb, -1, 0);
            }
        } else if (special == SpecialTeleport) {
            for (int b = 0; b < n; ++b)
                if (b != a && board.movable(b) && rate.kind(b) != ka) rate.consider({Type::Teleport, a, b}, a, rate.kind(b), b, ka);
        }
    }
    if (rate.best().clearsCoating || rate.best().type == Type::None) return rate.best();
    // No line reaches a coating now: look one move further, and take the
    // swap after which the most swaps would.
    std::vector<bool> coated(static_cast<std::size_t>(n)), movable(static_cast<std::size_t>(n)), active(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        coated[static_cast<std::size_t>(i)] = board.cell(i).coating() != CoatNone;
        movable[static_cast<std::size_t>(i)] = board.movable(i);
        active[static_cast<std::size_t>(i)] = board.cell(i).active();
    }
    AutoplayMove ahead = rate.best();
    int mostAhead = -1000;
    for (int a = 0; a < n; ++a) {
        if (!board.movable(a) || board.pieceAt(a)->special != SpecialNone) continue;
        for (int b : {a % w + 1 < w ? a + 1 : -1, a / w + 1 < board.height() ? a + w : -1}) {
            if (b < 0 || !board.movable(b) || rate.kind(a) == rate.kind(b)) continue;
            Grid t = rate.grid();
            std::swap(t.kind[static_cast<std::size_t>(a)], t.kind[static_cast<std::size_t>(b)]);
            std::vector<int> cells;
            linesThrough(t, a / w, a % w, cells);
            linesThrough(t, b / w, b % w, cells);
            if (cells.empty()) continue;
            // Failing that, a player stirs the pieces nearest the coating.
            int nearest = w + board.height();
            for (int c = 0; c < n; ++c) {
                if (!coated[static_cast<std::size_t>(c)]) continue;
                for (int l : cells) nearest = std::min(nearest, std::abs(c % w - l % w) + std::abs(c / w - l / w));
            }
            const int count = coatingMovesIn(afterSwap(rate.grid(), active, a, b), coated, movable);
            const int value = count * 100 - nearest;
            if (value > mostAhead) {
                mostAhead = value;
                ahead = {Type::Swap, a, b, false};
            }
        }
    }
    if (mostAhead >= 100 || !wandInHand) return ahead;
    AutoplayMove wand{Type::Wand, -1, -1, true};
    int mostCoating = 0;
    for (int a = 0; a < n; ++a) {
        const int coat = board.cell(a).coating();
        if (board.movable(a) && coat > mostCoating) {
            mostCoating = coat;
            wand.from = wand.to = a;
        }
    }
    return wand.from >= 0 ? wand : rate.best();
}

void makeAutoplayMove(Board& board, const AutoplayMove& move) {
    const BoardGeometry& g = board.geometry();
    const auto click = [&](int cell) {
        board.onLeftPress(g.centreX(cell), g.centreY(cell));
        board.onLeftRelease();
    };
    switch (move.type) {
        case AutoplayMove::Type::Swap: {
            // Pressing a rainbow or teleport piece arms it instead of
            // picking it up, so the drag starts from the plain piece.
            const Piece* p = board.pieceAt(move.from);
            const bool fromIsSpecial = p && p->special != SpecialNone;
            if (fromIsSpecial) {
                dragPiece(board, move.to, move.from);
            } else {
                dragPiece(board, move.from, move.to);
            }
            break;
        }
        case AutoplayMove::Type::Rainbow:
        case AutoplayMove::Type::Teleport:
            click(move.from);
            click(move.to);
            break;
        case AutoplayMove::Type::Wand: click(move.from); break;
        case AutoplayMove::Type::None: break;
    }
}

AutoplayResult playQuestLevel(const MapData& level, std::uint32_t seed, const AutoplayOptions& options) {
    QuestHost host;
    host.wands = options.wands;
    Board board(&host, nullptr, options.tuning);
    board.setMode(BoardMode::ModeQuest);
    applyMap(board, level);
    seedBoardRandom(seed);
    board.resetTimeLeft();
    board.fillEmptyCells();
    board.setupFill();

    AutoplayResult result;
    std::uint32_t choice = seed ^ 0x9E3779B9u;
    int restMs = 0;
    // A quest level ends on the board's own signals: the goal, or time up.
    const int maxTicks = board.timeTotal() / kTickMs + 2000;
    for (int t = 0; t < maxTicks && !host.levelComplete && !host.timeUp && !host.unplayable; ++t) {
        board.tick(kTickMs);
        const bool resting = !board.busy() && !board.moveMade() && board.swapOrigin() == -1;
        restMs = resting ? restMs + kTickMs : 0;
        if (restMs < options.thinkMs || board.goalReached()) continue;
        const AutoplayMove move = chooseAutoplayMove(board, choice, host.wands > 0);
        if (move.type == AutoplayMove::Type::None) continue;
        host.armed = move.type == AutoplayMove::Type::Wand;
        makeAutoplayMove(board, move);
        ++result.moves;
        restMs = 0;
    }
    result.won = host.levelComplete;
    result.timeUsedMs = board.timeTotal() - (board.timeLeft() > 0 ? board.timeLeft() : 0);
    result.coatingLeft = board.coatRemaining();
    return result;
}
