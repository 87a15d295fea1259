// The board's keys: the arrows, Space and Enter move and press the ring
// (BoardKeyboardCursor), W takes up the magic wand as a click on "magic"
// does, and H asks for the hint at once.

#include "game/game_screen.h"

namespace {

constexpr int kKeyWand = 'W';
constexpr int kKeyHint = 'H';

}  // namespace

bool GameScreen::playByKey(int key) {
    if (key == kKeyWand) {
        // The HUD's own press, so the wand is taken up and put away by the
        // very same rules; a disabled "magic" (no wands left) does nothing.
        UiElement* magic = hud_.magic();
        if (magic && pressByKey(*magic)) keyCursor_.reveal(*board_);
        return true;
    }
    if (key == kKeyHint) {
        board_->requestHint();
        return true;
    }
    return keyCursor_.keyDown(key, *board_);
}
