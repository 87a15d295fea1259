// The game screen's tick, every 20 ms while it is the current screen:
//
//   tutorial open -> only the panel moves
//   otherwise: wand control and banner, first full frame after the fade,
//   the bar, then one of
//     fade over, level not yet running -> save, show the level intro
//     level in play -> the board and its effects (or the fade)
//     level won or lost -> let the effects finish, then the result screen

#include "game/game_screen.h"
#include "sound/music_player.h"
#include "sound/sound_group.h"
#include "ui/effect_layer.h"
#include "ui/screen_manager.h"

namespace {

// Pending progress reaches the bar over about 300 steps of a level's target.
constexpr float kProgressStepsPerTarget = 300.0f;

}  // namespace

int GameScreen::update(int milliseconds) {
    if (panel_.isOpen()) {
        panel_.update(milliseconds);
        return 0;
    }
    refreshMagic();
    banner_.update(milliseconds);
    if (fadeOver() && !shown_) {
        shown_ = true;
        requestStaticRedraw();
    }
    moveProgress();
    if (!levelRunning_ && fadeOver()) {
        startIntro();
        return 0;
    }
    if (!levelComplete_ && !timeUp_) {
        playStep(milliseconds);
        return 0;
    }
    finishLevel(milliseconds);
    return 0;
}

// Action and cube: points scored flow onto the bar a step at a time.
void GameScreen::moveProgress() {
    if (mode_ == BoardMode::ModeAction || mode_ == BoardMode::ModeCube) {
        if (keeper_.progressPending() > 0) {
            if (progressStep_ <= 0) progressStep_ = float(target_) / kProgressStepsPerTarget;
            progress_ += keeper_.takeProgress(progressStep_);
        }
    }
    if (mode_ != BoardMode::ModeQuest || fadeOver()) updateBar();
}

void GameScreen::updateBar() {
    switch (mode_) {
        case BoardMode::ModeQuest:
            hud_.setBar(board_->timeTotal() > 0 ? float(board_->timeLeft()) / float(board_->timeTotal()) : 0.0f);
            break;
        case BoardMode::ModeAction:
        case BoardMode::ModeCube:
            hud_.setBar(target_ > 0 ? progress_ / float(target_) : 0.0f);
            break;
        case BoardMode::ModePuzzle:
            break;
    }
}

// The level is dealt and faded in: the game is saved as it stands (so a
// player who quits during the intro comes back to this level) and the
// intro takes over.
void GameScreen::startIntro() {
    saveProfile();
    updateBar();
    requestStaticRedraw();
    levelRunning_ = true;
    if (ScreenManager* owner = manager()) owner->showOverlay("readyintro");
    audio_->play(BoardSound::Start);
}

void GameScreen::playStep(int milliseconds) {
    if (!fadeOver()) {
        fadeClock_ += milliseconds;
        return;
    }
    board_->tick(milliseconds);
    playedSinceSave_ = true;
    if (board_->needsRedraw()) requestStaticRedraw();
    if (EffectLayer* layer = effectLayer()) layer->stepAll(milliseconds);
}

// The level is over. Sparks, flying gems and the banner play out first (a
// gem still in the air pays when it lands), then the result screen opens
// over the frozen board.
void GameScreen::finishLevel(int milliseconds) {
    EffectLayer* layer = effectLayer();
    const bool effectsLive = layer && layer->effectCount() > 0;
    if ((effectsLive || banner_.running()) && endWait_ < kEndWaitLimitMs) {
        endWait_ += milliseconds;
        if (layer) layer->stepAll(milliseconds);
        return;
    }
    endWait_ = 0;
    ScreenManager* owner = manager();
    if (levelComplete_) {
        requestStaticRedraw();
        if (owner) owner->showOverlay(mode_ == BoardMode::ModePuzzle ? "puzzlesolved" : "levelcomplete");
    }
    if (timeUp_) {
        stopMusic(musicPlayer());
        requestStaticRedraw();
        if (owner) owner->showOverlay(keeper_.lives() <= 0 ? "gameover" : "timeup");
        playSoundGroup(timeUpSound_, 0, 0, 0, 0);
    }
    levelComplete_ = timeUp_ = false;
    board_->clearGoalReached();
}
