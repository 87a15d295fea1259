#pragma once
// The random numbers of the board, its pieces and the effects: one linear
// congruential generator shared by all three (state * 214013 + 2531011). It
// starts at 125423; the shell seeds it once at start-up with the tick count,
// or with --seed, so a headless run with a fixed seed plays the same game
// every time. The sound system keeps a generator of its own.

#include <cstdint>

void seedBoardRandom(std::uint32_t seed);
std::uint32_t boardRandomState();

// Advances the generator and returns the whole new state (some callers take
// high bits of it directly).
std::uint32_t boardRandomAdvance();
// The usual draw: bits 16..30 of the new state, 0..32767.
int boardRandom();
// A draw in 0..n-1: (n * draw) >> 15. n must lie in 1..65535.
int boardRandomBelow(int n);
// A signed draw: the new state's upper half with its sign, -32768..32767.
int boardRandomSigned();
