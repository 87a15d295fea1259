#include "ui/button_control.h"

#include <string>

#include "config/ini_store.h"
#include "graphics/font.h"
#include "graphics/game_fonts.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"
#include "ui/control_sounds.h"

ButtonControl::ButtonControl() {
    tabStop = true;
    setTypeTag("button");
}

namespace {

// How strongly a disabled button's face covers what lies behind it.
constexpr int kDisabledOpacity = 90;

}  // namespace

ButtonControl::~ButtonControl() { ReleaseSprite(dimmedFace_); }

void ButtonControl::load(const char* file, const char* section) { loadButton(file, section); }

void ButtonControl::loadButton(const char* file, const char* section) {
    UiElement::load(file, section);

    // A prompt of a prompt is never read: a section naming itself, or two
    // naming each other, would otherwise load prompts without end.
    const std::string promptSection = isPrompt_ ? "" : iniReadString(file, section, "prompt");
    if (!promptSection.empty()) {
        prompt_ = std::make_unique<ButtonControl>();
        prompt_->isPrompt_ = true;
        prompt_->load(file, promptSection.c_str());
    }

    images_[kNormal] = screenImage(file, section, "path");
    images_[kActive] = screenImage(file, section, "path_a");
    if (!images_[kActive]) images_[kActive] = images_[kNormal];
    images_[kPressed] = screenImage(file, section, "path_p");
    if (!images_[kPressed]) images_[kPressed] = images_[kActive];
    images_[kDisabled] = screenImage(file, section, "path_d");

    const Sprite* sizing = hasPixels(images_[kNormal]) ? images_[kNormal] : images_[kActive];
    if (hasPixels(sizing)) {
        if (xs == 0) xs = sizing->width();
        if (ys == 0) ys = sizing->height();
    } else if (caption()[0] != '\0') {
        const Font* menu = gameFonts().menu;
        if (xs == 0) xs = TextWidth(menu, caption());
        if (ys == 0 && menu) ys = menu->lineHeight;
    }
    clickSound_ = controlSound(kClickSound);
}

int ButtonControl::mouseState() const {
    if (pressed() && focused()) return kPressed;
    return focused() ? kActive : kNormal;
}

void ButtonControl::draw(int ox, int oy, Sprite& target) {
    if (!visible) return;
    if (!enabled) {
        drawDisabled(ox, oy, target);
    } else {
        const int state = mouseState();
        Sprite* picture = images_[state];
        const bool drawn = hasPixels(picture);
        if (drawn) target.Blit(ox + x, oy + y, *picture, BLEND_NORMAL, clock);
        drawCaption(target, ox + x, oy + y, state, drawn);
    }
    if (prompt_) {
        prompt_->enabled = enabled;
        prompt_->visible = visible;
        prompt_->setPressed(pressed());
        prompt_->setFocusedFlag(focused());
        prompt_->draw(ox, oy, target);
    }
    drawKeyMark(ox, oy, target);
}

// Captions sit a little low on their plates, and lower still while
// pressed, so the button seems to go down.
void ButtonControl::drawCaption(Sprite& target, int left, int top, int state, bool onPicture) const {
    if (caption()[0] == '\0') return;
    const int drop = onPicture ? (pressed() ? 1 : 0) + 4 : 0;
    DrawText(target, gameFonts().menu, left + xs / 2, top + ys / 2 + drop, caption(), state + 1, 0, 0);
}

// The face (picture and caption) is put together in a work picture with
// the picture's opacity, then laid over the screen faded.
void ButtonControl::drawDisabled(int ox, int oy, Sprite& target) {
    Sprite* picture = hasPixels(images_[kDisabled]) ? images_[kDisabled] : images_[kNormal];
    const bool onPicture = hasPixels(picture);
    const int w = onPicture ? picture->width() : xs, h = onPicture ? picture->height() : ys;
    if (w <= 0 || h <= 0) return;
    // A caption alone is set into a clear picture, made afresh.
    if (dimmedFace_ && (!onPicture || dimmedFace_->width() != w || dimmedFace_->height() != h)) {
        ReleaseSprite(dimmedFace_);
        dimmedFace_ = nullptr;
    }
    if (!dimmedFace_) dimmedFace_ = CreateSpriteWithAlpha(w, h, "", 0);
    if (!dimmedFace_) return;
    Sprite& face = *dimmedFace_;
    if (onPicture) {
        face.CopyPartWithAlpha(0, 0, *picture, 0, 0, w, h);
        drawCaption(face, 0, 0, kNormal, true);
    } else if (caption()[0] != '\0') {
        Font* menu = gameFonts().menu;
        const int lineHeight = menu ? menu->lineHeight : 0;
        DrawTextWithAlpha(face, menu, (w - TextWidth(menu, caption())) / 2, (h - lineHeight) / 2, caption());
    }
    target.BlitFaded(ox + x, oy + y, face, kDisabledOpacity, 0);
}

int ButtonControl::keyDown(int key, platform::LParam) {
    if (!enabled) return 0;
    if (key == 1) {
        setPressed(true);
        onPress();
        playClick();
    }
    return 1;
}

int ButtonControl::keyUp(int key, platform::LParam) {
    if (!enabled) return 0;
    if (key == 1 && pressed()) {
        setPressed(false);
        if (UiElement* screen = parent()) screen->onCommand(this);
    }
    return 1;
}

void ButtonControl::setPromptText(const char* text) {
    if (prompt_) prompt_->setText(text);
}

void ButtonControl::onPress() {}

void ButtonControl::playClick() const { playControlSound(clickSound_); }
