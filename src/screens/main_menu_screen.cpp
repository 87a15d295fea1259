#include "screens/main_menu_screen.h"

#include <cmath>
#include <cstdlib>

#include "config/game_settings.h"
#include "config/ini_store.h"
#include "config/url_shortcut.h"
#include "game/game_session.h"
#include "graphics/sprite.h"
#include "sound/music_player.h"
#include "ui/effect_layer.h"
#include "ui/screen_manager.h"

namespace {

// The ten confetti pictures, a large and a small piece of five colours.
constexpr const char* kConfetti[10] = {
    "data\\fx\\konfeti_big1.tga", "data\\fx\\konfeti_small1.tga", "data\\fx\\konfeti_big2.tga",
    "data\\fx\\konfeti_small2.tga", "data\\fx\\konfeti_big4.tga", "data\\fx\\konfeti_small4.tga",
    "data\\fx\\konfeti_big5.tga", "data\\fx\\konfeti_small5.tga", "data\\fx\\konfeti_big6.tga",
    "data\\fx\\konfeti_small6.tga",
};

// The publisher's buttons and the shortcut file each opens.
struct Shortcut {
    const char* control;
    const char* file;
};
constexpr Shortcut kShortcuts[] = {
    {"brimvale", "website.url"}, {"tell", "tellafriend.url"}, {"more", "moregames.url"}, {"subscribe", "subscribe.url"}};

}  // namespace

void MainMenuScreen::onShow() {
    requestedMode_ = Mode::None;
    Screen::onShow();
    if (UiElement* name = findChild("name")) name->setText(gameSettings().currentPlayerName.c_str());
    playMusic(musicPlayer(), MUSIC_MENU);
    if (confettiPending_) throwConfetti();
}

void MainMenuScreen::onHide() {
    Screen::onHide();
    releaseConfetti();
}

void MainMenuScreen::throwConfetti() {
    EffectLayer* layer = effectLayer();
    if (!layer) return;
    for (int i = 0; i < 10; ++i) {
        if (confettiSlots_[i] >= 0) continue;
        confettiSlots_[i] = layer->addEmitter(400.0f, -20.0f, 400.0f, 0.0f, 0.0f, 0.06f, 0.05f, 0.03f, 1.0f, 1.0f,
                                              0.0f, 900, 300, 1000, 1, kConfetti[i], 15, 0, 1);
    }
    confettiPending_ = false;
}

// The flakes already falling finish their fall; only the sources go, and
// the menu throws again when it is shown again.
void MainMenuScreen::releaseConfetti() {
    EffectLayer* layer = effectLayer();
    for (int& slot : confettiSlots_) {
        if (slot >= 0 && layer) layer->removeEmitter(slot);
        if (slot >= 0) confettiPending_ = true;
        slot = -1;
    }
}

int MainMenuScreen::onCommand(UiElement* source) {
    if (!source) return 0;
    const char* name = source->name();
    ScreenManager* owner = manager();
    if (sameName(name, "quest")) {
        if (owner) owner->showScreen("questmap", 1);
        confettiPending_ = true;
    } else if (sameName(name, "puzzle")) {
        requestMode(Mode::Puzzle);
    } else if (sameName(name, "action")) {
        requestMode(Mode::Action);
    } else if (sameName(name, "cube")) {
        requestMode(Mode::Cube);
    } else if (sameName(name, "options")) {
        openOverlay("options");
    } else if (sameName(name, "scores")) {
        openOverlay("highscores");
    } else if (sameName(name, "rules")) {
        openOverlay("helpmenu");
    } else if (sameName(name, "exit")) {
        if (owner) owner->requestQuit();
        fadeTimer_ = 0;
    } else {
        for (const Shortcut& shortcut : kShortcuts) {
            if (sameName(name, shortcut.control)) openUrlShortcut(shortcut.file);
        }
    }
    return 0;
}

void MainMenuScreen::requestMode(Mode mode) {
    // The first choice wins; the fade to black is already on its way.
    if (modeRequested()) return;
    requestedMode_ = mode;
    stopMusic(musicPlayer());
}

void MainMenuScreen::openOverlay(const char* name) {
    if (ScreenManager* owner = manager()) owner->showOverlay(name);
    fadeTimer_ = 0;
}

void MainMenuScreen::askForPlayerName() {
    ScreenManager* owner = manager();
    if (!owner) return;
    GameSettings& settings = gameSettings();
    settings.currentPlayerIndex = 0;
    iniWriteInt(kProfilesIni, "main", "current", 0);
    Screen* dialog = owner->showOverlay("editname");
    if (!dialog) return;
    // There is no list to go back to: a name must be given.
    if (UiElement* cancel = dialog->findChild("cancel")) {
        cancel->enabled = false;
        cancel->visible = false;
    }
}

void MainMenuScreen::startRequestedGame() {
    const Mode mode = requestedMode_;
    fadeTimer_ = -kFadeMs;
    confettiPending_ = true;
    ScreenManager* owner = manager();
    if (!owner) return;
    GameSession* session = findGameSession(*owner);
    owner->showScreen("game", 1);
    if (!session) return;
    if (mode == Mode::Puzzle) session->startPuzzle();
    else if (mode == Mode::Action) session->startAction();
    else if (mode == Mode::Cube) session->startCube();
}

int MainMenuScreen::update(int milliseconds) {
    if (EffectLayer* layer = effectLayer()) layer->stepAll(milliseconds);
    if (fadeTimer_ < 0 || modeRequested()) {
        fadeTimer_ += milliseconds;
    } else if (gameSettings().currentPlayerName.empty()) {
        askForPlayerName();
        return 0;
    }
    if (fadeTimer_ > kFadeMs) startRequestedGame();
    if (highScoresRequested_ && fadeTimer_ >= 0) {
        highScoresRequested_ = false;
        openOverlay("highscores");
    }
    return Screen::update(milliseconds);
}

void MainMenuScreen::draw(int ox, int oy, Sprite& target) {
    Screen::draw(ox, oy, target);
    if (EffectLayer* layer = effectLayer()) layer->renderAll(target);
    if (!fading()) return;
    const int amount = static_cast<int>(std::lround(std::abs(fadeTimer_) * 0.002 * 255.0));
    if (amount > 0) target.Darken(0, 0, 800, 600, amount);
}

std::vector<UiElement*> MainMenuScreen::keyStops() const {
    std::vector<UiElement*> stops = Screen::keyStops();
    UiElement* name = findChild("name");
    if (name && name->visible && name->xs > 0 && name->ys > 0) stops.insert(stops.begin(), name);
    return stops;
}

bool MainMenuScreen::pressByKey(UiElement& control) {
    if (fading()) return true;
    if (&control != findChild("name")) return Screen::pressByKey(control);
    openOverlay("profilemenu");
    return true;
}

int MainMenuScreen::keyDown(int key, platform::LParam lParam) {
    if (fading()) return 0;
    const int px = platform::mouseX(lParam), py = platform::mouseY(lParam);
    if (px > kNameLeft && px < kNameRight && py > kNameTop && py < kNameBottom) {
        openOverlay("profilemenu");
        return 0;
    }
    return Screen::keyDown(key, lParam);
}
