#pragma once
// FlyingCoating: a layer of coating or a bonus plate knocked off its cell.
// It hangs a moment, then tumbles up and away, spinning, and falls out of
// the picture; the plates drag a trail of sparks behind them.

#include "board/effect_trail.h"
#include "ui/effect.h"

class EffectLayer;

class FlyingCoating : public Effect {
public:
    // Before this much time the plate has not yet come loose, ms.
    static constexpr int kWaitMs = 21;
    // It is gone once its centre is below this line.
    static constexpr float kGoneBelow = 650.0f;

    // `picture` is the 64 x 64 coating (null flies nothing visible);
    // `drift` the board's dxFromOrigin (336 straight up); a null
    // `trail.image` flies without sparks.
    FlyingCoating(EffectLayer& layer, Sprite* picture, float x, float y, float drift, const TrailSpec& trail);

    int step(int dt) override;
    void render(Sprite& surface) override;

    float angle() const { return angle_; }
    float spin() const { return spin_; }
    int trailSlot() const { return trail_.slot(); }

private:
    EffectTrail trail_;
    float angle_ = 0;  // radians
    float spin_ = 0;   // radians per ms
};
