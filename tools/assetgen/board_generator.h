#pragma once
// The board's own pictures: the velvet field cell, the four coatings, the
// two lock overlays, the selection ring, the teleport overlay and the 20
// frame tiles (frame_tiles.h).

#include "image.h"

constexpr int kCellSize = 48;
constexpr int kSelectFrames = 11;
constexpr int kTeleportFrames = 6;

Image fieldCell();
// Coating 1..4: one layer, two layers, score plate, wand plate.
Image coatingImage(int coating);
// Lock overlay for lock 1 (one chain) or 2 and more (two chains).
Image lockImage(int lock);
Image selectFrame(int frame);
// Drawn additively: colour on black.
Image teleportFrame(int frame);
