#pragma once
// The numbers each mode derives from a level: which kinds action and cube
// levels deal, the cube's teleport and rainbow chances, the progress target
// of action and cube, and the label the HUD shows. Pure functions, so the
// level flow and its tests share one source.

#include <array>
#include <cstdint>
#include <string>

#include "board/board_types.h"

using KestTable = std::array<std::uint8_t, kKestTableSize>;
using BonusTable = std::array<std::uint8_t, kBonusTableSize>;

// How many ordinary kinds a level deals: action 5 at levels 1-5, one more
// every five levels up to 8; cube 2, 3 from level 3, 4 from 10, then 5 from
// 20 and one more every ten levels up to 8.
int actionKindCount(int level);
int cubeKindCount(int level);

// The first `count` kinds of the level's row of the kind order, in order.
std::array<int, kOrdinaryKinds> kindOrderForLevel(int level);

// The map's table with kinds 0..7 replaced by the level's: the first
// `count` of its row allowed, every other ordinary kind not. Entries 8 and
// 9 (the bad piece and the spare) stay as the map set them.
KestTable kindTableForLevel(const KestTable& mapTable, int level, int count);

// Cube levels: teleports (per mille) from level 13, rainbows from level 6.
constexpr int kCubeTeleportChance = 30;
constexpr int kCubeRainbowChance = 50;
BonusTable cubeBonusTable(const BonusTable& mapTable, int level);

// Action and cube: the progress a level must pass.
int progressTarget(int level);

// The HUD's level label: the quest's "episode-level" form ("3-1" for level
// 12), the plain number in every other mode.
std::string levelLabel(BoardMode mode, int level);
