#include "ui/progress_control.h"

#include <cmath>

#include "graphics/sprite.h"

void ProgressControl::load(const char* file, const char* section) {
    loadButton(file, section);
    barOrigin_ = x;
    fill_ = screenImage(file, section, "leftpath");
    empty_ = screenImage(file, section, "rightpath");
    const Sprite* bar = hasPixels(fill_) ? fill_ : empty_;
    if (hasPixels(bar)) {
        barWidth_ = bar->width();
        xs = bar->width();
        ys = bar->height();
    }
    const Sprite* knob = stateImage(kNormal);
    if (hasPixels(knob)) {
        x -= knob->width() / 2;
        xs += knob->width();
    }
}

void ProgressControl::setValue(float v) {
    if (v > 1.0f) {
        value_ = 1.0f;
    } else if (!(v >= 0.01f)) {  // also catches NaN
        value_ = 0.0f;
    } else {
        value_ = v;
    }
}

int ProgressControl::filledWidth() const {
    // nearbyint rounds halves to even in the default rounding mode.
    return static_cast<int>(std::nearbyint(static_cast<float>(barWidth_) * value_));
}

void ProgressControl::draw(int ox, int oy, Sprite& target) {
    if (!visible) return;
    const int filled = filledWidth();
    if (filled > 0 && hasPixels(fill_))
        target.BlitPart(ox + barOrigin_, oy + y, filled, ys, *fill_, 0, 0, BLEND_NORMAL, 0);
    if (filled != barWidth_ && hasPixels(empty_))
        target.BlitPart(ox + barOrigin_ + filled, oy + y, barWidth_ - filled, ys, *empty_, filled, 0, BLEND_NORMAL, 0);
    Sprite* knob = stateImage(mouseState());
    if (hasPixels(knob))
        target.Blit(ox + barOrigin_ + filled - knob->width() / 2, oy + y + ys / 2 - knob->height() / 2, *knob,
                    BLEND_NORMAL, 0);
    drawKeyMark(ox, oy, target);
}

void ProgressControl::followMouse(platform::LParam lParam) {
    // A bar without pictures has no width to measure the mouse against.
    if (barWidth_ <= 0) return;
    setValue(static_cast<float>(platform::mouseX(lParam) - barOrigin_) / static_cast<float>(barWidth_));
}

int ProgressControl::keyDown(int key, platform::LParam lParam) {
    if (!draggable() || key != 1) return 0;
    setPressed(true);
    followMouse(lParam);
    if (UiElement* screen = parent()) screen->onCommand(this);
    return 0;
}

int ProgressControl::keyUp(int key, platform::LParam) {
    if (draggable() && key == 1) setPressed(false);
    return 0;
}

int ProgressControl::mouseEvent(platform::WParam, platform::LParam lParam) {
    if (!draggable() || !pressed()) return 0;
    followMouse(lParam);
    if (UiElement* screen = parent()) screen->onCommand(this);
    return 1;
}
