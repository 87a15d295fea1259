#pragma once
// GameHud: the game screen's own controls, found by name once its screen
// file is loaded: the numbers ("score", "lifes", "level", "mw"), the bar
// ("timebar": time left in quest, progress in action and cube), the buttons
// ("magic", "menu", "help", "undo", "reset") and the plates that frame them.
// Each mode shows its own set. A name the screen file lacks is simply left
// out.

#include <string>

#include "board/board_types.h"
#include "board/score_keeper.h"

class ProgressControl;
class UiElement;

class GameHud : public ScoreDisplay {
public:
    // Finds the controls among the screen's children.
    void find(const UiElement& screen);

    // Shows the controls of the mode and hides the other modes' ones.
    void showForMode(BoardMode mode);

    void showScore(int score) override;
    void showLives(int lives) override;
    void showLevel(BoardMode mode, int level);
    void showWands(int wands);
    // 0..1; nothing without a bar.
    void setBar(float value);

    // "magic": enabled while wands are left, and shown pressed while armed.
    void setMagic(bool enabled, bool armed);

    // Whether a number or label changed since the static layer was last
    // drawn; taking it clears it.
    bool takeChanged();

    UiElement* back() const { return back_; }
    ProgressControl* timeBar() const { return timeBar_; }
    UiElement* magic() const { return magic_; }

private:
    void setCaption(UiElement* control, const std::string& text);

    UiElement* back_ = nullptr;
    UiElement* score_ = nullptr;
    UiElement* lives_ = nullptr;
    UiElement* level_ = nullptr;
    UiElement* wands_ = nullptr;
    ProgressControl* timeBar_ = nullptr;
    UiElement* magic_ = nullptr;
    UiElement* undo_ = nullptr;
    UiElement* reset_ = nullptr;
    UiElement* puzzlePlate_ = nullptr;
    UiElement* livePlate_ = nullptr;
    bool changed_ = true;
};
