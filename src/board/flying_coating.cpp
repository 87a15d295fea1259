#include "board/flying_coating.h"

#include "graphics/sprite.h"
#include "ui/game_random.h"

namespace {

constexpr float kRiseBase = -0.22f;
constexpr float kRiseRandom = 0.0000003051851f;   // up to 0.01 px/ms either way
constexpr float kDriftRandom = 0.0000015259255f;  // up to 0.05 px/ms either way
constexpr float kDriftOrigin = 336.0f;
constexpr float kDriftPerPixel = 0.00035714285f;  // a cell 140 px off the middle drifts 0.05 px/ms
constexpr float kSpinRandom = 0.00000018311106f;  // up to 0.006 rad/ms either way
constexpr float kFall = 0.001f;                    // px/ms per ms

}  // namespace

FlyingCoating::FlyingCoating(EffectLayer& layer, Sprite* picture, float px, float py, float drift,
                             const TrailSpec& trail) {
    sprite = picture;
    x = px;
    y = py;
    vy = float(gameRandomSigned()) * kRiseRandom + kRiseBase;
    vx = float(gameRandomSigned()) * kDriftRandom + (drift - kDriftOrigin) * kDriftPerPixel;
    spin_ = float(gameRandomSigned()) * kSpinRandom;
    if (trail.image) trail_.start(layer, x, y, trail);
}

int FlyingCoating::step(int dt) {
    addAge(dt);
    if (age > kWaitMs) {
        x += float(dt) * vx;
        y += float(dt) * vy;
        vy += float(dt) * kFall;
        angle_ += float(dt) * spin_;
    }
    if (y > kGoneBelow) {
        finished = true;
        trail_.release();
        return 1;
    }
    trail_.moveTo(x, y);
    return 0;
}

void FlyingCoating::render(Sprite& surface) {
    if (sprite) surface.BlitRotated(pixelOf(x), pixelOf(y), *sprite, angle_);
}
