#pragma once
// PuzzleSolvedScreen ("puzzlesolved"): the puzzle's result, over the solved
// board. "PUZZLE SOLVED!" comes in and stays; after a second and a half
// "Press any key to go on" appears, and any key or button then darkens the
// picture for half a second and deals the next puzzle. A key pressed before
// the text shows is not taken, so a click meant for the last move never
// skips the moment.

#include <string>

#include "screens/level_complete_screen.h"

class PuzzleSolvedScreen : public LevelCompleteScreen {
public:
    static constexpr int kWaitMs = 1500;

    void load(const char* file, const char* section) override;
    void onShow() override;
    int update(int milliseconds) override;
    void draw(int ox, int oy, Sprite& target) override;
    int keyDown(int key, platform::LParam lParam) override;

    bool anyKey() const { return anyKey_; }

private:
    SoundGroup* solvedSound_ = nullptr;  // owned by the sound system
    std::string pressAnyKey_;
    bool anyKey_ = false;
};
