#include "game/game_screen.h"

#include <algorithm>
#include <climits>

#include "board/board_audio.h"
#include "board/game_board.h"
#include "config/game_settings.h"
#include "graphics/game_fonts.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"
#include "sound/sound_group.h"
#include "ui/effect_layer.h"
#include "ui/screen_manager.h"

namespace {

constexpr const char* kSoundTable = "data\\sound\\sound.ini";

}  // namespace

GameScreen::GameScreen() = default;

// A level played since the last save is saved as the program closes, so
// quitting in the middle of a level loses nothing.
GameScreen::~GameScreen() {
    if (playedSinceSave_ && board_) saveProfile();
    ReleaseSprite(background_);
}

void GameScreen::load(const char* file, const char* section) {
    Screen::load(file, section);
    hud_.find(*this);
    // Each level's background is composed over the screen file's own back
    // picture, which the composed one then replaces in the control.
    if (UiElement* back = hud_.back()) backPicture_ = back->image;

    audio_ = createGameBoardAudio();
    if (EffectLayer* layer = effectLayer()) {
        effects_ = std::make_unique<BoardEffectLayer>(*layer, createGameBoardAudio());
        effects_->load();
        effects_->setGemPayee(&keeper_);
    }
    board_ = createGameBoard(this);
    banner_.setAudio(audio_.get());
    banner_.setEffects(effects_.get());
    banner_.setFont(gameFonts().combo);
    banner_.loadTexts();
    collector_.load();
    panel_.load();
    keeper_.setLinks({effects_.get(), audio_.get(), &hud_, &collector_, &banner_});
    timeUpSound_ = loadSoundGroup(kSoundTable, "timeup");
}

// ---- The session's numbers ----

int GameScreen::timeBonus() const { return ::timeBonus(mode_, board_->timeLeft()); }

int GameScreen::levelTimeSeconds() const { return board_->timeTotal() / 1000; }

int GameScreen::timeUsedSeconds() const {
    return ::timeUsedSeconds(mode_, board_->timeTotal(), board_->timeLeft(), board_->elapsed());
}

ProgressControl* GameScreen::timeBarControl() { return mode_ == BoardMode::ModeQuest ? hud_.timeBar() : nullptr; }

void GameScreen::addScore(int points) {
    keeper_.addScore(points);
    requestStaticRedraw();
}

// The bonus life, if one is due, is paid by the `addScore(0)` that shows it.
void GameScreen::addScoreUnshown(int points) {
    const long long sum = (long long)keeper_.score() + points;
    keeper_.restore(int(std::clamp<long long>(sum, INT_MIN, INT_MAX)), keeper_.lives());
}

void GameScreen::setScore(int score) {
    keeper_.restore(score, keeper_.lives());
    hud_.showScore(score);
}

void GameScreen::setLives(int lives) { keeper_.setLives(lives); }

void GameScreen::setWands(int wands) {
    wand_.setCount(wands);
    hud_.showWands(wand_.count());
    refreshMagic();
}

bool GameScreen::previousLevelPicture(Sprite*& picture, int& x, int& y) const {
    if (mode_ != BoardMode::ModeQuest || !previousPicture_) return false;
    picture = previousPicture_;
    x = previousX_;
    y = previousY_;
    return true;
}

void GameScreen::refreshMagic() {
    hud_.setMagic(wand_.enabled(), wand_.armed());
    if (ScreenManager* owner = manager()) owner->cursorIndex = wand_.cursorIndex();
}

const std::string& GameScreen::playerName() const { return gameSettings().currentPlayerName; }
