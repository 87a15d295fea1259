#pragma once
// The scenes behind the board: one landscape per episode of the quest, and
// one backdrop for each of the other modes. The board covers their middle,
// so they are painted for what stays in view: the sky along the top, the
// ground along the bottom and the column left of the board, where the
// quest's relic stands in a pool of light. Everything is a little darker
// towards the board, so the field and its frame stand clear of the picture.

#include "image.h"

constexpr int kEpisodeCount = 6;

// The scene of quest episode 1..6 (620 x 570, drawn at 15, 15). Painted
// once per run.
const Image& episodeScene(int episode);

// The backdrops of the other modes, also 620 x 570: action falls of gems,
// the cube's lattice of squares, the puzzle's rose window.
const Image& actionScene();
const Image& cubeScene();
const Image& puzzleScene();
