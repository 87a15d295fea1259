#pragma once
// The small vocabulary every board file shares: modes, piece kinds and
// specials, coatings, and the fixed sizes of the grid.

#include <cstdint>

// Board modes as the level maps and the game screen number them.
enum class BoardMode : int {
    ModeQuest = 0,
    ModePuzzle = 1,
    ModeAction = 2,
    ModeCube = 4,
};

// Piece kinds: 0..7 are the eight ordinary kinds. Two pieces match when their
// kinds are equal, so three rainbow pieces in a line match each other.
constexpr int kOrdinaryKinds = 8;
constexpr int KindBad = 8;
constexpr int KindRaduga = 10;
// What kindAt reports for a hole or an empty cell; it never matches.
constexpr int kNoKind = -1;

constexpr int SpecialNone = 0;
constexpr int SpecialTeleport = 11;
constexpr int SpecialRaduga = 12;

constexpr int CoatNone = 0;
constexpr int CoatSingle = 1;
constexpr int CoatDouble = 2;
constexpr int CoatScoreBonus = 3;
constexpr int CoatWandBonus = 4;

constexpr int kCellSize = 48;
constexpr int kMaxColumns = 14;
constexpr int kMaxRows = 10;
// The cell array always holds this many; a map's w*h must fit in it.
constexpr int kMaxCells = kMaxColumns * kMaxRows;

// Entries of the generation tables a level map carries.
constexpr int kKestTableSize = 10;
constexpr int kBonusTableSize = 5;

// A move is first*1000 + second; 0 means none (a real move never encodes as 0
// because its two cells differ).
constexpr int kNoMove = 0;
inline int encodeMove(int first, int second) { return first * 1000 + second; }
inline int moveFirst(int move) { return move / 1000; }
inline int moveSecond(int move) { return move % 1000; }

// The tutorial's cards, each shown at most once per game. The number is
// the section of the mode's tutorial texts that holds the card's lines.
enum class TutorialEntry : int {
    FirstMove = 0,    // the board rests with a move to make
    LastSeconds = 1,  // a quest level's clock is nearly out
    Coating = 2,      // a coating layer or a bonus plate flies off
    FailedSwap = 3,   // a swap went back for want of a line
};
