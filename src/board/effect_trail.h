#pragma once
// EffectTrail: an emitter slot held by the effect it follows. A flying plate
// or gem leaves sparks behind it; the slot moves with the effect and is
// given back the moment the effect goes, however it goes (finished, removed
// early, or the layer cleared), so ten trails never outlive their sprites.

class EffectLayer;

struct TrailSpec {
    const char* image = nullptr;
    int frames = 6;
    float spread = 0;          // either way, both axes
    float range = 0.1f;        // velocity range either way, both axes
    float dampX = 0.96f, dampY = 0.98f;
    float gravity = 0.002f;
    int lifeBase = 600, lifeRandom = 200;
    int intervalBase = 2, intervalRandom = 1;
};

class EffectTrail {
public:
    EffectTrail() = default;
    ~EffectTrail() { release(); }
    EffectTrail(const EffectTrail&) = delete;
    EffectTrail& operator=(const EffectTrail&) = delete;

    // Claims a slot at (x, y) (giving back any held before); without a free
    // slot the trail stays empty and the effect flies bare. False then.
    bool start(EffectLayer& layer, float x, float y, const TrailSpec& spec);
    void moveTo(float x, float y);
    void release();
    // The slot held, or -1.
    int slot() const { return slot_; }

private:
    EffectLayer* layer_ = nullptr;
    int slot_ = -1;
};
