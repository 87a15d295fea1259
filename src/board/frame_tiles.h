#pragma once
// Where the 20 frame tiles go around a field of any shape: on the holes next
// to the field and on the ring of cells just outside the board. Each tile
// paints one part of the gold moulding (a straight run, the end of a run, an
// inner or an outer corner); placed by these rules they join into one frame
// without gaps. Rows and columns may be -1 or h / w, the ring outside.

#include <vector>

struct FrameTile {
    int tile;
    int row;
    int col;
};

// `active` holds w * h flags, row by row. The tiles come in drawing order.
std::vector<FrameTile> frameTilePlacements(int w, int h, const std::vector<bool>& active);
