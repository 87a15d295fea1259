#pragma once
// The pictures the board draws with. They are shared sprites owned by the
// sprite registry; the board only points at them. A board without art (rule
// tests, tools) draws nothing and takes a piece's full size as 44 pixels.

#include <array>

#include "board/board_types.h"

class Sprite;

struct BoardArt {
    static constexpr int kPieceImages = 9;  // kinds 0..8
    static constexpr int kFrameTiles = 20;

    Sprite* teleport = nullptr;
    Sprite* select = nullptr;
    Sprite* locked0 = nullptr;  // lock 1
    Sprite* locked1 = nullptr;  // lock 2 or more
    Sprite* field = nullptr;
    std::array<Sprite*, 5> coatings{};  // index = coating; 0 unused
    std::array<Sprite*, kPieceImages> active{};
    std::array<Sprite*, kPieceImages> help{};
    Sprite* raduga = nullptr;
    std::array<Sprite*, kFrameTiles> tiles{};

    // Loads every picture and cuts the animation strips into their frames.
    static BoardArt load();
};

// Cycle lengths of the animations, ms.
constexpr int kActiveCycleMs = 500;
constexpr int kHelpCycleMs = 750;
