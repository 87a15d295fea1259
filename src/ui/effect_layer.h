#pragma once
// EffectLayer: the game's one particle and effect manager. It holds a list
// of short-lived effects, stepped with the elapsed milliseconds and drawn in
// list order over whatever the screen drew, and ten slots for emitters that
// spawn particles continuously (confetti, trails behind flying pieces).
// The board, the controls and the menus all add to the one layer, which
// lives for the whole run; screens that show effects step and render it.

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "ui/effect.h"

class Sprite;

// A source of particles in one of the layer's slots.
struct Emitter {
    float x = 0, y = 0;          // where particles start
    float sx = 0, sy = 0;        // spread either way around it
    float vx0 = 0, vy0 = 0;      // base velocity
    float rvx = 0, rvy = 0;      // velocity range either way
    float dx = 1, dy = 1;        // damping
    float gravity = 0;
    int lifeBase = 0, lifeRandom = 0;          // particle lifetime, ms
    int intervalBase = 0, intervalRandom = 0;  // time between particles, ms
    bool additive = false;
    bool bounded = false;        // particles live until they leave the picture
    Sprite* sprite = nullptr;    // null when the picture does not exist
    int countdown = 0;           // ms to the next particle
};

class EffectLayer {
public:
    static constexpr int kEmitterSlots = 10;

    EffectLayer() = default;
    ~EffectLayer();
    EffectLayer(const EffectLayer&) = delete;
    EffectLayer& operator=(const EffectLayer&) = delete;

    // Loads the pictures the layer's own effects use.
    void load();

    // Draws every effect, oldest first.
    void renderAll(Sprite& surface);
    // Runs every emitter, then every effect; finished effects are freed.
    void stepAll(int dt);
    // The layer takes the effect; returns it.
    Effect* addEffect(std::unique_ptr<Effect> effect);
    // Frees an effect before its time (during a step: at the step's end).
    void removeEffect(Effect* effect);
    // Frees every effect (a screen shown again starts with a clean layer).
    void removeAllEffects();
    int effectCount() const { return static_cast<int>(effects_.size()); }
    const Effect* effectAt(int index) const;

    // Claims a free slot for an emitter whose picture is cut into `frames`
    // frames played over a second; -1 when all ten are busy. The arguments
    // come in the order the game has always passed them.
    int addEmitter(float x, float y, float spreadX, float spreadY, float vx0, float vy0, float rangeX, float rangeY,
                   float dampX, float dampY, float gravity, int lifeBase, int lifeRandom, int intervalBase,
                   int intervalRandom, const char* image, int frames, int additive, int bounded);
    void moveEmitter(int slot, float x, float y);
    void removeEmitter(int slot);
    const Emitter* emitter(int slot) const;
    int emitterCount() const;

    // A short sparkle where a control appears: gold sparks bursting out of
    // the point and fading within half a second.
    void appear(float x, float y);

private:
    void spawnFrom(Emitter& source);

    std::vector<std::unique_ptr<Effect>> effects_;  // oldest first
    std::array<std::optional<Emitter>, kEmitterSlots> emitters_;
    Sprite* appearSpark_ = nullptr;
    bool stepping_ = false;
};

// A shared picture cut into `frames` frames played over a second; null when
// the file gives no pixels.
Sprite* framedPicture(const char* path, int frames);

// The layer of the process; null before it is created.
EffectLayer* effectLayer();
// Makes (or remakes) the layer and loads its pictures; start-up does this
// right after the screen manager.
EffectLayer& createEffectLayer();
void destroyEffectLayer();
