#pragma once
// The autoplayer: plays a quest level on the real board the way a steady
// human player would, to measure how hard the levels are. It thinks for
// about two seconds of game time between moves and prefers the swap whose
// lines lie on the most coating (a coated cell is what the quest asks to
// clear), then the longest lines, then the lowest ones, which stir up the
// most cascades.

#include <cstdint>

#include "board/board_tuning.h"
#include "game/level_map.h"

class Board;

struct AutoplayOptions {
    int thinkMs = 2000;  // game time between the board coming to rest and the next swap
    // Wands in hand when the level starts (a new quest gives five for the
    // whole game). The autoplayer, like a player, saves them for a coated
    // cell that no line can reach now; wand plates add to them.
    int wands = 3;
    // The board's speeds; the game's own are in its data (data\common.ini).
    BoardTuning tuning;
};

struct AutoplayResult {
    bool won = false;
    int timeUsedMs = 0;  // level time used until the goal was reached or time ran out
    int moves = 0;
    int coatingLeft = 0;
};

// What the autoplayer does with its turn: swap two neighbours, give an
// armed rainbow piece the kind of a neighbour, or send a teleport piece to
// any cell (the last two are two clicks: the special piece, then the target).
struct AutoplayMove {
    enum class Type { None, Swap, Rainbow, Teleport, Wand };
    Type type = Type::None;
    int from = -1;
    int to = -1;
    bool clearsCoating = false;  // a line of the move lies on coating
};

// The move the autoplayer would make now; Type::None when the board offers
// none. In cube mode, the first swap that completes a 2 x 2 square. `seed` breaks ties between equal moves. With `wandInHand` a move
// that clears no coating gives way to the wand on the most coated cell.
AutoplayMove chooseAutoplayMove(const Board& board, std::uint32_t& seed, bool wandInHand = false);

// Makes the move with the mouse, as a player would. A wand move expects the
// host to report the wand armed (the game's "magic" button).
void makeAutoplayMove(Board& board, const AutoplayMove& move);

// Plays the quest level from the map with the board's random generator
// seeded by `seed`, until the goal holds or the time is up.
AutoplayResult playQuestLevel(const MapData& level, std::uint32_t seed, const AutoplayOptions& options = {});
