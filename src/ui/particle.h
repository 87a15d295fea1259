#pragma once
// Particle: an effect that flies. Each step its velocity is damped, pulled
// down by gravity and limited, and it drifts by up to a pixel either way,
// so a burst of sparks never looks ruled. It is drawn with its top-left
// corner at its position, added to the picture when additive.

#include "ui/effect.h"

class Particle : public Effect {
public:
    int step(int dt) override;
    void render(Sprite& surface) override;

    bool additive = false;
    float dx = 1.0f, dy = 1.0f;  // damping of vx and vy per step
    float g = 0.01f;             // gravity
    float maxVx = 0, maxVy = 0;  // speed limits; 0: none
};
