#include "game/puzzle_solver.h"

#include <algorithm>
#include <array>

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

namespace {

bool ordinary(int kind) { return kind >= 0 && kind < kOrdinaryKinds; }

// The length of the run of `kind` through cell (col, row) along (dc, dr).
int runThrough(const PuzzlePosition& p, const std::vector<std::int8_t>& kinds, int col, int row, int dc, int dr) {
    const int kind = kinds[static_cast<std::size_t>(row * p.w + col)];
    int length = 1;
    for (int sign : {-1, 1}) {
        int c = col + sign * dc, r = row + sign * dr;
        while (c >= 0 && c < p.w && r >= 0 && r < p.h && kinds[static_cast<std::size_t>(r * p.w + c)] == kind) {
            ++length;
            c += sign * dc;
            r += sign * dr;
        }
    }
    return length;
}

}  // namespace

bool PuzzleSolver::mayMakeLine(const PuzzlePosition& p, const PuzzleMove& move) {
    const auto a = static_cast<std::size_t>(move.from), b = static_cast<std::size_t>(move.to);
    if (!ordinary(p.kind[a]) || !ordinary(p.kind[b])) return true;
    std::vector<std::int8_t> kinds = p.kind;
    std::swap(kinds[a], kinds[b]);
    for (int cell : {move.from, move.to}) {
        const int col = cell % p.w, row = cell / p.w;
        if (runThrough(p, kinds, col, row, 1, 0) >= 3 || runThrough(p, kinds, col, row, 0, 1) >= 3) return true;
    }
    return false;
}

bool PuzzleSolver::hopeless(const PuzzlePosition& p) {
    std::array<int, kOrdinaryKinds> count{};
    for (std::int8_t k : p.kind) {
        if (k == kNoKind) continue;
        if (!ordinary(k)) return false;  // a special piece may remove pieces its own way
        ++count[static_cast<std::size_t>(k)];
    }
    return std::any_of(count.begin(), count.end(), [](int n) { return n == 1 || n == 2; });
}

// Breadth first: every position one move from the start, then every one two
// moves away, and so on, each reached first by the fewest moves. The first
// empty board found therefore ends a shortest solution, and the search has
// proven that no shorter one exists.
bool PuzzleSolver::searchShortest(const PuzzlePosition& start, std::vector<PuzzleMove>& solution, long& seen) {
    struct Reached {
        std::string from;  // the position this one was first reached from
        PuzzleMove move;
        bool isStart = false;
    };
    std::unordered_map<std::string, Reached> reached;
    reached[start.key()] = Reached{{}, {}, true};
    if (start.empty()) return true;
    std::vector<PuzzlePosition> frontier{start};
    while (!frontier.empty()) {
        std::vector<PuzzlePosition> next;
        for (const PuzzlePosition& position : frontier) {
            const std::string key = position.key();
            for (const PuzzleMove& m : candidateMoves(position)) {
                if (!mayMakeLine(position, m)) continue;
                if (++nodes_ > budget_) return false;
                PuzzlePosition after;
                if (!play(position, m, after)) continue;
                std::string afterKey = after.key();
                if (!reached.emplace(afterKey, Reached{key, m, false}).second) continue;
                seen = static_cast<long>(reached.size());
                if (after.empty()) {
                    for (auto it = reached.find(afterKey); !it->second.isStart; it = reached.find(it->second.from))
                        solution.push_back(it->second.move);
                    std::reverse(solution.begin(), solution.end());
                    return true;
                }
                if (!hopeless(after)) next.push_back(std::move(after));
            }
        }
        frontier = std::move(next);
    }
    return false;
}

// Depth first; every position decided is remembered, so a position reached
// by two orders of the same moves is searched once.
bool PuzzleSolver::search(const PuzzlePosition& position, std::vector<PuzzleMove>& path) {
    if (position.empty()) return true;
    const std::string key = position.key();
    if (auto it = solvable_.find(key); it != solvable_.end() && !it->second) return false;
    if (hopeless(position)) return false;
    if (++nodes_ > budget_) return false;
    for (const PuzzleMove& m : candidateMoves(position)) {
        PuzzlePosition next;
        if (!mayMakeLine(position, m) || !play(position, m, next)) continue;
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
    report.solvable = searchShortest(start, report.solution, report.positionsSeen);
    report.exhausted = nodes_ > budget_;
    if (report.solvable && countWinningFirstMoves) {
        // The count has a budget of its own.
        nodes_ = 0;
        for (const PuzzleMove& m : candidateMoves(start)) {
            PuzzlePosition next;
            if (!mayMakeLine(start, m) || !play(start, m, next)) continue;
            ++report.firstMoves;
            std::vector<PuzzleMove> rest;
            if (search(next, rest)) ++report.winningFirstMoves;
        }
    }
    report.exhausted = report.exhausted || nodes_ > budget_;
    return report;
}
