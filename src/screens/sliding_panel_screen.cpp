#include "screens/sliding_panel_screen.h"

#include <cmath>

#include "graphics/sprite.h"
#include "platform/win_messages.h"
#include "sound/sound_group.h"
#include "ui/control_sounds.h"
#include "ui/effect_layer.h"

void SlidingPanelScreen::load(const char* file, const char* section) {
    sound_ = loadSoundGroup(kSoundTable, "options");
    Screen::load(file, section);
}

void SlidingPanelScreen::onShow() {
    Screen::onShow();
    offset_ = kStartOffset;
    direction_ = -1;
    arrived_ = false;
    stepFactor_ = 10.0f;
    if (!silentShow_) playPanelSound();
}

int SlidingPanelScreen::update(int milliseconds) {
    if (EffectLayer* layer = effectLayer()) layer->stepAll(milliseconds);
    if (direction_ == 0) return 0;
    if (arrived_) {
        closeOverlay();
        return 0;
    }
    // Fast while far from the resting place, slowing as it comes near.
    const float speed = 17.0f + (offset_ - 3.0f) / 19.0f;
    offset_ += static_cast<float>(direction_ * milliseconds) * speed * 0.05f;
    if (direction_ < 0 && offset_ <= 0.0f) {
        offset_ = 0.0f;
        direction_ = 0;
    } else if (direction_ > 0 && offset_ >= kLeftOffset) {
        offset_ = kLeftOffset;
        direction_ = -1;
        arrived_ = true;
    }
    return 0;
}

int SlidingPanelScreen::keyDown(int key, platform::LParam lParam) {
    if (key == platform::VK_ESCAPE) slideOut();
    return Screen::keyDown(key, lParam);
}

void SlidingPanelScreen::slideOut() {
    direction_ = 1;
    playPanelSound();
}

void SlidingPanelScreen::playPanelSound() {
    if (sound_) playSoundGroup(sound_, 0, 0, 0, 0);
}

int SlidingPanelScreen::panelX() const { return static_cast<int>(std::lround(offset_)); }

void SlidingPanelScreen::drawPanel(Sprite& target) {
    if (Sprite* below = snapshot()) target.Blit(0, 0, *below, BLEND_NORMAL, 0);
    if (EffectLayer* layer = effectLayer()) layer->renderAll(target);
    const int dx = panelX();
    for (const auto& control : childrenOldestFirst()) control->draw(dx, 0, target);
}

void SlidingPanelScreen::draw(int ox, int oy, Sprite& target) {
    (void)ox;
    (void)oy;
    drawPanel(target);
}
