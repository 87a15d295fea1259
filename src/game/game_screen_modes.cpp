// The four ways into a game. The menus make "game" the current screen and
// call one of these; each sets up its mode's HUD and board and either
// continues the player's saved game or deals a new one. Every way in fades
// in from black.

#include "config/game_settings.h"
#include "game/game_screen.h"
#include "game/progress_file.h"

void GameScreen::enterMode(BoardMode mode) {
    mode_ = mode;
    board_->setMode(mode);
    keeper_.setMode(mode);
    if (effects_) effects_->setMode(mode);
    hud_.showForMode(mode);
    // Nothing is lit from the last game: the "Menu" pressed to leave it
    // would otherwise greet the next one under a mouse that has gone.
    setFocus(nullptr);
    wand_.disarm();
    refreshMagic();
    resumed_ = playedOn_ = false;
    previousPicture_ = nullptr;
    fadeClock_ = -kFadeMs;
    shown_ = false;
}

void GameScreen::startQuest(int level) {
    enterMode(BoardMode::ModeQuest);
    if (!profileFileExists(playerName(), ProfileFile::Progress)) {
        newQuest(level);
        return;
    }
    resumeProfile();
    resetTutorials(false);
    fadeClock_ = -kFadeMs;
}

void GameScreen::newQuest(int level) {
    enterMode(BoardMode::ModeQuest);
    // The highest level reached belongs to the player, not to whoever played
    // on this screen before: start from what the player's file holds.
    ProgressRecord stored;
    readProgressFile(playerName(), stored);
    maxQuestLevel_ = stored.highestQuestLevel;
    keeper_.newGame(BoardMode::ModeQuest);
    wand_.startNewQuestGame();
    level_ = level;
    resetTutorials(true);
    if (!loadLevel()) return;
    resetLevelTally();
    hud_.showWands(wand_.count());
    refreshMagic();
}

void GameScreen::startPuzzle() {
    enterMode(BoardMode::ModePuzzle);
    keeper_.newGame(BoardMode::ModePuzzle);
    if (profileFileExists(playerName(), ProfileFile::Progress)) {
        resumeProfile();
    } else {
        level_ = 1;
        loadLevel();
    }
    resetTutorials(false);
    fadeClock_ = -kFadeMs;
}

void GameScreen::startAction() { startProgressGame(BoardMode::ModeAction); }

void GameScreen::startCube() { startProgressGame(BoardMode::ModeCube); }

void GameScreen::startProgressGame(BoardMode mode) {
    enterMode(mode);
    if (profileFileExists(playerName(), ProfileFile::Progress)) {
        resumeProfile();
        resetTutorials(false);
    } else {
        keeper_.newGame(mode);
        wand_.setCount(0);
        level_ = 1;
        resetTutorials(true);
        if (loadLevel()) resetLevelTally();
    }
    fadeClock_ = -kFadeMs;
}
