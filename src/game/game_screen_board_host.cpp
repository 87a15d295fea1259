// What the board asks of the game screen while a level is played: scoring,
// the level's end, the wand, the tutorial and the puzzle's no-moves notice.

#include <algorithm>

#include "game/game_screen.h"
#include "ui/screen_manager.h"

void GameScreen::scoreWave(const WaveTally& wave) {
    keeper_.scoreWave(wave, board_->geometry());
    requestStaticRedraw();
}

// A board that cannot be made playable ends its level as won; action and
// cube fill their bar first so the player sees why.
void GameScreen::completeUnplayableLevel() {
    if (mode_ == BoardMode::ModeAction || mode_ == BoardMode::ModeCube) {
        progress_ = std::max(progress_, float(target_) + 1.0f);
        updateBar();
    }
    levelComplete_ = true;
}

void GameScreen::wandUsed() {
    wand_.used();
    hud_.showWands(wand_.count());
    refreshMagic();
}

void GameScreen::wandGained() {
    wand_.gained();
    hud_.showWands(wand_.count());
    refreshMagic();
}

BoardOverlay* GameScreen::showNoMovesOverlay() {
    ScreenManager* owner = manager();
    return owner ? dynamic_cast<BoardOverlay*>(owner->showScreen("nomovespuzzle", 0)) : nullptr;
}
