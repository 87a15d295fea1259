#pragma once
// LetterGrid: the name dialog's on-screen letters for a player with a pad.
// Twenty columns: A to Z, a to z and the accented letters of Latin-1 row
// after row, and below them a row of three wide cells, space, delete and
// done. The arrows move its mark, wrapping at the edges and passing over
// the empty end of the last row of letters; Enter takes the marked cell.

#include <string>
#include <vector>

class Sprite;

class LetterGrid {
public:
    static constexpr int kColumns = 20;
    static constexpr int kRows = 7;

    enum class Pick { Letter, Space, Delete, Done };
    struct Cell {
        Pick pick = Pick::Letter;
        char letter = 0;
        int column = 0, row = 0, span = 1;
    };

    LetterGrid();

    void reset() { marked_ = 0; }
    // One step of the arrow key `key`; false for any other key.
    bool move(int key);
    const Cell& marked() const { return cells_[static_cast<std::size_t>(marked_)]; }
    const std::vector<Cell>& cells() const { return cells_; }

    // The panel picture centred on centreX with its top at y, each cell's
    // letter (or word) in it and the focus mark around the marked cell.
    void draw(Sprite& target, int centreX, int y, int clock) const;

private:
    int cellAt(int column, int row) const;

    std::vector<Cell> cells_;
    int marked_ = 0;
};
