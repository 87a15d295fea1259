#include "ui/static_control.h"

#include <cstdint>

#include "config/ini_store.h"
#include "graphics/font.h"
#include "graphics/game_fonts.h"
#include "graphics/sprite.h"
#include "ui/effect_layer.h"

namespace {

// Updates come in 20 ms steps: the step that ends in this window is the
// last one before the control appears.
constexpr int kAppearanceLead = 20;

}  // namespace

Font* staticFontOf(const UiElement& element) {
    const UiElement* owner = element.parent();
    if (owner && owner->childFont) return owner->childFont;
    return gameFonts().statics;
}

StaticControl::StaticControl() { tabStop = false; }

void StaticControl::load(const char* file, const char* section) {
    UiElement::load(file, section);
    image = screenImage(file, section, "path");
    const int length = iniReadInt(file, section, "length");
    const int period = iniReadInt(file, section, "period");
    if (hasPixels(image) && length > 0 && period != 0 && length != image->frameCount())
        image->cutIntoFrames(length, period);
    if (!hasPixels(image)) return;
    if (xs == 0) xs = image->width();
    if (ys == 0) ys = image->height();
    stretch_ = xs != image->width() || ys != image->height();
}

bool StaticControl::waitingToAppear() const { return phase != 0 && clock < phase; }

void StaticControl::draw(int ox, int oy, Sprite& target) {
    if (!visible || waitingToAppear()) return;
    if (hasPixels(image)) {
        if (stretch_)
            target.BlitScaled(ox + x, oy + y, xs, ys, *image, 0, 0, image->width(), image->height(), BLEND_KEY, clock);
        else
            target.Blit(ox + x, oy + y, *image, BLEND_KEY, clock);
    }
    if (caption()[0] != '\0')
        DrawText(target, staticFontOf(*this), ox + x + xs / 2, oy + y + ys / 2, caption(), 0, xalign, yalign);
    drawKeyMark(ox, oy, target);
}

void StaticControl::advanceWithAppearance(int milliseconds) {
    advanceClock(milliseconds);
    if (phase == 0) return;
    const std::int64_t start = std::int64_t(phase) - kAppearanceLead;
    if (clock >= start && clock < phase) {
        if (EffectLayer* layer = effectLayer()) layer->appear(float(x), float(y + ys / 2));
    }
}

int StaticControl::update(int milliseconds) {
    advanceWithAppearance(milliseconds);
    return 0;
}
