#include "board/board_random.h"

#include "ui/game_random.h"

// The board, its pieces and the effects share one generator; the board's
// names for it only add the draws the rules need.
void seedBoardRandom(std::uint32_t seed) { seedGameRandom(seed); }
std::uint32_t boardRandomState() { return gameRandomState(); }
std::uint32_t boardRandomAdvance() { return gameRandomAdvance(); }
int boardRandom() { return gameRandom(); }
int boardRandomBelow(int n) { return static_cast<int>((static_cast<std::int64_t>(n) * boardRandom()) >> 15); }
int boardRandomSigned() { return gameRandomSigned(); }
