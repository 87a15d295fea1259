#include "screens/puzzle_solved_screen.h"

#include "config/game_texts.h"
#include "game/game_session.h"
#include "graphics/font.h"
#include "graphics/game_fonts.h"
#include "graphics/sprite.h"
#include "sound/music_player.h"
#include "sound/sound_group.h"
#include "ui/screen_manager.h"

namespace {

constexpr int kBannerX = 120, kBannerY = 300;
constexpr int kTextX = 400, kTextY = 500;

}  // namespace

void PuzzleSolvedScreen::load(const char* file, const char* section) {
    LevelCompleteScreen::load(file, section);
    // The banner comes in and stays (no hold, so it never goes again).
    banner_.create(gameText("puzzlesolved"), kBannerX, kBannerY, 0);
    solvedSound_ = loadSoundGroup("data\\sound\\sound.ini", "level_complete_puzzle");
    pressAnyKey_ = gameText("pressanykey");
}

void PuzzleSolvedScreen::onShow() {
    Screen::onShow();
    clock_ = 0;
    anyKey_ = false;
    leaveTimer_ = 0;
    nextPressed_ = false;
    banner_.restart();
    if (GameSession* game = session()) {
        game->setLevel(game->level() + 1);
        game->saveProfile();
    }
    playSoundGroup(solvedSound_, 0, 0, 0, 0);
    stopMusic(musicPlayer());
}

int PuzzleSolvedScreen::update(int milliseconds) {
    if (nextPressed_) {
        leaveTimer_ += milliseconds;
        if (leaveTimer_ >= kLeaveMs) {
            nextPressed_ = false;
            GameSession* game = session();
            closeOverlay();
            if (game) game->nextLevel();
        }
        return 0;
    }
    if (clock_ > kWaitMs) anyKey_ = true;
    clock_ += milliseconds;
    banner_.update(milliseconds);
    return 0;
}

int PuzzleSolvedScreen::keyDown(int, platform::LParam) {
    if (anyKey_ && !nextPressed_) {
        nextPressed_ = true;
        renderStatic(1);
    }
    return 1;
}

void PuzzleSolvedScreen::draw(int ox, int oy, Sprite& target) {
    if (nextPressed_) {
        Screen::draw(ox, oy, target);
        darkenForLeaving(target);
        return;
    }
    if (Sprite* below = snapshot()) target.Blit(0, 0, *below, BLEND_NORMAL, 0);
    banner_.draw(target, 0);
    if (anyKey_) DrawText(target, gameFonts().dark, kTextX, kTextY, pressAnyKey_.c_str(), 0, 0, 0);
}
