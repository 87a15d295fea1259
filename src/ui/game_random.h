#pragma once
// The random numbers of the board, its pieces and the effects: one linear
// congruential generator (state * 214013 + 2531011), seeded at start-up from
// the tick count or the harness's --seed, so a headless run with a fixed seed
// is the same every time. The sound system keeps a generator of its own.

#include <cstdint>

void seedGameRandom(std::uint32_t seed);
std::uint32_t gameRandomState();
// Steps the generator once and returns the new state.
std::uint32_t gameRandomAdvance();

// The usual draw: the new state's bits 16..30, 0..32767.
int gameRandom();
// A signed draw: the new state's upper half with its sign, -32768..32767.
int gameRandomSigned();
