#include "board/frame_tiles.h"

namespace {

class FrameLayout {
public:
    FrameLayout(int w, int h, const std::vector<bool>& active) : w_(w), h_(h), active_(active) {}

    std::vector<FrameTile> place() {
        for (int row = 0; row < h_; ++row)
            for (int col = 0; col < w_; ++col)
                if (!on(row, col)) aroundHole(row, col);
        outsideRows();
        outsideColumns();
        sideSteps();
        outerCorners();
        return std::move(tiles_);
    }

private:
    // Active, and inside the board.
    bool on(int row, int col) const {
        return row >= 0 && row < h_ && col >= 0 && col < w_ && active_[static_cast<std::size_t>(row * w_ + col)];
    }
    void put(int tile, int row, int col) { tiles_.push_back({tile, row, col}); }

    void aroundHole(int row, int col) {
        const bool n = on(row - 1, col), s = on(row + 1, col), e = on(row, col + 1), west = on(row, col - 1);
        const bool ne = on(row - 1, col + 1), nw = on(row - 1, col - 1);
        const bool se = on(row + 1, col + 1), sw = on(row + 1, col - 1);
        const bool top = row == 0, bottom = row == h_ - 1, left = col == 0, right = col == w_ - 1;

        // Field to the east.
        if (!right && e) {
            put(10, row, col);
            put(!bottom && s ? 5 : 12, row, col);
            put(!top && n ? 6 : 13, row, col);
        } else if (!right && !bottom && !s && se) {
            put(1, row, col);
        }
        if (!right && !top && !e && !n && ne) put(2, row, col);

        // Field to the west.
        if (!left && west) {
            put(8, row, col);
            put(!bottom && s ? 4 : 15, row, col);
            put(!top && n ? 7 : 14, row, col);
        } else if (!left && !bottom && !s && sw) {
            put(0, row, col);
        }
        if (!left && !top && !n && nw && !west) put(3, row, col);

        // Field to the south and to the north.
        if (!bottom && s) {
            put(9, row, col);
            if (right || !e) put(17, row, col);
            if (left || !west) put(16, row, col);
        }
        if (!top && n) {
            put(11, row, col);
            if (right || !e) put(19, row, col);
            if (left || !west) put(18, row, col);
        }
    }

    void outsideRows() {
        for (int j = 0; j < w_; ++j) {
            if (on(0, j)) {
                put(17, -1, j), put(9, -1, j), put(16, -1, j);
            } else {
                if (j > 0 && on(0, j - 1)) put(0, -1, j);
                if (j < w_ - 1 && on(0, j + 1)) put(1, -1, j);
            }
        }
        for (int j = 0; j < w_; ++j) {
            if (on(h_ - 1, j)) {
                put(19, h_, j), put(11, h_, j), put(18, h_, j);
            } else {
                if (j > 0 && on(h_ - 1, j - 1)) put(3, h_, j);
                if (j < w_ - 1 && on(h_ - 1, j + 1)) put(2, h_, j);
            }
        }
    }

    void outsideColumns() {
        for (int r = 0; r < h_; ++r) {
            if (on(r, 0)) put(10, r, -1), put(12, r, -1), put(13, r, -1);
        }
        for (int r = 0; r < h_; ++r) {
            if (on(r, w_ - 1)) put(14, r, w_), put(15, r, w_), put(8, r, w_);
        }
    }

    // Where the field's outer column steps in or out between two rows.
    void sideSteps() {
        for (int r = 0; r + 1 < h_; ++r) {
            if (!on(r, 0) && on(r + 1, 0)) put(1, r, -1);
            if (on(r, 0) && !on(r + 1, 0)) put(2, r + 1, -1);
            if (on(r, w_ - 1) && !on(r + 1, w_ - 1)) put(3, r + 1, w_);
            if (!on(r, w_ - 1) && on(r + 1, w_ - 1)) put(0, r, w_);
        }
    }

    void outerCorners() {
        if (on(0, 0)) put(1, -1, -1);
        if (on(0, w_ - 1)) put(0, -1, w_);
        if (on(h_ - 1, 0)) put(2, h_, -1);
        if (on(h_ - 1, w_ - 1)) put(3, h_, w_);
    }

    int w_;
    int h_;
    const std::vector<bool>& active_;
    std::vector<FrameTile> tiles_;
};

}  // namespace

std::vector<FrameTile> frameTilePlacements(int w, int h, const std::vector<bool>& active) {
    if (w < 1 || h < 1 || active.size() < static_cast<std::size_t>(w * h)) return {};
    return FrameLayout(w, h, active).place();
}
