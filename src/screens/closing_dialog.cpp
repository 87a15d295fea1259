#include "screens/closing_dialog.h"

#include "game/game_session.h"
#include "graphics/sprite.h"
#include "screens/main_menu_screen.h"
#include "screens/quest_map_screen.h"
#include "screens/sliding_panel_screen.h"
#include "sound/music_player.h"
#include "ui/screen_manager.h"

void ClosingDialog::onShow() {
    DimmedDialog::onShow();
    timer_ = 0;
    closing_ = false;
    finished_ = false;
}

int ClosingDialog::onCommand(UiElement* source) {
    if (!source || closing_) return 0;
    if (sameName(source->name(), "ok")) {
        closing_ = true;
        stopMusic(musicPlayer());
    } else if (sameName(source->name(), "cancel")) {
        cancel();
    }
    return 0;
}

int ClosingDialog::keyDown(int key, platform::LParam lParam) {
    if (key == platform::VK_ESCAPE && !closing_) {
        cancel();
        return 0;
    }
    return Screen::keyDown(key, lParam);
}

void ClosingDialog::cancel() { closeOverlay(); }

int ClosingDialog::update(int milliseconds) {
    if (closing_ && !finished_) {
        if (timer_ < kCloseMs) timer_ += milliseconds;
        if (timer_ >= kCloseMs) {
            finished_ = true;
            finish();
            return 0;
        }
    }
    return Screen::update(milliseconds);
}

void ClosingDialog::draw(int ox, int oy, Sprite& target) {
    DimmedDialog::draw(ox, oy, target);
    if (closing_ && timer_ > 0) target.Darken(0, 0, 800, 600, timer_ >= kCloseMs ? 255 : timer_ * 255 / kCloseMs);
}

void ConfirmDialog::finish() {
    ScreenManager* owner = manager();
    if (!owner) return;
    if (auto* menu = dynamic_cast<MainMenuScreen*>(owner->showScreen("mainmenu", 1))) menu->fadeIn();
}

void ConfirmDialog::cancel() {
    auto* resume = dynamic_cast<SlidingPanelScreen*>(underlyingScreen());
    closeOverlay();
    if (resume) resume->setPanelOffset(0.0f);
}

void ContinueDialog::finish() {
    ScreenManager* owner = manager();
    if (!owner) return;
    GameSession* session = findGameSession(*owner);
    owner->showScreen("game", 1);
    // The quest map has given the game the saved quest's level.
    if (session) session->startQuest(session->level());
}

void ContinueDialog::cancel() {
    auto* map = dynamic_cast<QuestMapScreen*>(underlyingScreen());
    // Closing shows the map again, which resets its question first.
    closeOverlay();
    if (map) map->setContinueAsked();
}
