#pragma once
// The board's own pictures: the velvet field cell, the four coatings, the
// two lock overlays, the selection ring, the keyboard's ring, the teleport
// overlay and the 20 frame tiles (frame_tiles.h).

#include "image.h"

constexpr int kCellSize = 48;
constexpr int kSelectFrames = 11;
constexpr int kTeleportFrames = 6;
constexpr int kKeyRingFrames = 12;
// The keyboard's ring reaches this far outside its cell on every side.
constexpr int kKeyRingMargin = 4;

Image fieldCell();
// Coating 1..4: one layer, two layers, score plate, wand plate.
Image coatingImage(int coating);
// Lock overlay for lock 1 (one chain) or 2 and more (two chains).
Image lockImage(int lock);
Image selectFrame(int frame);
// The ring the arrow keys move over the board: four corner brackets just
// outside the cell, breathing in and out over the strip.
Image keyRingFrame(int frame);
// Drawn additively: colour on black.
Image teleportFrame(int frame);
