#pragma once
// WinScreen ("winquest" and "winpuzzle"): the picture after the last quest
// level or the last puzzle, with confetti falling from the top. Any key or
// button leads back to the main menu, which fades in; after a won quest the
// menu then opens the high-score table, where the player's score stands.
//
// The confetti takes all ten emitter slots of the effect layer while the
// screen is shown and gives them back when it is left, as the main menu
// does, so the next game finds slots for its trails.

#include <array>

#include "ui/screen.h"

class WinScreen : public Screen {
public:
    // `showsHighScores`: the quest's variant asks the menu for the table.
    explicit WinScreen(bool showsHighScores) : showsHighScores_(showsHighScores) {}

    void onShow() override;
    void onHide() override;
    // Only the confetti moves.
    int update(int milliseconds) override;
    void draw(int ox, int oy, Sprite& target) override;
    int keyDown(int key, platform::LParam lParam) override;

    int confettiSlot(int index) const { return slots_[static_cast<std::size_t>(index)]; }

private:
    void releaseConfetti();

    bool showsHighScores_;
    std::array<int, 10> slots_{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
};
