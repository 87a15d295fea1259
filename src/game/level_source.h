#pragma once
// Level sources: the readable text a level is kept in (levels/**/*.txt),
// compiled into map files by tools/levelc. docs/levels.md describes the
// format; in short:
//
//   # a comment
//   mode quest            quest | puzzle | action | cube
//   size 7 8              columns rows
//   origin 264 104        optional; centred on x = 432 inside y 64..528
//   time 150              seconds (0 keeps the time already running)
//   kinds 0 1 2 3 4 b     kinds new pieces may take; b the bad piece
//   teleport 0            per mille of new pieces
//   rainbow 0             per mille of new pieces
//   ground                then one row per line: # hole, . field,
//                         1 / 2 coating, s score plate, w wand plate
//   pieces                optional: . none, 0-7 kind, b bad, r rainbow,
//                         A-H a teleport of kind 0-7
//   locks                 optional: . none, 1-9 the lock of the piece there
//   solution 12-13 4-5    puzzles: a way to empty the board, as swaps of
//                         cell indices (row * columns + column)
//
// Spaces inside a row are ignored, so rows may be spread out.

#include <string>
#include <vector>

#include "game/level_map.h"

// The field every level's layout keeps to, so that the frame, the gem
// collector above it and the time bar below it never cover a cell.
constexpr int kLevelMaxColumns = 8;
constexpr int kLevelMaxRows = 9;
constexpr int kLevelCentreX = 432;
constexpr int kLevelTop = 64;
constexpr int kLevelBottom = 528;

// A swap of two neighbouring cells, by index.
struct LevelMove {
    int from = 0;
    int to = 0;
};

// Parses a level source. On failure `error` reads "name:line: what is wrong"
// and `out` is untouched. A puzzle's recorded solution goes to `solution`
// when asked for.
bool parseLevelSource(const std::string& text, const std::string& name, MapData& out, std::string& error,
                      std::vector<LevelMove>* solution = nullptr);

// Empty when the map keeps the level layout above; else what it breaks.
std::string layoutContractViolation(const MapData& map);

// The map as level source text (the form parseLevelSource reads back).
std::string formatLevelSource(const MapData& map);
