#include "game/puzzle_solver.h"

#include "board/board.h"

namespace {

constexpr int kTickMs = 20;
constexpr int kDragPixels = 25;

}  // namespace

PuzzlePosition PuzzlePosition::fromMap(const MapData& map) {
    PuzzlePosition p;
    p.w = map.w;
    p.h = map.h;
    const std::size_t n = map.cells.size();
    p.active.assign(n, false);
    p.kind.assign(n, kNoKind);
    p.lock.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const MapCell& c = map.cells[i];
        p.active[i] = c.active != 0;
        if (!c.active) continue;
        if (c.piece >= 1 && c.piece <= KindBad + 1) {
            p.kind[i] = static_cast<std::int8_t>(c.piece - 1);
            p.lock[i] = c.lock;
        } else if (c.piece == kMapRaduga) {
            p.kind[i] = KindRaduga;
        }
    }
    return p;
}

PuzzlePosition PuzzlePosition::fromBoard(const Board& board) {
    PuzzlePosition p;
    p.w = board.width();
    p.h = board.height();
    const auto n = static_cast<std::size_t>(board.cellCount());
    p.active.assign(n, false);
    p.kind.assign(n, kNoKind);
    p.lock.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const Cell& c = board.cell(static_cast<int>(i));
        p.active[i] = c.active();
        if (const Piece* piece = c.piece()) {
            p.kind[i] = static_cast<std::int8_t>(piece->kind);
            p.lock[i] = static_cast<std::uint8_t>(piece->lock);
        }
    }
    return p;
}

bool PuzzlePosition::empty() const { return pieceCount() == 0; }

int PuzzlePosition::pieceCount() const {
    int n = 0;
    for (std::int8_t k : kind) n += k != kNoKind ? 1 : 0;
    return n;
}

std::string PuzzlePosition::key() const {
    std::string k;
    k.reserve(kind.size() * 2 + 2);
    k += static_cast<char>(w);
    k += static_cast<char>(h);
    for (std::size_t i = 0; i < kind.size(); ++i) {
        k += static_cast<char>(active[i] ? kind[i] + 2 : 0);
        k += static_cast<char>(lock[i]);
    }
    return k;
}

PuzzleSolver::PuzzleSolver(long nodeBudget)
    : board_(std::make_unique<Board>(nullptr, nullptr)), budget_(nodeBudget) {
    board_->setMode(BoardMode::ModePuzzle);
}

PuzzleSolver::~PuzzleSolver() = default;

void PuzzleSolver::setUp(Board& board, const PuzzlePosition& position) const {
    board.clearLevel();
    board.setMode(BoardMode::ModePuzzle);
    board.setGeometry(0, 0, position.w, position.h);
    for (int i = 0; i < position.w * position.h; ++i) {
        const auto s = static_cast<std::size_t>(i);
        board.setCell(i, position.active[s]);
        if (!position.active[s] || position.kind[s] == kNoKind) continue;
        const int kind = position.kind[s];
        Piece* p = board.putPiece(i, kind, kind == KindRaduga ? SpecialRaduga : SpecialNone);
        if (p) p->lock = position.lock[s];
    }
}

bool runBoardUntilIdle(Board& board, int maxTicks) {
    for (int t = 0; t < maxTicks; ++t) {
        const bool calm = !board.busy();
        board.tick(kTickMs);
        if (calm && !board.busy() && !board.moveMade() && board.swapOrigin() == -1) return true;
    }
    return false;
}

void dragPiece(Board& board, int from, int to) {
    const BoardGeometry& g = board.geometry();
    const int x = g.centreX(from), y = g.centreY(from);
    const int dx = g.centreX(to) > x ? kDragPixels : g.centreX(to) < x ? -kDragPixels : 0;
    const int dy = g.centreY(to) > y ? kDragPixels : g.centreY(to) < y ? -kDragPixels : 0;
    board.onLeftPress(x, y);
    board.onMouseMove(x + dx, y + dy);
    board.onLeftRelease();
}

bool PuzzleSolver::play(const PuzzlePosition& from, const PuzzleMove& move, PuzzlePosition& after) {
    setUp(*board_, from);
    dragPiece(*board_, move.from, move.to);
    if (!runBoardUntilIdle(*board_)) return false;
    after = PuzzlePosition::fromBoard(*board_);
    return after.key() != from.key();
}

std::vector<PuzzleMove> PuzzleSolver::candidateMoves(const PuzzlePosition& p) const {
    std::vector<PuzzleMove> moves;
    const auto free = [&](int i) {
        const auto s = static_cast<std::size_t>(i);
        return p.active[s] && p.kind[s] != kNoKind && p.lock[s] == 0;
    };
    for (int i = 0; i < p.w * p.h; ++i) {
        if (!free(i)) continue;
        const int col = i % p.w;
        const int row = i / p.w;
        for (int j : {col + 1 < p.w ? i + 1 : -1, row + 1 < p.h ? i + p.w : -1}) {
            if (j < 0 || !free(j) || p.kind[static_cast<std::size_t>(i)] == p.kind[static_cast<std::size_t>(j)]) continue;
            moves.push_back({i, j});
        }
    }
    return moves;
}

// Depth first; every position decided is remembered, so a position reached
// by two orders of the same moves is searched once.
bool PuzzleSolver::search(const PuzzlePosition& position, std::vector<PuzzleMove>& path) {
    if (position.empty()) return true;
    const std::string key = position.key();
    if (auto it = solvable_.find(key); it != solvable_.end() && !it->second) return false;
    if (++nodes_ > budget_) return false;
    for (const PuzzleMove& m : candidateMoves(position)) {
        PuzzlePosition next;
        if (!play(position, m, next)) continue;
        path.push_back(m);
        if (search(next, path)) {
            solvable_[key] = true;
            return true;
        }
        path.pop_back();
    }
    if (nodes_ <= budget_) solvable_[key] = false;
    return false;
}

PuzzleReport PuzzleSolver::solve(const PuzzlePosition& start, bool countWinningFirstMoves) {
    PuzzleReport report;
    nodes_ = 0;
    solvable_.clear();
    std::vector<PuzzleMove> path;
    report.solvable = search(start, path);
    report.solution = path;
    if (report.solvable && countWinningFirstMoves) {
        for (const PuzzleMove& m : candidateMoves(start)) {
            PuzzlePosition next;
            if (!play(start, m, next)) continue;
            ++report.firstMoves;
            std::vector<PuzzleMove> rest;
            if (search(next, rest)) ++report.winningFirstMoves;
        }
    }
    report.positionsSeen = static_cast<long>(solvable_.size());
    report.exhausted = nodes_ > budget_;
    return report;
}
