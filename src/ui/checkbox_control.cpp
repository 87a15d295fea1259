#include "ui/checkbox_control.h"

#include "config/ini_store.h"
#include "graphics/sprite.h"

void CheckboxControl::load(const char* file, const char* section) {
    loadButton(file, section);
    // Anything but 0 is ticked, so inverting always gives 0 or 1.
    value = iniReadInt(file, section, "value") != 0 ? 1 : 0;
    const Sprite* ticked = stateImage(kPressed);
    if (hasPixels(ticked)) {
        if (xs == 0) xs = ticked->width();
        if (ys == 0) ys = ticked->height();
    }
}

void CheckboxControl::draw(int ox, int oy, Sprite& target) {
    if (!visible) return;
    const int state = !enabled ? kDisabled : value == 1 ? kPressed : focused() ? kActive : kNormal;
    Sprite* picture = stateImage(state);
    if (hasPixels(picture)) target.Blit(ox + x, oy + y, *picture, BLEND_NORMAL, clock);
    drawKeyMark(ox, oy, target);
}

int CheckboxControl::keyDown(int key, platform::LParam) {
    if (!enabled || !visible) return 0;
    if (key == 1) {
        setPressed(true);
        onPress();
        if (UiElement* screen = parent()) screen->onCommand(this);
    }
    return 1;
}

int CheckboxControl::keyUp(int key, platform::LParam) {
    if (!enabled || !visible) return 0;
    if (key == 1 && pressed()) setPressed(false);
    return 1;
}

void CheckboxControl::onPress() { value = value == 1 ? 0 : 1; }
