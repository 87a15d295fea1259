#include "screens/time_up_screen.h"

#include <algorithm>
#include <cmath>

#include "config/game_settings.h"
#include "config/game_texts.h"
#include "game/game_session.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"
#include "screens/letter_banner.h"
#include "screens/main_menu_screen.h"
#include "ui/screen_manager.h"

namespace {

constexpr int kNewGameLives = 5;
constexpr int kPictureWidth = 800, kPictureHeight = 600;
constexpr int kNewGameWands = 5;

// The panel's fall: fast from far above, slowing as it nears its place.
float slideSpeed(float offset) { return std::clamp((offset - 3.0f) * (-1.0f / 6.0f), 0.01f, 35.0f); }

}  // namespace

TimeUpScreen::~TimeUpScreen() { ReleaseSprite(lostPicture_); }

void TimeUpScreen::load(const char* file, const char* section) {
    Screen::load(file, section);
    if (!picture_) picture_ = renderLetters(gameText("timeup"));
}

GameSession* TimeUpScreen::session() const {
    ScreenManager* owner = manager();
    return owner ? findGameSession(*owner) : nullptr;
}

void TimeUpScreen::onShow() {
    Screen::onShow();
    width_ = 0.0f;
    offset_ = kHiddenOffset;
    holdMs_ = kHoldMs;
    answer_ = 0;
    closeMs_ = 0;
    panelComing_ = false;
    if (GameSession* game = session()) {
        keepPictureOf(*game);
        loseTheLevel(*game);
    }
}

void TimeUpScreen::keepPictureOf(GameSession& game) {
    auto* screen = dynamic_cast<Screen*>(&game);
    if (!screen) return;
    if (!lostPicture_) lostPicture_ = CreateSprite(kPictureWidth, kPictureHeight, "");
    if (!lostPicture_) return;
    screen->draw(0, 0, *lostPicture_);
    lostPicturePending_ = true;
}

// The life is gone now, and the board of the lost level with it: leaving
// the game from here comes back to the level dealt afresh.
void TimeUpScreen::loseTheLevel(GameSession& game) {
    game.setLives(game.lives() - 1);
    game.saveProfileAndForgetBoard();
    if (!gameOver_) return;

    GameSettings& settings = gameSettings();
    insertHighScore(settings, settings.currentPlayerName.c_str(), game.score());
    game.setScore(0);
    game.setLives(kNewGameLives);
    game.setWands(kNewGameWands);
    game.saveProfileAndForgetBoard();
}

int TimeUpScreen::onCommand(UiElement* source) {
    if (!source || !panelComing_ || answer_ != 0) return 0;
    if (sameName(source->name(), "yes")) {
        answer_ = 1;
    } else if (sameName(source->name(), "no")) {
        answer_ = -1;
    } else {
        return 0;
    }
    renderStatic(1);
    return 0;
}

int TimeUpScreen::keyDown(int key, platform::LParam lParam) {
    if (!panelComing_ || answer_ != 0) return 0;
    return Screen::keyDown(key, lParam);
}

int TimeUpScreen::update(int milliseconds) {
    if (answer_ != 0) {
        closeMs_ += milliseconds;
        if (closeMs_ > kCloseMs) leave();
        return 0;
    }
    if (panelComing_) {
        if (offset_ < 0.0f) offset_ = std::min(0.0f, offset_ + float(milliseconds) * slideSpeed(offset_) * 0.05f);
        return Screen::update(milliseconds);
    }
    const float fullWidth = picture_ ? float(picture_->width()) : 0.0f;
    if (width_ < fullWidth) {
        width_ = std::min(fullWidth, width_ + float(milliseconds) * kZoomPixelsPerMs);
    } else {
        holdMs_ -= milliseconds;
        if (holdMs_ < 0) panelComing_ = true;
    }
    return 0;
}

void TimeUpScreen::leave() {
    const int answer = answer_;
    answer_ = 0;
    GameSession* game = session();
    ScreenManager* owner = manager();
    closeOverlay();
    if (answer > 0) {
        if (game) game->restartLevel();
    } else if (owner) {
        if (auto* menu = dynamic_cast<MainMenuScreen*>(owner->showScreen("mainmenu", 1))) menu->fadeIn();
    }
}

void TimeUpScreen::draw(int ox, int oy, Sprite& target) {
    // The picture underneath was taken after the life had gone.
    if (lostPicturePending_ && snapshot() && lostPicture_) {
        snapshot()->Blit(0, 0, *lostPicture_, BLEND_NORMAL, 0);
        lostPicturePending_ = false;
    }
    if (!panelComing_) {
        if (Sprite* below = snapshot()) target.Blit(0, 0, *below, BLEND_NORMAL, 0);
        if (!picture_ || picture_->width() <= 0) return;
        const int w = int(std::lround(width_));
        const int h = int(std::lround(float(picture_->height()) * width_ / float(picture_->width())));
        if (w > 0 && h > 0)
            target.BlitScaled(400 - w / 2, 300 - h / 2, w, h, *picture_, 0, 0, picture_->width(), picture_->height(),
                              BLEND_NORMAL, 0);
        return;
    }
    Screen::draw(ox, oy + int(std::lround(offset_)), target);
    if (answer_ != 0 && closeMs_ > 0)
        target.Darken(0, 0, 800, 600, closeMs_ >= kCloseMs ? 255 : closeMs_ * 255 / kCloseMs);
}
