#include "ui/particle.h"

#include <algorithm>

#include "graphics/sprite.h"
#include "ui/game_random.h"

namespace {

// Half a particle's picture may still show beyond the picture's edge.
constexpr float kLeft = -30.0f, kRight = 830.0f, kTop = -30.0f, kBottom = 630.0f;
constexpr float kJitter = 0.00003051851f;  // a signed draw becomes up to a pixel

float limited(float v, float limit) { return limit != 0.0f ? std::clamp(v, -limit, limit) : v; }

}  // namespace

int Particle::step(int dt) {
    if (screenBounded) {
        // Falling confetti lives until it is out of sight, however long.
        if (x < kLeft || x > kRight || y < kTop || y > kBottom) finished = true;
        addAge(dt);
    } else {
        Effect::step(dt);
    }
    const float limitX = maxVx < 0 ? -maxVx : maxVx;
    const float limitY = maxVy < 0 ? -maxVy : maxVy;
    vx *= dx;
    vy = (vy + float(dt) * g * 0.05f) * dy;
    vx = limited(vx, limitX);
    vy = limited(vy, limitY);
    x += float(dt) * vx;
    y += float(dt) * vy;
    x += float(gameRandomSigned()) * kJitter;
    return finished ? 1 : 0;
}

void Particle::render(Sprite& surface) {
    if (!sprite) return;
    surface.Blit(pixelOf(x), pixelOf(y), *sprite, additive ? BLEND_ADD : BLEND_NORMAL, frameTime());
}
