#pragma once
// The pieces: eight ordinary kinds (each its own colour and silhouette), the
// bad piece and the rainbow piece, with their idle shine and hint pulse.

#include "image.h"

constexpr int kPieceSize = 44;  // drawn 1:1 at the board's resting piece size
constexpr int kActiveFrames = 20;
constexpr int kHelpFrames = 15;
constexpr int kRainbowFrames = 20;
constexpr int kBadKind = 8;

// One frame of the idle shine of kind 0..8 (8 = the bad piece). `grey`
// draws the ordinary kinds without colour, for checking their shapes.
Image pieceActiveFrame(int kind, int frame, bool grey = false);
// One frame of the hint pulse of kind 0..8.
Image pieceHelpFrame(int kind, int frame);
Image rainbowFrame(int frame);
