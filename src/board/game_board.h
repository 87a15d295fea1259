#pragma once
// The board as the game makes it: its pictures from the data folder, its
// sounds from the sound table, its speeds from "data\common.ini".

#include <memory>

#include "board/board.h"

std::unique_ptr<Board> createGameBoard(BoardHost* host);
