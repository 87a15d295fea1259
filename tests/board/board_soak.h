#pragma once
// The soak: a simple player that takes the move the board's own search finds
// (now and then a random swap instead, to hear it random swaps, or a rainbow,
// a teleport or the wand), plays a
// number of moves in one mode and checks after every move that the board came
// to rest, stands without a line, still has a move where it refills, and
// keeps its pieces in order. A level that ends (won, unplayable, out of time,
// a puzzle without moves) is dealt again.
//
// The board tests run it at a small size; the board_soak program runs it at
// full size.

#include <cstdint>
#include <string>

#include "board/board_types.h"

struct SoakReport {
    int moves = 0;
    int ticks = 0;
    int deals = 0;
    int randomSwaps = 0;
    int undos = 0;
    int waves = 0;
    int specialMoves = 0;  // rainbows, teleports and wands used
    std::string fault;  // empty when every check held
};

SoakReport runSoak(BoardMode mode, int moves, std::uint32_t seed);

const char* boardModeName(BoardMode mode);
