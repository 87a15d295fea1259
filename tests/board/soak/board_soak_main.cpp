// board_soak [MOVES] [SEED]: plays MOVES moves (10000 by default) in every
// mode and says how it went. Exit status 1 if any check failed. Build it with
// the sanitizers on to catch leaks and memory faults along the way.

#include <cstdio>
#include <cstdlib>

#include "board_soak.h"

int main(int argc, char** argv) {
    const int moves = argc > 1 ? std::atoi(argv[1]) : 10000;
    const auto seed = static_cast<std::uint32_t>(argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1);
    int failures = 0;
    for (const BoardMode mode :
         {BoardMode::ModeQuest, BoardMode::ModePuzzle, BoardMode::ModeAction, BoardMode::ModeCube}) {
        const SoakReport r = runSoak(mode, moves, seed);
        std::printf("%-7s %6d moves %8d ticks %5d deals %5d waves %5d random %5d special %4d undos  %s\n",
                    boardModeName(mode), r.moves, r.ticks, r.deals, r.waves, r.randomSwaps, r.specialMoves, r.undos,
                    r.fault.empty() ? "ok" : r.fault.c_str());
        failures += r.fault.empty() && r.moves >= moves ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
