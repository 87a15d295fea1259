// puzzle_designer: builds puzzle boards backwards from an empty field and
// keeps those the solver proves. Each step puts a line of three back onto the
// board (the pieces above it are pushed up, as if it had just been removed)
// and then undoes the swap that would make it, by swapping one of its pieces
// with a neighbour. Played forwards, the board is emptied by making those
// swaps in the reverse order, though the player may well find other ways.
// The solver, on the real board, has the last word: it proves each board and
// measures its solution length and its winning first moves. The result is
// printed as a level source, for a designer to place under levels/puzzle/.
//
//   puzzle_designer W H LINES KINDS LOCKS MIN_MOVES MAX_WINNING SEED

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "board/board.h"
#include "game/level_source.h"
#include "game/puzzle_solver.h"

namespace {

// Columns of pieces, bottom first.
struct Stacks {
    int w = 0, h = 0;
    std::vector<std::vector<int>> col;
    int at(int r, int c) const {  // r counted from the bottom
        if (c < 0 || c >= w || r < 0) return kNoKind;
        const auto& s = col[static_cast<std::size_t>(c)];
        return r < static_cast<int>(s.size()) ? s[static_cast<std::size_t>(r)] : kNoKind;
    }
    int height(int c) const { return static_cast<int>(col[static_cast<std::size_t>(c)].size()); }
    bool hasLine() const {
        for (int c = 0; c < w; ++c)
            for (int r = 0; r < h; ++r) {
                const int k = at(r, c);
                if (k == kNoKind) continue;
                if (at(r, c + 1) == k && at(r, c + 2) == k) return true;
                if (at(r + 1, c) == k && at(r + 2, c) == k) return true;
            }
        return false;
    }
};

struct Cell2 {
    int r, c;
};

// Puts a line of `kind` back and swaps one of its pieces away. False (and
// the stacks unchanged) when the chosen place does not work out.
bool unplay(std::mt19937& rng, Stacks& s, int kind) {
    const Stacks before = s;
    std::vector<Cell2> line;
    if (rng() % 2 == 0) {
        const int c = static_cast<int>(rng() % static_cast<unsigned>(s.w - 2));
        int r = static_cast<int>(rng() % static_cast<unsigned>(s.h));
        for (int k = 0; k < 3; ++k) r = std::min(r, s.height(c + k));
        for (int k = 0; k < 3; ++k) {
            if (s.height(c + k) >= s.h) return false;
            auto& col = s.col[static_cast<std::size_t>(c + k)];
            col.insert(col.begin() + r, kind);
            line.push_back({r, c + k});
        }
    } else {
        const int c = static_cast<int>(rng() % static_cast<unsigned>(s.w));
        if (s.height(c) + 3 > s.h) return false;
        const int r = static_cast<int>(rng() % static_cast<unsigned>(s.height(c) + 1));
        auto& col = s.col[static_cast<std::size_t>(c)];
        col.insert(col.begin() + r, 3, kind);
        for (int k = 0; k < 3; ++k) line.push_back({r + k, c});
    }
    const Cell2 from = line[rng() % line.size()];
    static const int kDr[] = {0, 0, 1, -1}, kDc[] = {1, -1, 0, 0};
    const int d = static_cast<int>(rng() % 4);
    const Cell2 to{from.r + kDr[d], from.c + kDc[d]};
    const int other = s.at(to.r, to.c);
    if (other == kNoKind || other == kind) {
        s = before;
        return false;
    }
    std::swap(s.col[static_cast<std::size_t>(from.c)][static_cast<std::size_t>(from.r)],
              s.col[static_cast<std::size_t>(to.c)][static_cast<std::size_t>(to.r)]);
    if (s.hasLine()) {
        s = before;
        return false;
    }
    return true;
}

MapData toMap(const Stacks& s) {
    MapData map;
    map.mode = static_cast<int>(BoardMode::ModePuzzle);
    map.w = s.w;
    map.h = s.h;
    map.x0 = kLevelCentreX - s.w * kCellSize / 2;
    map.y0 = (kLevelTop + kLevelBottom) / 2 - s.h * kCellSize / 2;
    map.timeSeconds = 0;
    map.cells.assign(static_cast<std::size_t>(s.w * s.h), MapCell{1, 0, 0, kMapNoPiece});
    for (int c = 0; c < s.w; ++c)
        for (int r = 0; r < s.height(c); ++r)
            map.cells[static_cast<std::size_t>((s.h - 1 - r) * s.w + c)].piece = static_cast<std::uint8_t>(s.at(r, c) + 1);
    // The outer columns lose the cells high above their pieces to holes,
    // which gives each board a shape of its own.
    for (int c : {0, s.w - 1})
        for (int r = 0; r < s.h - s.height(c) - 2; ++r) map.cells[static_cast<std::size_t>(r * s.w + c)] = MapCell{};
    return map;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 9) {
        std::fprintf(stderr, "usage: puzzle_designer W H LINES KINDS LOCKS MIN_MOVES MAX_WINNING SEED\n");
        return 2;
    }
    const int w = std::atoi(argv[1]), h = std::atoi(argv[2]), lines = std::atoi(argv[3]);
    const int kinds = std::atoi(argv[4]), locks = std::atoi(argv[5]);
    const int minMoves = std::atoi(argv[6]), maxWinning = std::atoi(argv[7]);
    std::mt19937 rng(static_cast<unsigned>(std::atoi(argv[8])));
    for (int attempt = 0; attempt < 300; ++attempt) {
        Stacks s;
        s.w = w;
        s.h = h;
        s.col.assign(static_cast<std::size_t>(w), {});
        // The first swap needs a partner, so the board starts as two lines
        // side by side with one piece traded between them.
        const int a = static_cast<int>(rng() % static_cast<unsigned>(kinds));
        const int b = (a + 1 + static_cast<int>(rng() % static_cast<unsigned>(kinds - 1))) % kinds;
        if (rng() % 2 == 0) {
            const int c = static_cast<int>(rng() % static_cast<unsigned>(w - 1));
            s.col[static_cast<std::size_t>(c)] = {a, a, a};
            s.col[static_cast<std::size_t>(c + 1)] = {b, b, b};
            std::swap(s.col[static_cast<std::size_t>(c)][rng() % 3], s.col[static_cast<std::size_t>(c + 1)][0]);
        } else {
            const int c = static_cast<int>(rng() % static_cast<unsigned>(w - 2));
            for (int k = 0; k < 3; ++k) s.col[static_cast<std::size_t>(c + k)] = {a, b};
            const auto k = rng() % 3;
            std::swap(s.col[static_cast<std::size_t>(c) + k][0], s.col[static_cast<std::size_t>(c) + k][1]);
        }
        if (s.hasLine()) continue;
        int placed = 2;
        for (int tries = 0; tries < 400 && placed < lines; ++tries)
            if (unplay(rng, s, static_cast<int>(rng() % static_cast<unsigned>(kinds)))) ++placed;
        if (placed < lines) continue;
        MapData map = toMap(s);
        // A lock on a piece asks for one more line through it.
        for (int l = 0; l < locks; ++l) {
            std::vector<std::size_t> pieces;
            for (std::size_t i = 0; i < map.cells.size(); ++i)
                if (map.cells[i].active && map.cells[i].piece != kMapNoPiece && map.cells[i].lock == 0) pieces.push_back(i);
            map.cells[pieces[rng() % pieces.size()]].lock = 1;
        }
        PuzzleSolver solver(5000);
        const PuzzlePosition start = PuzzlePosition::fromMap(map);
        const PuzzleReport r = solver.solve(start);
        if (!r.solvable || static_cast<int>(r.solution.size()) < minMoves || r.winningFirstMoves > maxWinning) continue;
        std::printf("# %d moves; %d of %d first moves still win; found on attempt %d\n",
                    static_cast<int>(r.solution.size()), r.winningFirstMoves, r.firstMoves, attempt);
        std::printf("%s", formatLevelSource(map).c_str());
        return 0;
    }
    std::fprintf(stderr, "no puzzle found\n");
    return 1;
}
