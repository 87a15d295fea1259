#pragma once
// The gold frame around the playing field, cut into the 20 tiles the board
// places on holes and on the ring of cells around the board.
//
// The frame is one moulding that runs at a fixed distance from the field's
// edge; every tile paints its part of it from that distance (to an edge, to
// a corner point, or to the nearer of two edges), so tiles placed next to
// each other by the board's rules join without a seam whatever the shape of
// the field. Tile roles (each drawn only in its own corner or strip):
//   0..3   outer corners round a field corner below-left, below-right,
//          above-right, above-left of the tile
//   4..7   inner corners where two field edges meet: left+below,
//          right+below, right+above, left+above
//   8..11  middle of a straight run with the field to the left, below,
//          right, above
//   12..19 ends of straight runs: 12/13 field to the right (lower/upper
//          end), 14/15 field to the left (upper/lower), 16/17 field below
//          (left/right), 18/19 field above (left/right)

#include <vector>

#include "board/frame_tiles.h"

#include "gem_drawing.h"
#include "image.h"
#include "paint.h"

constexpr int kTileSize = 48;
constexpr int kFrameTileCount = 20;
constexpr float kFrameBand = 12.0f;   // width of the gold moulding
constexpr float kFrameShadow = 6.0f;  // soft shadow beyond it

// Colour of the frame at `distance` pixels from the field, where `outward`
// is the unit direction away from the field.
Rgba frameShade(float distance, Vec2 outward);

// One of the 20 tiles.
Image renderFrameTile(int index);

// Where the tiles go is the board's own rule (board/frame_tiles.h), which the
// generator uses for its previews and its checks of the seams.
