#include "screens/win_screen.h"

#include "screens/main_menu_screen.h"
#include "ui/effect_layer.h"
#include "ui/screen_manager.h"

namespace {

// A large and a small piece in each of five colours.
constexpr const char* kConfetti[10] = {
    "data\\fx\\konfeti_big1.tga", "data\\fx\\konfeti_small1.tga", "data\\fx\\konfeti_big2.tga",
    "data\\fx\\konfeti_small2.tga", "data\\fx\\konfeti_big4.tga", "data\\fx\\konfeti_small4.tga",
    "data\\fx\\konfeti_big5.tga", "data\\fx\\konfeti_small5.tga", "data\\fx\\konfeti_big6.tga",
    "data\\fx\\konfeti_small6.tga",
};

}  // namespace

void WinScreen::onShow() {
    Screen::onShow();
    EffectLayer* layer = effectLayer();
    if (!layer) return;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i] >= 0) continue;
        slots_[i] = layer->addEmitter(400.0f, -20.0f, 400.0f, 0.0f, 0.0f, 0.06f, 0.05f, 0.03f, 1.0f, 1.0f, 0.0f, 900,
                                      300, 1000, 1, kConfetti[i], 15, 0, 1);
    }
}

void WinScreen::onHide() {
    Screen::onHide();
    releaseConfetti();
}

// The pieces in the air finish their fall; only the sources go.
void WinScreen::releaseConfetti() {
    EffectLayer* layer = effectLayer();
    for (int& slot : slots_) {
        if (slot >= 0 && layer) layer->removeEmitter(slot);
        slot = -1;
    }
}

int WinScreen::update(int milliseconds) {
    if (EffectLayer* layer = effectLayer()) layer->stepAll(milliseconds);
    return 0;
}

void WinScreen::draw(int ox, int oy, Sprite& target) {
    Screen::draw(ox, oy, target);
    if (EffectLayer* layer = effectLayer()) layer->renderAll(target);
}

int WinScreen::keyDown(int, platform::LParam) {
    ScreenManager* owner = manager();
    if (!owner) return 1;
    auto* menu = dynamic_cast<MainMenuScreen*>(owner->showScreen("mainmenu", 1));
    if (menu) {
        menu->fadeIn();
        if (showsHighScores_) menu->requestHighScores();
    }
    return 1;
}
