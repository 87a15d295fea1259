#pragma once
// The pictures of the help pages and the tips: small pieces of the playing
// field put together from the board's own pictures (cells, coatings, locks,
// pieces, overlays), so a player recognises on the board exactly what the
// help showed, plus the arrows that show a move.

#include <string>
#include <vector>

#include "image.h"

class AssetTree;

// A patch of the field, one string per row, cells separated by spaces. A
// cell is a piece ('0'..'7' the eight kinds, 'B' the bad piece, 'R' the
// rainbow piece, '.' none, '_' no cell at all), then its coating
// ('0'..'4'), then any marks: 'l' one lock, 'L' two locks, 't' the
// teleport overlay, 'h' the hint glow, 's' the selection ring, 'v' falling
// (caught on its way into the cell below, with the streak of its fall).
// Cells are 48 pixels, as on the board.
Image fieldPatch(const std::vector<std::string>& rows);

// The picture scaled by a factor (smoothly, for shrinking).
Image scaled(const Image& picture, float factor);

// A bright arrow from one point to another, bowed sideways by `bow` pixels;
// with `twoWay` it has a head at both ends (a swap).
void drawArrow(Image& picture, float x0, float y0, float x1, float y1, float bow, bool twoWay);

// A key of the keyboard: a velvet cap in a gold rim, `width` pixels wide,
// with its label engraved.
Image keycap(const std::string& label, int width);
// The four arrow keys in their inverted T.
Image arrowKeys();
// One cell of the field with a piece of `kind`, the keyboard's ring round
// it and, when `picked`, the selection ring inside: the ring's corners
// reach past the cell, so the picture is that much larger.
Image ringedCell(int kind, bool picked);

// A picture the effect generator made earlier in this run, by its name on
// the contact sheet (one frame of it); an empty picture if there is none.
Image generatedFrame(const AssetTree& tree, const std::string& sheetName, int frame = 0);
