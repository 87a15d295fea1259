#pragma once
// BoardKeyboardCursor: the board played from the keyboard. The arrow keys
// move a ring from cell to cell (over holes to the next cell that way),
// Space or Enter picks the piece under it with the very press a click there
// makes, and an arrow while a piece is picked swaps it that way as a drag
// does. So locks, swapping back, the wand, the tutorial and every sound
// behave exactly as with the mouse. A picked rainbow piece takes the kind
// of the neighbour the arrow points at (the click on that neighbour); a
// picked teleport piece stays armed while the ring moves to its target, and
// Space sends it there.
//
// The ring shows only once a board key has been pressed and goes at the
// mouse's first move, so a mouse player never sees it.

class Board;
class Sprite;

class BoardKeyboardCursor {
public:
    enum class Direction { Left, Right, Up, Down };

    // Arrows, Space and Enter; false for any other key. While the ring is
    // hidden the first of them only shows it (an arrow after a pick made
    // with the mouse swaps at once).
    bool keyDown(int key, Board& board);
    // Shows the ring: on the picked piece, else where it was last, else on
    // the cell nearest the board's middle.
    void reveal(const Board& board);
    void hide() { shown_ = false; }
    // Shown on a cell of the board as it is now (a new level may have
    // made the last cell a hole).
    bool shown(const Board& board) const;
    int cell() const { return cell_; }
    // The ring over the cell, animated by the board's clock.
    void draw(Sprite& target, const Board& board);

    // Where an arrow takes the ring from `cell`: the nearest cell that way,
    // in the same row or column when there is one, else the one closest to
    // it; `cell` itself when no cell lies that way.
    static int step(const Board& board, int cell, Direction direction);
    // A key's direction; false for keys that are not arrows.
    static bool directionOfKey(int key, Direction& direction);

private:
    bool shown_ = false;
    int cell_ = -1;
    Sprite* ring_ = nullptr;  // shared picture
    bool ringLoaded_ = false;
};
