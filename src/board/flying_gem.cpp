#include "board/flying_gem.h"

#include <algorithm>
#include <utility>

#include "graphics/sprite.h"
#include "ui/game_random.h"

namespace {

constexpr float kDriftPerPixel = 0.0004f;
constexpr float kThrowBase = -0.2f;
constexpr float kThrowRandom = 0.0000015259255f;  // up to 0.05 px/ms either way
constexpr float kFall = 0.0005f;                   // px/ms per ms
constexpr float kFastestBounce = -0.5f;
constexpr float kBounceKeeps = -0.4f;

}  // namespace

FlyingGem::FlyingGem(EffectLayer& layer, Sprite* gem, Sprite* glow, float px, float py, bool big, Landing landed,
                     const TrailSpec& trail)
    : glow_(glow), big_(big), landed_(std::move(landed)) {
    sprite = gem;
    x = px;
    y = py;
    vx = (kTargetX - px) * kDriftPerPixel;
    vy = float(gameRandomSigned()) * kThrowRandom + kThrowBase;
    if (trail.image) trail_.start(layer, x, y, trail);
}

int FlyingGem::step(int dt) {
    if (finished) return 1;
    addAge(dt);
    const float lastX = x, lastY = y, lastVy = vy;
    x += float(dt) * vx;
    y += float(dt) * vy;
    vy += float(dt) * kFall;
    const float halfHeight = sprite ? float(sprite->height() / 2) : 0.0f;
    if (lastVy > 0 && y > kFloorY - halfHeight) {
        // Back to where it touched, and up again with less than half the speed.
        x = lastX;
        y = lastY;
        vy = lastVy;
        bounce();
        if (finished) return 1;
    }
    trail_.moveTo(x, y);
    return 0;
}

void FlyingGem::bounce() {
    vy = std::max(vy, kFastestBounce) * kBounceKeeps;
    if (++bounces_ < kBounces) return;
    finished = true;
    trail_.release();
    if (landed_) landed_(big_, x, y);
}

void FlyingGem::render(Sprite& surface) {
    if (glow_) surface.Blit(pixelOf(x) - glow_->width() / 2, pixelOf(y) - glow_->height() / 2, *glow_, BLEND_ADD, 0);
    if (sprite)
        surface.Blit(pixelOf(x) - sprite->width() / 2, pixelOf(y) - sprite->height() / 2, *sprite, BLEND_NORMAL, age);
}
