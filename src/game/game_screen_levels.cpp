// Levels: loading a level's map, dealing it for its mode, moving on to the
// next, playing one again, winning the quest, and what the screen does each
// time it is shown again (after the pause menu, the help, a result screen).

#include "config/game_settings.h"
#include "config/ini_store.h"
#include "game/game_screen.h"
#include "game/level_files.h"
#include "game/level_map.h"
#include "game/level_rules.h"
#include "sound/music_player.h"
#include "ui/effect_layer.h"
#include "ui/screen_manager.h"

namespace {

std::string levelMapPath(BoardMode mode, int level) {
    switch (mode) {
        case BoardMode::ModeQuest: return questLevelPath(level);
        case BoardMode::ModePuzzle: return puzzleLevelPath(level);
        case BoardMode::ModeAction: return kActionMapPath;
        case BoardMode::ModeCube: return kCubeMapPath;
    }
    return {};
}

}  // namespace

// A level whose map is missing or damaged cannot be played: the player is
// taken back to the main menu rather than left on an empty board.
bool GameScreen::loadLevel() {
    const MapLoad loaded = loadMap(*board_, levelMapPath(mode_, level_), [this](Board&) { composeBackground(); });
    if (loaded != MapLoad::Loaded) {
        leaveForMainMenu();
        return false;
    }
    keeper_.levelLoaded();
    startLevel();
    return true;
}

void GameScreen::startLevel() {
    readTipsFlag();
    keeper_.startLevel(level_);
    levelComplete_ = timeUp_ = false;
    board_->clearGoalReached();
    levelRunning_ = introDone_ = false;
    endWait_ = 0;
    dealLevel();
    showLevelNumbers();
    requestStaticRedraw();
}

void GameScreen::dealLevel() {
    switch (mode_) {
        case BoardMode::ModeQuest:
            board_->resetTimeLeft();
            board_->fillEmptyCells();
            board_->setupFill();
            break;
        case BoardMode::ModeAction:
        case BoardMode::ModeCube:
            applyLevelKinds();
            board_->fillEmptyCells();
            board_->setupFill();
            break;
        case BoardMode::ModePuzzle:
            board_->applyFileLocks();
            break;
    }
}

// Action and cube levels share one map; the level decides which kinds it
// deals (cube also its teleports and rainbows) and how far the bar must go.
void GameScreen::applyLevelKinds() {
    const bool cube = mode_ == BoardMode::ModeCube;
    const int kinds = cube ? cubeKindCount(level_) : actionKindCount(level_);
    board_->setKestTable(kindTableForLevel(board_->kestTable(), level_, kinds));
    if (cube) board_->setBonusTable(cubeBonusTable(board_->bonusTable(), level_));
    target_ = progressTarget(level_);
    progress_ = 0;
}

void GameScreen::resetLevelTally() {
    keeper_.resetLevelTally();
    board_->resetElapsed();
}

void GameScreen::showLevelNumbers() {
    hud_.showLevel(mode_, level_);
    hud_.showLives(keeper_.lives());
    hud_.showScore(keeper_.score());
    hud_.showWands(wand_.count());
    refreshMagic();
}

void GameScreen::nextLevel() {
    if (mode_ == BoardMode::ModeQuest && level_ == kQuestLevels + 1) {
        winQuest();
        return;
    }
    if (mode_ == BoardMode::ModePuzzle && !fileExists(puzzleLevelPath(level_).c_str())) {
        if (ScreenManager* owner = manager()) owner->showScreen("winpuzzle", 1);
        return;
    }
    playedOn_ = true;
    resumed_ = false;
    if (!loadLevel()) return;
    resetLevelTally();
    fadeClock_ = -kFadeMs;
    shown_ = false;
}

void GameScreen::restartLevel() {
    if (!loadLevel()) return;
    resetLevelTally();
    fadeClock_ = -kFadeMs;
    shown_ = false;
}

void GameScreen::winQuest() {
    if (ScreenManager* owner = manager()) owner->showScreen("winquest", 1);
    saveProfile();
    insertHighScore(gameSettings(), playerName().c_str(), keeper_.score());
}

void GameScreen::leaveForMainMenu() {
    if (ScreenManager* owner = manager()) owner->showScreen("mainmenu", 1);
}

void GameScreen::onShow() {
    Screen::onShow();
    hud_.showLevel(mode_, level_);
    hud_.showLives(keeper_.lives());
    if (EffectLayer* layer = effectLayer()) layer->removeAllEffects();
    board_->clearHover();
    timeUp_ = false;
    wand_.disarm();
    refreshMagic();
    // A card that waited behind a tip grows in again.
    panel_.growInAgain();
    if (!levelRunning_) {
        stopMusic(musicPlayer());
        if (mode_ == BoardMode::ModeQuest && !resumed_) hud_.setBar(0);
    }
    requestStaticRedraw();
}
