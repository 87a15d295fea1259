// The board's keys: the arrows, Space and Enter move and press the ring
// (BoardKeyboardCursor), H asks for the hint at once, and a few letters
// press the HUD's buttons as a click would: W "magic", U "undo", R "reset"
// and F1 "help". A button the mode does not show takes no key.

#include "game/game_screen.h"
#include "platform/win_messages.h"

namespace {

constexpr int kKeyWand = 'W';
constexpr int kKeyHint = 'H';

struct HudKey {
    int key;
    const char* control;
};
constexpr HudKey kHudKeys[] = {{'U', "undo"}, {'R', "reset"}, {static_cast<int>(platform::VK_F1), "help"}};

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
    for (const HudKey& hudKey : kHudKeys) {
        if (key != hudKey.key) continue;
        if (UiElement* button = findChild(hudKey.control)) pressByKey(*button);
        return true;
    }
    return keyCursor_.keyDown(key, *board_);
}
