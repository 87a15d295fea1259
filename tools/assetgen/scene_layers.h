#pragma once
// What a scene behind the board is made of, as data: a list of layers
// painted in order onto a 620 x 570 picture, then the finish every scene
// shares. Most layers are plain descriptions (a sky, a line of hills, a
// field of stars, a moon, mist, small lights, a glow, a stone); what only
// one scene has (its sea, its citadel, its aurora) is a `Feature`, a small
// named drawing function, as the relics' parts are.

#include <cstdint>
#include <functional>
#include <variant>
#include <vector>

#include "game_screen_layout.h"
#include "image.h"
#include "paint.h"

namespace scene {

constexpr int kW = gamelayout::kScene.w, kH = gamelayout::kScene.h;
// The relic's column and the board's edge, in the scene's own pixels.
constexpr float kColumnX = gamelayout::kRelicCentreX - gamelayout::kScene.x;
constexpr float kBoardLeft = gamelayout::kBoardFrameLeft - gamelayout::kScene.x;

// A colour written as 0xRRGGBB in a description, or worked out.
struct Colour {
    Rgb rgb;
    Colour(std::uint32_t hex) : rgb(hexColour(hex)) {}
    Colour(Rgb c) : rgb(c) {}
};

// Where a line of land runs: its height at x.
using Line = std::function<float(float x)>;

// A line of hills: `base + amplitude * (octaves of smooth noise)`, and for
// dunes a long swell under it.
struct Hills {
    float base = 0, amplitude = 0, cell = 1;
    std::uint32_t salt = 0;
    float swell = 0, swellPeriod = 1, swellPhase = 0;
    float operator()(float x) const;
};
float hillNoise(float x, float cell, std::uint32_t salt);

// ---- Layers -------------------------------------------------------------

// Sky from its top through a middle tone to the glow at the horizon, and
// the same glow fading below it into the land. Covers the whole picture.
struct Sky {
    Colour top, middle, horizon;
    float horizonY;
};
// The menus' velvet, lit from the relic's column. Covers the whole picture.
struct Velvet {};
// Stars above `below`; the higher ones brighter.
struct Stars {
    std::uint32_t seed;
    int count;
    float below, brightness;
};
// A moon or a sun: a lit disc with a faint darker limb and a wide halo.
struct Disc {
    float cx, cy, radius;
    Colour face, halo;
    float haloReach;
};
// Everything below a line, shading from `near` at the line to `deep`
// `depth` pixels further down; a lit edge if `edgeLight` is above 0.
struct Land {
    Line ridge;
    Colour near, deep;
    float depth;
    float edgeLight = 0;
    Colour light = Rgb{};
};
// A band of drifting mist (or haze) across the picture.
struct Mist {
    float centreY, thickness;
    Colour colour;
    float strength;
    std::uint32_t salt;
};
// Small lights scattered over an area (fireflies, embers, motes).
struct Lights {
    std::uint32_t seed;
    int count;
    ScreenRect area;
    Colour colour;
    float size, strength;
};
// Light added round a point.
struct Glow {
    float cx, cy, radius;
    Colour colour;
    float strength;
};
// A cut stone set into the scene, centred at (cx, cy).
struct Stone {
    int kind;
    float cx, cy, scale;
    int size;
    float glint;
};
// A stone falling, with its glow and the trail it leaves.
struct FallingStone {
    int kind;
    float cx, cy, scale;
};
// A gold rule with a diamond in its middle.
struct Rule {
    float x0, x1, y;
};
// What only one scene has.
struct Feature {
    void (*paint)(Image& scene);
};

using Layer = std::variant<Sky, Velvet, Stars, Disc, Land, Mist, Lights, Glow, Stone, FallingStone, Rule, Feature>;

struct Description {
    std::vector<Layer> layers;
    // The light pooled at the relic's foot.
    Colour poolLight;
    float poolStrength;
};

Image paint(const Description& description);

// ---- For features ---------------------------------------------------------

// Straight blending and additive light on one pixel; points outside the
// picture are ignored.
void blendPixel(Image& picture, int x, int y, Rgb c, float alpha);
void addPixel(Image& picture, int x, int y, Rgb c, float k);

}  // namespace scene
