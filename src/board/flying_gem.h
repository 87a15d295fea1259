#pragma once
// FlyingGem: a gem thrown by a big match. It drifts toward the collector,
// falls, bounces three times on the floor line above the time bar and then
// lands: whoever threw it is told, pays it into the score and celebrates.

#include <functional>

#include "board/effect_trail.h"
#include "ui/effect.h"

class EffectLayer;

class FlyingGem : public Effect {
public:
    static constexpr int kBounces = 3;
    static constexpr float kFloorY = 545.0f;   // the gem's lower edge bounces here
    static constexpr float kTargetX = 410.0f;  // where it drifts to

    using Landing = std::function<void(bool big, float x, float y)>;

    // `gem` and `glow` may be null (nothing drawn, the gem a point).
    FlyingGem(EffectLayer& layer, Sprite* gem, Sprite* glow, float x, float y, bool big, Landing landed,
              const TrailSpec& trail);

    int step(int dt) override;
    void render(Sprite& surface) override;

    bool big() const { return big_; }
    int bounces() const { return bounces_; }
    int trailSlot() const { return trail_.slot(); }

private:
    void bounce();

    Sprite* glow_ = nullptr;
    bool big_ = false;
    int bounces_ = 0;
    Landing landed_;
    EffectTrail trail_;
};
