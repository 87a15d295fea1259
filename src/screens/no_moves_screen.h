#pragma once
// NoMovesScreen ("nomovespuzzle"): the notice over a puzzle board that has
// no move left, "NO MORE MOVES" over the board with a hint to undo or start
// again. It never becomes the current screen and takes no input: the board
// holds it while it is stuck, advancing and drawing it itself, and lets it
// go on undo or a new deal. Its captions use the dark font.

#include <memory>

#include "board/board_host.h"
#include "ui/screen.h"

// The board's side of the notice under names of its own, since a screen's
// step and drawing already answer to `update` and `draw`.
class NoMovesOverlay : public BoardOverlay {
public:
    void update(int milliseconds) final { advanceOverlay(milliseconds); }
    void draw(Sprite& target) final { drawOverlay(target); }

protected:
    virtual void advanceOverlay(int milliseconds) = 0;
    virtual void drawOverlay(Sprite& target) = 0;
};

class NoMovesScreen : public Screen, public NoMovesOverlay {
public:
    static constexpr int kCentreX = 430, kCentreY = 150;

    NoMovesScreen();
    ~NoMovesScreen() override;

    // The screen file, then the letters of [game] "nomoves".
    void load(const char* file, const char* section) override;
    // The screen's controls, then the letters centred on (430, 150).
    void draw(int ox, int oy, Sprite& target) override;
    using NoMovesOverlay::draw;
    using Screen::update;

    const Sprite* picture() const { return picture_.get(); }

protected:
    void advanceOverlay(int milliseconds) override { Screen::update(milliseconds); }
    void drawOverlay(Sprite& target) override { draw(0, 0, target); }

private:
    std::unique_ptr<Sprite> picture_;
};
