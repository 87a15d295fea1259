#pragma once
// Level maps: every level of every mode, and every game saved in the middle
// of a level, in the game's own byte format. A small header (origin, size,
// the generation tables, the time) and four bytes per cell:
//
//   "GEM\0" x0:u16 y0:u16 w h mode "KESTS\0" kest[10] "BONUSES\0" bonus[5]
//   time:u16 reserved[8] "BODY\0" then w*h cells of
//   { active, coating, lock (a teleport's kind), piece }
//
// piece: 0 or 10 none, 1..9 kind + 1 (9 the bad piece), 11 a rainbow, 12 a
// teleport whose kind is the lock byte. Numbers are big-endian.
//
// A file is decoded whole into a MapData before the board is touched, so a
// short, oversized or damaged file is refused and the board stays exactly as
// it was.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "board/board_types.h"

class Board;

// Byte values of a cell record's piece field.
constexpr int kMapNoPiece = 10;
constexpr int kMapRaduga = 11;
constexpr int kMapTeleport = 12;

struct MapCell {
    std::uint8_t active = 0;   // 0 a hole
    std::uint8_t coating = 0;  // 0..4
    std::uint8_t lock = 0;     // lock level, or a teleport's kind
    std::uint8_t piece = 0;    // see above

    friend bool operator==(const MapCell&, const MapCell&) = default;
};

struct MapData {
    int x0 = 0;
    int y0 = 0;
    int w = 0;
    int h = 0;
    int mode = 0;
    std::array<std::uint8_t, kKestTableSize> kests{};
    std::array<std::uint8_t, kBonusTableSize> bonuses{};
    int timeSeconds = 0;  // 0 keeps the board's time
    std::vector<MapCell> cells;  // w * h, row by row

    friend bool operator==(const MapData&, const MapData&) = default;
};

// The bytes of a map, exactly as the format lays them out. Numbers outside
// 0..65535 are clamped.
std::vector<std::uint8_t> encodeMap(const MapData& map);

// Decodes a whole file. False, with a message, for a file that ends before
// its layout does, a size of 0 or of more than the board's 140 cells, a
// coating above 4 or a teleport of no ordinary kind; `out` is then untouched.
bool decodeMap(const std::uint8_t* bytes, std::size_t size, MapData& out, std::string* error = nullptr);

// What the board looks like as a map (what saveMap writes).
MapData mapFromBoard(const Board& board);

// Puts a decoded map onto the board: every piece and undo snapshot freed,
// the geometry, tables, time, cells and pieces set. Map pieces come unlocked;
// their locks are in the cells' fileLock until the level starts.
void applyMap(Board& board, const MapData& map);

enum class MapLoad {
    Loaded,
    NoPath,      // an empty path: nothing done
    Unreadable,  // missing or unreadable: nothing done
    Refused,     // not a map the board can hold: nothing done
};

// Called after a map has been put onto the board: the game screen rebuilds
// its background there (the board's frame depends on the holes).
using MapLoadedHook = std::function<void(Board&)>;

// Reads a map file (a game path, any spelling) into the board and remembers
// the path as the board's mapPath.
MapLoad loadMap(Board& board, const std::string& path, const MapLoadedHook& onLoaded = {},
                std::string* error = nullptr);

// Writes the board's current state, replacing the file whole or not at all.
bool saveMap(const Board& board, const std::string& path);
bool writeMap(const MapData& map, const std::string& path);
