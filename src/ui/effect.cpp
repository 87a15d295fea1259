#include "ui/effect.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "graphics/sprite.h"

namespace {

constexpr float kFarOff = 1.0e6f;

}  // namespace

int pixelOf(float coordinate) {
    if (!(coordinate > -kFarOff)) return static_cast<int>(-kFarOff);  // NaN too
    if (coordinate > kFarOff) return static_cast<int>(kFarOff);
    return static_cast<int>(coordinate);
}

int Effect::frameTime() const {
    if (lifetime <= 0) return 0;
    return static_cast<int>(std::int64_t(age) * 1000 / lifetime);
}

void Effect::addAge(int dt) { age = static_cast<int>(std::min<std::int64_t>(std::int64_t(age) + dt, INT32_MAX)); }

int Effect::step(int dt) {
    addAge(dt);
    if (age >= lifetime) finished = true;
    return finished ? 1 : 0;
}

void Effect::render(Sprite& surface) {
    if (!sprite) return;
    surface.Blit(pixelOf(x) - sprite->width() / 2, pixelOf(y) - sprite->height() / 2, *sprite, BLEND_NORMAL,
                 frameTime());
}
