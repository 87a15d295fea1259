#include "ui/game_random.h"

namespace {

// The generator's starting state before anything seeds it.
std::uint32_t state = 125423;

std::uint32_t advance() {
    state = state * 214013u + 2531011u;
    return state;
}

}  // namespace

void seedGameRandom(std::uint32_t seed) { state = seed; }

std::uint32_t gameRandomState() { return state; }
std::uint32_t gameRandomAdvance() { return advance(); }

int gameRandom() { return static_cast<int>((advance() >> 16) & 0x7FFF); }

int gameRandomSigned() { return static_cast<std::int16_t>(advance() >> 16); }
