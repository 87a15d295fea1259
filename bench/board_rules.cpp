// What the board's rules cost on a full 8 x 9 board of seven kinds, each
// beside a simple way of doing the same job, measured in the same run:
//
//   findMove     vs. copying the kinds out, trying every swap of two
//                neighbours and looking for a line through the two cells
//   hasLine      vs. walking the run from every cell to the right and down
//   a busy tick  vs. a plain tick: move every piece and rescan the whole
//                board for lines, as a simple game would each frame
//   a whole move (swap to rest, every wave) vs. the game time it spans
//
// The boards are dealt the way a level starts, so they hold no line; a
// third of them hold no move at all (the searches then look everywhere).

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "board/board.h"
#include "board/board_random.h"

namespace {

constexpr int kW = 8;
constexpr int kH = 9;
constexpr int kCells = kW * kH;
constexpr int kTick = 20;
constexpr int kBoards = 48;

// A plain copy of what the simple references look at.
struct Grid {
    std::array<int, kCells> kind{};
    std::array<bool, kCells> movable{};
};

std::unique_ptr<Board> dealBoard(std::uint32_t seed) {
    seedBoardRandom(seed);
    auto board = std::make_unique<Board>(nullptr, nullptr);
    board->setMode(BoardMode::ModeAction);
    board->setGeometry(250, 70, kW, kH);
    board->setKestTable({1, 1, 1, 1, 1, 1, 1, 0, 0, 0});
    for (int i = 0; i < kCells; ++i) board->setCell(i, true);
    board->fillEmptyCells();
    board->setupFill();
    return board;
}

// Seven kinds in a pattern that repeats every seven cells along a row and
// steps by three from row to row: no two alike come close enough for a move.
void removeEveryMove(Board& board) {
    for (int i = 0; i < kCells; ++i) board.pieceAt(i)->kind = (i % kW + 3 * (i / kW)) % 7;
    if (board.findMove() != kNoMove || board.hasLine()) std::fprintf(stderr, "the moveless board has a move\n");
}

Grid gridOf(const Board& board) {
    Grid g;
    for (int i = 0; i < kCells; ++i) {
        g.kind[i] = board.kindAt(i);
        g.movable[i] = board.movable(i);
    }
    return g;
}

struct Boards {
    std::vector<std::unique_ptr<Board>> boards;
    std::vector<Grid> grids;  // for the plain tick
    Boards() {
        for (int b = 0; b < kBoards; ++b) {
            boards.push_back(dealBoard(1000 + static_cast<std::uint32_t>(b)));
            if (b % 3 == 2) removeEveryMove(*boards.back());
            grids.push_back(gridOf(*boards.back()));
        }
    }
};

Boards& boards() {
    static Boards all;
    return all;
}

// The length of the run of one kind through `cell` along a direction.
int runThrough(const Grid& g, int cell, int dc, int dr) {
    const int kind = g.kind[cell];
    if (kind < 0) return 0;
    int n = 1;
    for (int s = -1; s <= 1; s += 2) {
        int c = cell % kW + s * dc, r = cell / kW + s * dr;
        while (c >= 0 && c < kW && r >= 0 && r < kH && g.kind[r * kW + c] == kind) ++n, c += s * dc, r += s * dr;
    }
    return n;
}

int naiveFindMove(Grid g) {
    for (int a = 0; a < kCells; ++a) {
        for (const int b : {a + 1, a + kW}) {
            if (b >= kCells || (b == a + 1 && b % kW == 0) || !g.movable[a] || !g.movable[b]) continue;
            std::swap(g.kind[a], g.kind[b]);
            const bool line = runThrough(g, a, 1, 0) >= 3 || runThrough(g, a, 0, 1) >= 3 ||
                              runThrough(g, b, 1, 0) >= 3 || runThrough(g, b, 0, 1) >= 3;
            std::swap(g.kind[a], g.kind[b]);
            if (line) return a * 1000 + b;
        }
    }
    return 0;
}

// Both references read the board through its public queries, as the real
// search has to; the brute force copies the kinds out first so it can swap.
template <class KindOf>
bool naiveHasLine(KindOf kindOf) {
    for (int i = 0; i < kCells; ++i) {
        const int kind = kindOf(i);
        if (kind < 0) continue;
        int right = 1, down = 1;
        for (int c = i % kW + 1; c < kW && kindOf(i / kW * kW + c) == kind; ++c) ++right;
        for (int r = i / kW + 1; r < kH && kindOf(r * kW + i % kW) == kind; ++r) ++down;
        if (right >= 3 || down >= 3) return true;
    }
    return false;
}

void BM_FindMove(benchmark::State& state) {
    Boards& all = boards();
    int found = 0;
    for (auto _ : state) {
        for (auto& b : all.boards) found += b->findMove() != kNoMove;
    }
    benchmark::DoNotOptimize(found);
    state.SetItemsProcessed(state.iterations() * kBoards);
}
BENCHMARK(BM_FindMove);

void BM_FindMoveNaive(benchmark::State& state) {
    Boards& all = boards();
    int found = 0;
    for (auto _ : state) {
        for (auto& b : all.boards) found += naiveFindMove(gridOf(*b)) != 0;
    }
    benchmark::DoNotOptimize(found);
    state.SetItemsProcessed(state.iterations() * kBoards);
}
BENCHMARK(BM_FindMoveNaive);

void BM_HasLine(benchmark::State& state) {
    Boards& all = boards();
    int lines = 0;
    for (auto _ : state) {
        for (auto& b : all.boards) lines += b->hasLine();
    }
    benchmark::DoNotOptimize(lines);
}
BENCHMARK(BM_HasLine);

void BM_HasLineNaive(benchmark::State& state) {
    Boards& all = boards();
    int lines = 0;
    for (auto _ : state) {
        for (auto& b : all.boards) lines += naiveHasLine([&b](int i) { return b->kindAt(i); });
    }
    benchmark::DoNotOptimize(lines);
}
BENCHMARK(BM_HasLineNaive);

using Clock = std::chrono::steady_clock;

// Times only the ticks that start busy, over whole moves; reports the mean.
void BM_BusyTick(benchmark::State& state) {
    std::uint32_t seed = 1;
    for (auto _ : state) {
        auto board = dealBoard(seed++);
        const int move = board->findMove();
        board->startSwap(moveFirst(move), moveSecond(move));
        double busySeconds = 0;
        int busyTicks = 0;
        for (int t = 0; t < 2000 && (board->busy() || board->moveMade()); ++t) {
            const bool busy = board->busy();
            const auto start = Clock::now();
            board->tick(kTick);
            const auto end = Clock::now();
            if (busy) busySeconds += std::chrono::duration<double>(end - start).count(), ++busyTicks;
        }
        state.SetIterationTime(busySeconds / (busyTicks ? busyTicks : 1));
    }
}
BENCHMARK(BM_BusyTick)->UseManualTime();

// A simple tick: every piece moves, the whole board is rescanned for lines
// (from a flat array of kinds, which such a game would keep).
struct PlainPiece {
    float x, y, vx, vy, w, h;
};

void BM_BusyTickPlain(benchmark::State& state) {
    std::vector<PlainPiece> pieces(kCells);
    for (int i = 0; i < kCells; ++i) pieces[i] = {float(i % kW * 48), float(i / kW * 48), 0.001f * i, 0.1f, 44, 44};
    const Grid g = boards().grids[0];
    int lines = 0;
    for (auto _ : state) {
        for (PlainPiece& p : pieces) {
            p.vy += 0.0005f * kTick;
            p.x += kTick * p.vx;
            p.y += kTick * p.vy;
            p.w -= 0.001f;
            p.h -= 0.001f;
        }
        benchmark::DoNotOptimize(pieces.data());
        lines += naiveHasLine([&g](int i) { return g.kind[static_cast<std::size_t>(i)]; });
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(lines);
}
BENCHMARK(BM_BusyTickPlain);

// A whole move: the search's move on a dealt board, from the swap until the
// board rests again, every wave, fall, birth and re-roll included.
void BM_WholeMove(benchmark::State& state) {
    std::uint32_t seed = 1;
    long totalTicks = 0;
    for (auto _ : state) {
        auto board = dealBoard(seed++);
        const auto start = Clock::now();
        const int move = board->findMove();
        board->startSwap(moveFirst(move), moveSecond(move));
        int ticks = 0;
        for (bool idle = false; !idle && ticks < 2000; ++ticks) {
            const bool calm = !board->busy();
            board->tick(kTick);
            idle = calm && !board->busy() && !board->moveMade();
        }
        const auto end = Clock::now();
        totalTicks += ticks;
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    state.counters["ticks"] = benchmark::Counter(static_cast<double>(totalTicks), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WholeMove)->UseManualTime();

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
            seconds[run.benchmark_name()] = run.GetAdjustedRealTime() * 1e-9;  // reported in nanoseconds
            const auto ticks = run.counters.find("ticks");
            if (ticks != run.counters.end()) moveTicks = ticks->second.value;
        }
    }
    double of(const std::string& prefix) const {
        for (const auto& [name, s] : seconds)
            if (name.rfind(prefix, 0) == 0 && (name.size() == prefix.size() || name[prefix.size()] == '/')) return s;
        return 0;
    }
    std::map<std::string, double> seconds;
    double moveTicks = 0;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double find = reporter.of("BM_FindMove"), findNaive = reporter.of("BM_FindMoveNaive");
    const double has = reporter.of("BM_HasLine"), hasNaive = reporter.of("BM_HasLineNaive");
    const double tick = reporter.of("BM_BusyTick"), tickPlain = reporter.of("BM_BusyTickPlain");
    const double move = reporter.of("BM_WholeMove");
    if (find > 0 && findNaive > 0)
        std::printf("findMove:   %8.3f us per board, brute force over every swap %8.3f us: ratio %.2f\n",
                    find * 1e6 / kBoards, findNaive * 1e6 / kBoards, find / findNaive);
    if (has > 0 && hasNaive > 0)
        std::printf("hasLine:    %8.3f us per board, walking every run %8.3f us: ratio %.2f\n", has * 1e6 / kBoards,
                    hasNaive * 1e6 / kBoards, has / hasNaive);
    if (tick > 0 && tickPlain > 0)
        std::printf("busy tick:  %8.3f us, plain move-and-rescan tick %8.3f us: ratio %.2f; %.4f%% of its 20 ms\n",
                    tick * 1e6, tickPlain * 1e6, tick / tickPlain, tick / 0.020 * 100);
    if (move > 0 && reporter.moveTicks > 0)
        std::printf("whole move: %8.1f us over %.0f ticks (%.0f ms of play): %.5f of real time, %.2f plain ticks' worth\n",
                    move * 1e6, reporter.moveTicks, reporter.moveTicks * kTick, move / (reporter.moveTicks * 0.020),
                    tickPlain > 0 ? move / (tickPlain * reporter.moveTicks) : 0.0);
    return 0;
}
