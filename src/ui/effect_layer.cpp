#include "ui/effect_layer.h"

#include <algorithm>
#include <cmath>

#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"
#include "ui/game_random.h"
#include "ui/particle.h"
#include "ui/ui_element.h"

namespace {

constexpr float kSignedUnit = 0.00003051851f;  // a signed draw as -1..1
constexpr int kFramePeriod = 1000;             // emitter pictures play over a second

// The appearance sparkle.
constexpr const char* kAppearSparkPath = "data\\fx\\spark7.tga";
constexpr int kAppearSparkFrames = 6;
constexpr int kAppearSparks = 10;
constexpr float kTwoPi = 6.2831853f;

std::unique_ptr<EffectLayer>& layerOwner() {
    static std::unique_ptr<EffectLayer> layer;
    return layer;
}

}  // namespace

Sprite* framedPicture(const char* path, int frames) {
    Sprite* picture = GetSprite(path);
    if (!hasPixels(picture)) return nullptr;
    if (frames > 0 && frames != picture->frameCount()) picture->cutIntoFrames(frames, kFramePeriod);
    picture->period = kFramePeriod;
    return picture;
}

// Effects go first: one that owns an emitter frees its slot as it goes, and
// the slots must still be there when it does.
EffectLayer::~EffectLayer() { effects_.clear(); }

void EffectLayer::load() { appearSpark_ = framedPicture(kAppearSparkPath, kAppearSparkFrames); }

void EffectLayer::renderAll(Sprite& surface) {
    for (const auto& effect : effects_) effect->render(surface);
}

void EffectLayer::stepAll(int dt) {
    for (auto& slot : emitters_) {
        if (!slot) continue;
        spawnFrom(*slot);
        slot->countdown -= dt;
    }
    stepping_ = true;
    // By index: an effect may add effects while it steps (a gem paying out
    // throws sparks), and those join this very pass.
    for (std::size_t i = 0; i < effects_.size(); ++i) {
        if (effects_[i]->step(dt)) effects_[i]->finished = true;
    }
    stepping_ = false;
    effects_.erase(std::remove_if(effects_.begin(), effects_.end(),
                                  [](const std::unique_ptr<Effect>& effect) { return effect->finished; }),
                   effects_.end());
}

Effect* EffectLayer::addEffect(std::unique_ptr<Effect> effect) {
    if (!effect) return nullptr;
    effects_.push_back(std::move(effect));
    return effects_.back().get();
}

void EffectLayer::removeEffect(Effect* effect) {
    auto found = std::find_if(effects_.begin(), effects_.end(),
                              [effect](const std::unique_ptr<Effect>& e) { return e.get() == effect; });
    if (found == effects_.end()) return;
    if (stepping_) {
        (*found)->finished = true;
    } else {
        effects_.erase(found);
    }
}

void EffectLayer::removeAllEffects() {
    if (stepping_) {
        for (auto& effect : effects_) effect->finished = true;
        return;
    }
    // Moved out first: an effect freeing its emitter must not find the list
    // half torn down.
    auto gone = std::move(effects_);
    effects_.clear();
    gone.clear();
}

const Effect* EffectLayer::effectAt(int index) const {
    if (index < 0 || index >= effectCount()) return nullptr;
    return effects_[static_cast<std::size_t>(index)].get();
}

int EffectLayer::addEmitter(float x, float y, float spreadX, float spreadY, float vx0, float vy0, float rangeX,
                            float rangeY, float dampX, float dampY, float gravity, int lifeBase, int lifeRandom,
                            int intervalBase, int intervalRandom, const char* image, int frames, int additive,
                            int bounded) {
    for (int slot = 0; slot < kEmitterSlots; ++slot) {
        if (emitters_[slot]) continue;
        Emitter e;
        e.x = x;
        e.y = y;
        e.sx = spreadX;
        e.sy = spreadY;
        e.vx0 = vx0;
        e.vy0 = vy0;
        e.rvx = rangeX;
        e.rvy = rangeY;
        e.dx = dampX;
        e.dy = dampY;
        e.gravity = gravity;
        e.lifeBase = lifeBase;
        e.lifeRandom = lifeRandom;
        e.intervalBase = intervalBase;
        e.intervalRandom = intervalRandom;
        e.additive = additive != 0;
        e.bounded = bounded != 0;
        e.sprite = framedPicture(image, frames);
        emitters_[slot] = e;
        return slot;
    }
    return -1;
}

void EffectLayer::moveEmitter(int slot, float x, float y) {
    if (slot < 0 || slot >= kEmitterSlots || !emitters_[slot]) return;
    emitters_[slot]->x = x;
    emitters_[slot]->y = y;
}

void EffectLayer::removeEmitter(int slot) {
    if (slot >= 0 && slot < kEmitterSlots) emitters_[slot].reset();
}

const Emitter* EffectLayer::emitter(int slot) const {
    if (slot < 0 || slot >= kEmitterSlots || !emitters_[slot]) return nullptr;
    return &*emitters_[slot];
}

int EffectLayer::emitterCount() const {
    return static_cast<int>(std::count_if(emitters_.begin(), emitters_.end(), [](const auto& e) { return e.has_value(); }));
}

void EffectLayer::spawnFrom(Emitter& source) {
    if (source.countdown > 0) return;
    auto particle = std::make_unique<Particle>();
    float px = source.x, py = source.y;
    if (source.sx != 0.0f || source.sy != 0.0f) {
        const int s1 = gameRandomSigned();
        const int s2 = gameRandomSigned();
        px += float(s1) * source.sx / 32768.0f;
        py += float(s2) * source.sy / 32768.0f;
    }
    // The emitter's position is where particles are centred.
    if (source.sprite) {
        px -= float(source.sprite->width() / 2);
        py -= float(source.sprite->height() / 2);
    }
    particle->x = px;
    particle->y = py;
    particle->vx = source.rvx * float(gameRandomSigned()) * kSignedUnit + source.vx0;
    particle->vy = source.rvy * float(gameRandomSigned()) * kSignedUnit + source.vy0;
    particle->dx = source.dx;
    particle->dy = source.dy;
    particle->g = source.gravity;
    particle->additive = source.additive;
    particle->screenBounded = source.bounded;
    particle->sprite = source.sprite;
    particle->lifetime = source.lifeBase + int(std::int64_t(source.lifeRandom) * gameRandomSigned() / 32768);
    source.countdown = source.intervalBase + int(std::int64_t(source.intervalRandom) * gameRandomSigned() / 32768);
    addEffect(std::move(particle));
}

void EffectLayer::appear(float x, float y) {
    for (int i = 0; i < kAppearSparks; ++i) {
        auto spark = std::make_unique<Particle>();
        // Evenly round the point, each a little off its place, so no two
        // appearances look alike.
        const float angle = kTwoPi * (float(i) + float(gameRandom()) / 32768.0f) / float(kAppearSparks);
        const float speed = 0.05f + 0.07f * float(gameRandom()) / 32768.0f;
        spark->vx = std::cos(angle) * speed;
        spark->vy = std::sin(angle) * speed;
        spark->dx = spark->dy = 0.94f;
        spark->g = 0.0f;
        spark->additive = true;
        spark->lifetime = 350 + gameRandom() * 200 / 32768;
        spark->sprite = appearSpark_;
        const float half = appearSpark_ ? float(appearSpark_->width() / 2) : 0.0f;
        spark->x = x - half;
        spark->y = y - half;
        addEffect(std::move(spark));
    }
}

EffectLayer* effectLayer() { return layerOwner().get(); }

EffectLayer& createEffectLayer() {
    layerOwner() = std::make_unique<EffectLayer>();
    layerOwner()->load();
    return *layerOwner();
}

void destroyEffectLayer() { layerOwner().reset(); }
