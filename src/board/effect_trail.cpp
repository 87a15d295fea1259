#include "board/effect_trail.h"

#include "ui/effect_layer.h"

bool EffectTrail::start(EffectLayer& layer, float x, float y, const TrailSpec& spec) {
    release();
    layer_ = &layer;
    // Trails are additive sparks that fade by age, never bounded by the screen.
    slot_ = layer.addEmitter(x, y, spec.spread, spec.spread, 0, 0, spec.range, spec.range, spec.dampX, spec.dampY,
                             spec.gravity, spec.lifeBase, spec.lifeRandom, spec.intervalBase, spec.intervalRandom,
                             spec.image, spec.frames, 1, 0);
    return slot_ >= 0;
}

void EffectTrail::moveTo(float x, float y) {
    if (slot_ >= 0) layer_->moveEmitter(slot_, x, y);
}

void EffectTrail::release() {
    if (slot_ >= 0) layer_->removeEmitter(slot_);
    slot_ = -1;
}
