#include "scene_painting.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "cairo_shapes.h"
#include "gem_drawing.h"
#include "game_screen_layout.h"
#include "menu_art.h"
#include "paint.h"
#include "painted_once.h"
#include "seeded_random.h"

namespace {

using namespace gamelayout;

constexpr float kPi = 3.14159265f;
constexpr int kW = kScene.w, kH = kScene.h;
// The relic's column and the board's edge, in the scene's own pixels.
constexpr float kColumnX = kRelicCentreX - kScene.x;
constexpr float kBoardLeft = kBoardFrameLeft - kScene.x;

using Ridge = std::function<float(float x)>;

// A line of hills: octaves of smooth noise along x.
float hillNoise(float x, float cell, std::uint32_t salt) {
    return 0.62f * valueNoise(x, 0.5f, cell, salt) + 0.28f * valueNoise(x, 0.5f, cell / 2.3f, salt + 1) +
           0.10f * valueNoise(x, 0.5f, cell / 5.3f, salt + 2);
}

void blendPixel(Image& picture, int x, int y, Rgb c, float alpha) {
    if (x < 0 || y < 0 || x >= picture.width || y >= picture.height || alpha <= 0) return;
    const Rgba d = unpackArgb(picture.at(x, y));
    const float a = std::min(1.0f, alpha);
    picture.at(x, y) = packArgb({d.r + (c.r - d.r) * a, d.g + (c.g - d.g) * a, d.b + (c.b - d.b) * a, 1.0f});
}

void addPixel(Image& picture, int x, int y, Rgb c, float k) {
    if (x < 0 || y < 0 || x >= picture.width || y >= picture.height || k <= 0) return;
    Rgba d = unpackArgb(picture.at(x, y));
    d.r = clamp01(d.r + c.r * k);
    d.g = clamp01(d.g + c.g * k);
    d.b = clamp01(d.b + c.b * k);
    picture.at(x, y) = packArgb(d);
}

// Sky from its top through a middle tone to the glow at the horizon, and
// the same glow fading below it into the land.
Image skyPicture(Rgb top, Rgb middle, Rgb horizon, float horizonY) {
    Image sky(kW, kH);
    for (int y = 0; y < kH; ++y) {
        const float t = std::min(1.0f, static_cast<float>(y) / horizonY);
        const Rgb c = t < 0.55f ? lerp(top, middle, t / 0.55f) : lerp(middle, horizon, (t - 0.55f) / 0.45f);
        for (int x = 0; x < kW; ++x) sky.at(x, y) = packArgb(withAlpha(c, 1));
    }
    return sky;
}

// Everything below a ridge line, shading from `near` at the ridge to `deep`
// `depth` pixels further down, its top edge smoothed over a pixel.
void fillBelow(Image& picture, const Ridge& ridge, Rgb near, Rgb deep, float depth, float edgeLight = 0,
               Rgb light = {}) {
    for (int x = 0; x < kW; ++x) {
        const float r = ridge(x + 0.5f);
        for (int y = std::max(0, static_cast<int>(std::floor(r))); y < kH; ++y) {
            const float cover = clamp01(y + 1.0f - r);
            const float below = y + 0.5f - r;
            Rgb c = lerp(near, deep, clamp01(below / depth));
            if (edgeLight > 0) c = lerp(c, light, edgeLight * std::exp(-below / 2.5f));
            blendPixel(picture, x, y, c, cover);
        }
    }
}

void starField(Image& picture, std::uint32_t seed, int count, const Ridge& lowest, float brightness) {
    SeededRandom random(seed);
    for (int i = 0; i < count; ++i) {
        const float x = random.unit() * kW;
        const float y = random.unit() * lowest(x);
        const float size = random.unit();
        const Rgb tint = lerp(hexColour(0xBFD4FF), hexColour(0xFFF2D0), random.unit());
        // Higher stars shine brighter; the air near the horizon dims them.
        const float k = brightness * (0.35f + 0.65f * size) * (1.0f - 0.7f * y / std::max(1.0f, lowest(x)));
        addBloom(picture, x, y, 0.55f + 0.5f * size * size, tint, k);
        if (size > 0.93f) {
            for (int d = 2; d <= 5; ++d) {
                const float fade = k * 0.5f / d;
                addPixel(picture, static_cast<int>(x) + d, static_cast<int>(y), tint, fade);
                addPixel(picture, static_cast<int>(x) - d, static_cast<int>(y), tint, fade);
                addPixel(picture, static_cast<int>(x), static_cast<int>(y) + d, tint, fade);
                addPixel(picture, static_cast<int>(x), static_cast<int>(y) - d, tint, fade);
            }
        }
    }
}

// A moon or a sun: a lit disc with a faint darker limb and a wide halo.
void celestialDisc(Image& picture, float cx, float cy, float radius, Rgb face, Rgb halo, float haloReach) {
    addBloom(picture, cx, cy, haloReach, halo, 0.55f);
    const int reach = static_cast<int>(radius) + 2;
    for (int y = static_cast<int>(cy) - reach; y <= static_cast<int>(cy) + reach; ++y)
        for (int x = static_cast<int>(cx) - reach; x <= static_cast<int>(cx) + reach; ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            const float cover = clamp01(radius - d + 0.5f);
            const float limb = 1.0f - 0.25f * std::pow(d / radius, 3.0f);
            // A few soft marks on the face.
            const float marks = 0.92f + 0.08f * valueNoise(x * 1.0f, y * 1.0f, radius * 0.45f, 77u);
            blendPixel(picture, x, y, face * (limb * marks), cover);
        }
}

// A band of drifting mist (or haze) across the picture.
void mistBand(Image& picture, float centreY, float thickness, Rgb colour, float strength, std::uint32_t salt) {
    for (int y = std::max(0, static_cast<int>(centreY - 2.5f * thickness));
         y < std::min(kH, static_cast<int>(centreY + 2.5f * thickness)); ++y)
        for (int x = 0; x < kW; ++x) {
            const float d = (y + 0.5f - centreY) / thickness;
            const float drift = 0.45f + 0.55f * valueNoise(x * 0.35f, y * 1.6f, 24.0f, salt);
            blendPixel(picture, x, y, colour, strength * std::exp(-d * d) * drift);
        }
}

// Small lights scattered over an area (fireflies, embers, motes).
void scatterLights(Image& picture, std::uint32_t seed, int count, ScreenRect area, Rgb colour, float size,
                   float strength) {
    SeededRandom random(seed);
    for (int i = 0; i < count; ++i) {
        const float x = area.x + random.unit() * area.w, y = area.y + random.unit() * area.h;
        const float k = strength * (0.4f + 0.6f * random.unit());
        addBloom(picture, x, y, size * 3.0f, colour, k * 0.35f);
        addBloom(picture, x, y, size * 0.7f, lerp(colour, Rgb{1, 1, 1}, 0.6f), k);
    }
}

void flatFill(cairo_t* cr, Rgb c, double alpha = 1.0) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
    cairo_fill(cr);
}

// The finish every scene shares: the cloth's fibre, the darker field the
// board stands on, a pool of light where the relic stands, and a vignette.
void finishScene(Image& picture, Rgb poolLight, float poolStrength) {
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            Rgba p = unpackArgb(picture.at(x, y));
            const float inBoardX = smoothstep(kBoardLeft - 70, kBoardLeft + 30, static_cast<float>(x));
            const float inBoardY = smoothstep(30, 90, static_cast<float>(y)) * (1 - smoothstep(500, 540, static_cast<float>(y)));
            float k = 1.0f - 0.38f * inBoardX * inBoardY;
            const float ex = (x + 0.5f) / kW * 2 - 1, ey = (y + 0.5f) / kH * 2 - 1;
            k *= 1.0f - 0.3f * clamp01((ex * ex * 0.6f + ey * ey) - 0.45f);
            k *= 1.0f + 0.06f * (hashNoise(x, y, 5u) - 0.5f);
            p.r *= k;
            p.g *= k;
            p.b *= k;
            picture.at(x, y) = packArgb(p);
        }
    // The relic's pool: shade round it so it reads against any sky, a warm
    // light on the ground at its foot.
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const float dx = (x + 0.5f - kColumnX) / 140.0f, dy = (y + 0.5f - 330.0f) / 260.0f;
            const float shade = 0.3f * std::exp(-(dx * dx + dy * dy) * 1.6f);
            if (shade > 0.002f) blendPixel(picture, x, y, Rgb{0.01f, 0.0f, 0.02f}, shade);
        }
    addBloom(picture, kColumnX, kRelicFoot - kScene.y, 46.0f, poolLight, poolStrength);
}

// ---- Episode 1: the emerald vale at dusk ---------------------------------

void pineTree(cairo_t* cr, double x, double groundY, double height) {
    const double w = height * 0.36;
    cairo_rectangle(cr, x - w * 0.06, groundY - height * 0.18, w * 0.12, height * 0.2);
    for (int tier = 0; tier < 4; ++tier) {
        const double top = groundY - height + tier * height * 0.2;
        const double bottom = top + height * 0.38;
        const double half = w * (0.35 + 0.2 * tier);
        cairo_move_to(cr, x, top);
        cairo_line_to(cr, x + half, bottom);
        cairo_line_to(cr, x + half * 0.3, bottom - height * 0.04);
        cairo_line_to(cr, x - half * 0.3, bottom - height * 0.04);
        cairo_line_to(cr, x - half, bottom);
        cairo_close_path(cr);
    }
}

Image emeraldVale() {
    const float horizon = 330;
    Image scene = skyPicture(hexColour(0x04101A), hexColour(0x0E3440), hexColour(0x5A9A6A), horizon);
    starField(scene, 101, 90, [](float) { return 250.0f; }, 0.8f);
    celestialDisc(scene, 128, 84, 21, hexColour(0xEAF8DA), hexColour(0x3A7A5A), 70);
    fillBelow(scene, [](float x) { return 292 + 46 * hillNoise(x, 150, 11u); }, hexColour(0x2E5A4E),
              hexColour(0x1A3A34), 60);
    mistBand(scene, 322, 14, hexColour(0x9AD0A0), 0.35f, 12u);
    const Ridge hills = [](float x) { return 350 + 34 * hillNoise(x, 95, 13u); };
    paintOn(scene, [&](cairo_t* cr) {
        SeededRandom random(14);
        for (float x = -10; x < kW + 10; x += 9 + random.unit() * 16) {
            // Woods on both sides; a clearing round the relic's column.
            if (std::fabs(x - kColumnX) < 62 && random.unit() < 0.85f) continue;
            pineTree(cr, x, hills(x) + 6, 38 + random.unit() * 62);
        }
        flatFill(cr, hexColour(0x06160E));
    });
    fillBelow(scene, hills, hexColour(0x0A2216), hexColour(0x04100A), 140);
    fillBelow(scene, [](float x) { return 470 + 14 * hillNoise(x, 70, 15u); }, hexColour(0x05140C),
              hexColour(0x020805), 90, 0.25f, hexColour(0x4A8A4A));
    scatterLights(scene, 16, 34, {0, 340, kW, 220}, hexColour(0xC8FF70), 1.6f, 0.75f);
    finishScene(scene, hexColour(0x6AC870), 0.22f);
    return scene;
}

// ---- Episode 2: the sapphire coast under a full moon ---------------------

constexpr float kSeaLevel = 300;

Image sapphireCoast() {
    const float horizon = kSeaLevel;
    Image scene = skyPicture(hexColour(0x020514), hexColour(0x0A1A4A), hexColour(0x3458A0), horizon);
    starField(scene, 201, 150, [&](float) { return horizon - 20; }, 0.9f);
    celestialDisc(scene, 150, 104, 32, hexColour(0xF2F6FF), hexColour(0x4A68B0), 110);
    // The sea: darker with depth, shimmering in long flat strokes, the
    // moon's road running towards the viewer.
    for (int y = static_cast<int>(horizon); y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const float depth = (y - horizon) / (kH - horizon);
            Rgb c = lerp(hexColour(0x1E3A78), hexColour(0x020614), std::pow(depth, 0.6f));
            // Long flat swells, and the small ripples on them that catch the moon.
            const float wave = valueNoise(x * 0.12f, y * 1.0f, 6.0f + depth * 10.0f, 21u);
            const float ripple = valueNoise(x * 0.35f, y * 3.0f, 1.5f + depth * 2.5f, 26u);
            c = c * (0.85f + 0.3f * wave);
            const float road = std::exp(-std::pow((x - 150.0f) / (12.0f + 70.0f * depth), 2.0f));
            const float glint = smoothstep(0.5f, 0.85f, ripple) * road * (0.5f + 0.5f * wave);
            c = lerp(c, hexColour(0xDCE8FF), glint * 0.85f);
            scene.at(x, y) = packArgb(withAlpha(c, 1));
        }
    mistBand(scene, horizon, 5, hexColour(0x7090D0), 0.35f, 22u);
    // A headland on the left with a watchtower, standing in the water.
    const Ridge headland = [](float x) {
        const float rise = 1.0f - smoothstep(20, 200, x);
        return kSeaLevel - rise * (120 + 40 * hillNoise(x, 60, 24u));
    };
    for (int x = 0; x < kW; ++x) {
        const float r = headland(x + 0.5f);
        if (r >= kSeaLevel - 1) continue;
        const float foot = kSeaLevel + (kSeaLevel - r) * 0.25f;
        for (int y = static_cast<int>(r); y < static_cast<int>(foot) + 1; ++y) {
            const float cover = clamp01(y + 1.0f - r) * clamp01(foot - y);
            blendPixel(scene, x, y, lerp(hexColour(0x0A1434), hexColour(0x030714), clamp01((y - r) / (foot - r))), cover);
        }
    }
    paintOn(scene, [&](cairo_t* cr) {
        const double tx = 44, ty = headland(44) + 4;
        cairo_rectangle(cr, tx - 9, ty - 58, 18, 60);
        cairo_move_to(cr, tx - 13, ty - 58);
        cairo_line_to(cr, tx, ty - 78);
        cairo_line_to(cr, tx + 13, ty - 58);
        cairo_close_path(cr);
        flatFill(cr, hexColour(0x040A1C));
        cairo_rectangle(cr, tx - 3, ty - 50, 6, 8);
        flatFill(cr, hexColour(0xFFD890));
    });
    addBloom(scene, 44, headland(44) - 42, 14, hexColour(0xFFC070), 0.5f);
    fillBelow(scene, [](float x) { return 520 + 30 * hillNoise(x, 60, 25u); }, hexColour(0x050A1A),
              hexColour(0x010206), 60, 0.3f, hexColour(0x5070B0));
    finishScene(scene, hexColour(0x7AA0FF), 0.2f);
    return scene;
}

// ---- Episode 3: the amber dunes at sunset --------------------------------

Image amberDunes() {
    const float horizon = 330;
    Image scene = skyPicture(hexColour(0x200A34), hexColour(0x9A3A3A), hexColour(0xFF9448), horizon);
    starField(scene, 301, 30, [](float) { return 120.0f; }, 0.6f);
    // Long thin clouds lit from below.
    for (int y = 60; y < 260; ++y)
        for (int x = 0; x < kW; ++x) {
            const float band = valueNoise(x * 0.18f, y * 1.3f, 14.0f, 31u);
            const float k = smoothstep(0.6f, 0.85f, band) * 0.35f;
            blendPixel(scene, x, y, lerp(hexColour(0x5A1A3A), hexColour(0xFFA060), y / 260.0f), k);
        }
    // The sun has just gone down behind the dunes; its glow is still up.
    addBloom(scene, 110, horizon + 10, 130, hexColour(0x902808), 0.5f);
    addBloom(scene, 110, horizon + 4, 46, hexColour(0xFF6A20), 0.3f);
    // Two pyramids in the haze, one each side of the board.
    paintOn(scene, [&](cairo_t* cr) {
        const double peaks[2][3] = {{14, 246, 92}, {520, 250, 120}};
        for (const auto& p : peaks) {
            cairo_move_to(cr, p[0] - p[2], horizon + 6);
            cairo_line_to(cr, p[0], p[1]);
            cairo_line_to(cr, p[0] + p[2], horizon + 6);
            cairo_close_path(cr);
            flatFill(cr, hexColour(0x7A3038), 0.9);
            // The sunlit face.
            cairo_move_to(cr, p[0] - p[2], horizon + 6);
            cairo_line_to(cr, p[0], p[1]);
            cairo_line_to(cr, p[0] - p[2] * 0.15, horizon + 6);
            cairo_close_path(cr);
            flatFill(cr, hexColour(0xC0604A), 0.55);
        }
    });
    mistBand(scene, horizon - 4, 10, hexColour(0xF09058), 0.35f, 32u);
    const struct {
        float base, amp, period, phase;
        std::uint32_t near, deep, crest;
    } dunes[3] = {{352, 16, 70, 0.8f, 0xA8502A, 0x6A2A18, 0xFFC080},
                  {420, 24, 95, 2.1f, 0x7A3418, 0x3A1208, 0xFFA860},
                  {500, 20, 80, 4.0f, 0x3A140A, 0x140604, 0xE08040}};
    for (const auto& d : dunes) {
        fillBelow(scene,
                  [&](float x) {
                      return d.base + d.amp * std::sin(x / d.period + d.phase) +
                             8 * hillNoise(x, 50, static_cast<std::uint32_t>(d.base));
                  },
                  hexColour(d.near), hexColour(d.deep), 90, 0.45f, hexColour(d.crest));
    }
    finishScene(scene, hexColour(0xFFB860), 0.22f);
    return scene;
}

// ---- Episode 4: the amethyst caverns -------------------------------------

void crystal(cairo_t* cr, double x, double baseY, double height, double width, double lean, Rgb body) {
    const double tipX = x + lean, tipY = baseY - height;
    const double shoulder = baseY - height * 0.78;
    // Left face darker, right face lit, a bright edge down the middle.
    cairo_move_to(cr, x - width / 2, baseY);
    cairo_line_to(cr, x - width / 2 + lean * 0.78, shoulder);
    cairo_line_to(cr, tipX, tipY);
    cairo_line_to(cr, x + lean * 0.78, shoulder);
    cairo_line_to(cr, x, baseY);
    cairo_close_path(cr);
    flatFill(cr, body * 0.55f, 0.95);
    cairo_move_to(cr, x, baseY);
    cairo_line_to(cr, x + lean * 0.78, shoulder);
    cairo_line_to(cr, tipX, tipY);
    cairo_line_to(cr, x + width / 2 + lean * 0.78, shoulder);
    cairo_line_to(cr, x + width / 2, baseY);
    cairo_close_path(cr);
    flatFill(cr, body, 0.95);
    cairo_move_to(cr, x + lean * 0.78, shoulder);
    cairo_line_to(cr, tipX, tipY);
    cairo_set_source_rgba(cr, 1, 0.9, 1, 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

Image amethystCaverns() {
    Image scene(kW, kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const float d = std::hypot((x - 330.0f) / 360.0f, (y - 300.0f) / 300.0f);
            Rgb c = lerp(hexColour(0x4A1C7C), hexColour(0x0C0418), clamp01(d * 0.9f));
            // The rock's strata and grain.
            const float rock = valueNoise(x * 1.0f, y * 2.2f, 40.0f, 41u) * 0.6f + valueNoise(x, y, 13.0f, 42u) * 0.4f;
            c = c * (0.6f + 0.75f * rock);
            scene.at(x, y) = packArgb(withAlpha(c, 1));
        }
    paintOn(scene, [&](cairo_t* cr) {
        SeededRandom random(43);
        // Stalactites along the roof, stalagmites along the floor.
        for (float x = -6; x < kW + 6; x += 12 + random.unit() * 22) {
            const double len = 30 + random.unit() * 110, w = 10 + random.unit() * 26;
            cairo_move_to(cr, x - w / 2, -2);
            cairo_curve_to(cr, x - w * 0.3, len * 0.4, x - 2, len * 0.8, x, len);
            cairo_curve_to(cr, x + 2, len * 0.8, x + w * 0.3, len * 0.4, x + w / 2, -2);
            cairo_close_path(cr);
        }
        for (float x = -6; x < kW + 6; x += 16 + random.unit() * 26) {
            const double len = 16 + random.unit() * 60, w = 14 + random.unit() * 26;
            cairo_move_to(cr, x - w / 2, kH + 2);
            cairo_curve_to(cr, x - w * 0.3, kH - len * 0.4, x - 2, kH - len * 0.8, x, kH - len);
            cairo_curve_to(cr, x + 2, kH - len * 0.8, x + w * 0.3, kH - len * 0.4, x + w / 2, kH + 2);
            cairo_close_path(cr);
        }
        flatFill(cr, hexColour(0x0A0412));
        // Clusters of crystal at the foot of the column and in the far corners.
        const struct {
            float x, y, scale;
        } clusters[5] = {{18, 548, 1.1f}, {196, 552, 0.9f}, {560, 560, 1.2f}, {420, 566, 0.7f}, {60, 40, -0.8f}};
        for (const auto& c : clusters) {
            const double s = std::fabs(c.scale), dir = c.scale < 0 ? -1 : 1;
            cairo_save(cr);
            cairo_translate(cr, c.x, c.y);
            cairo_scale(cr, s, dir * s);
            for (int k = -2; k <= 2; ++k) {
                const Rgb body = lerp(hexColour(0xB060F0), hexColour(0xE0A0FF), (k + 2) / 4.0f);
                crystal(cr, k * 13, 6, 70 - std::abs(k) * 18 + random.unit() * 14, 16, k * 9, body);
            }
            cairo_restore(cr);
        }
    });
    const float glows[4][2] = {{18, 510}, {196, 520}, {560, 520}, {60, 80}};
    for (const auto& g : glows) addBloom(scene, g[0], g[1], 34, hexColour(0x9A40E0), 0.4f);
    scatterLights(scene, 44, 40, {0, 60, kW, 460}, hexColour(0xC080FF), 1.2f, 0.6f);
    finishScene(scene, hexColour(0xB070FF), 0.25f);
    return scene;
}

// ---- Episode 5: the ruby citadel -----------------------------------------

void castleTower(cairo_t* cr, double x, double groundY, double height, double width, bool spire) {
    const double top = groundY - height;
    cairo_rectangle(cr, x - width / 2, top, width, height + 2);
    if (spire) {
        cairo_move_to(cr, x - width / 2 - 3, top);
        cairo_line_to(cr, x, top - width * 1.6);
        cairo_line_to(cr, x + width / 2 + 3, top);
        cairo_close_path(cr);
        cairo_move_to(cr, x, top - width * 1.6);
        cairo_line_to(cr, x, top - width * 1.6 - 12);
        cairo_line_to(cr, x + 9, top - width * 1.6 - 8);
        cairo_line_to(cr, x, top - width * 1.6 - 5);
    } else {
        for (double bx = x - width / 2; bx < x + width / 2 - 2; bx += 7) cairo_rectangle(cr, bx, top - 6, 4, 7);
    }
}

Image rubyCitadel() {
    const float horizon = 350;
    Image scene = skyPicture(hexColour(0x100208), hexColour(0x5A0A1A), hexColour(0xF05A36), horizon);
    for (int y = 30; y < 300; ++y)
        for (int x = 0; x < kW; ++x) {
            const float band = valueNoise(x * 0.2f, y * 1.1f, 18.0f, 51u);
            blendPixel(scene, x, y, hexColour(0x2A0410), smoothstep(0.55f, 0.8f, band) * 0.5f);
        }
    starField(scene, 501, 40, [](float) { return 140.0f; }, 0.55f);
    celestialDisc(scene, 112, 118, 26, hexColour(0xFFD8A8), hexColour(0xA0302A), 90);
    fillBelow(scene, [](float x) { return 330 + 26 * hillNoise(x, 120, 52u); }, hexColour(0x6A1822),
              hexColour(0x3A0A14), 60);
    mistBand(scene, 340, 12, hexColour(0xFF7050), 0.3f, 53u);
    const Ridge hill = [](float x) { return 382 + 22 * hillNoise(x, 140, 54u); };
    std::vector<std::pair<float, float>> windows;
    paintOn(scene, [&](cairo_t* cr) {
        SeededRandom random(55);
        // The citadel runs the width of the picture: walls, then towers of
        // every height, the tallest behind the board.
        cairo_move_to(cr, 0, hill(0));
        for (float x = 0; x <= kW; x += 4) cairo_line_to(cr, x, hill(x) - 36);
        cairo_line_to(cr, kW, kH);
        cairo_line_to(cr, 0, kH);
        cairo_close_path(cr);
        for (float x = 12; x < kW; x += 26 + random.unit() * 30) {
            const double h = 60 + random.unit() * 110 + (x > kBoardLeft ? 50 : 0);
            const double w = 16 + random.unit() * 14;
            castleTower(cr, x, hill(x) - 30, h, w, random.unit() < 0.6f);
            for (int k = 0; k < 3; ++k)
                if (random.unit() < 0.5f) windows.emplace_back(x - 2 + random.signedUnit() * w * 0.2f, hill(x) - 40 - random.unit() * (h - 20));
        }
        flatFill(cr, hexColour(0x1A0408));
        for (const auto& [wx, wy] : windows) {
            cairo_rectangle(cr, wx, wy, 3, 5);
            flatFill(cr, hexColour(0xFFC060));
        }
    });
    for (const auto& [wx, wy] : windows) addBloom(scene, wx + 1.5f, wy + 2.5f, 5, hexColour(0xFF8030), 0.35f);
    fillBelow(scene, [](float x) { return 490 + 18 * hillNoise(x, 80, 56u); }, hexColour(0x12030A),
              hexColour(0x050104), 80, 0.3f, hexColour(0xA03020));
    scatterLights(scene, 57, 36, {0, 120, kW, 420}, hexColour(0xFF8A30), 1.1f, 0.55f);
    finishScene(scene, hexColour(0xFF7050), 0.22f);
    return scene;
}

// ---- Episode 6: the starfall sanctum --------------------------------------

Image starfallSanctum() {
    const float horizon = 390;
    Image scene = skyPicture(hexColour(0x03020C), hexColour(0x160C40), hexColour(0x44307E), horizon);
    // The galaxy's band across the sky.
    for (int y = 0; y < static_cast<int>(horizon); ++y)
        for (int x = 0; x < kW; ++x) {
            const float d = ((y - 60.0f) - (x - 310.0f) * 0.42f) / 70.0f;
            const float dust = valueNoise(x * 1.0f, y * 1.0f, 22.0f, 61u) * 0.7f + valueNoise(x, y, 7.0f, 62u) * 0.3f;
            const float k = std::exp(-d * d) * (0.4f + 0.6f * dust) * 0.4f;
            addPixel(scene, x, y, lerp(hexColour(0x6A4AB0), hexColour(0xE0A0D0), dust), k);
        }
    // Curtains of aurora along the top.
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < kW; ++x) {
            const float curve = 90 + 40 * std::sin(x / 90.0f + 1.3f) + 15 * std::sin(x / 33.0f);
            const float across = (y - curve) / 38.0f;
            const float rays = 0.5f + 0.5f * valueNoise(x * 1.0f, 0.5f, 5.0f, 63u);
            const float k = std::exp(-across * across) * rays * smoothstep(-1.6f, 0.4f, -across) * 0.4f;
            addPixel(scene, x, y, lerp(hexColour(0x30E0A0), hexColour(0xA060FF), clamp01(-across * 0.5f + 0.4f)), k);
        }
    starField(scene, 601, 300, [&](float) { return horizon - 10; }, 1.0f);
    // Shards falling: streaks of light across the sky.
    SeededRandom fall(64);
    for (int i = 0; i < 5; ++i) {
        const float x0 = 20 + fall.unit() * 580, y0 = 10 + fall.unit() * 160, length = 40 + fall.unit() * 50;
        for (float t = 0; t < 1; t += 0.01f) {
            const float k = t * t * 0.8f;
            const float x = x0 + t * length * 0.45f, y = y0 + t * length;
            addBloom(scene, x, y, 0.8f + t, hexColour(0xE8E0FF), k * 0.5f);
        }
        addBloom(scene, x0 + length * 0.45f, y0 + length, 3.5f, hexColour(0xFFFFFF), 0.8f);
    }
    const Ridge peaks = [](float x) {
        return 380 - 120 * std::exp(-std::pow((x - 80) / 90.0f, 2.0f)) - 60 * std::exp(-std::pow((x - 520) / 80.0f, 2.0f)) -
               30 * hillNoise(x, 40, 65u);
    };
    fillBelow(scene, peaks, hexColour(0x2A2460), hexColour(0x0A0820), 160, 0.6f, hexColour(0xC8C8FF));
    // The sanctum on the high peak: a small temple with a lit doorway.
    paintOn(scene, [&](cairo_t* cr) {
        const double x = 86, base = peaks(86) + 6;
        cairo_rectangle(cr, x - 22, base - 26, 44, 28);
        cairo_move_to(cr, x - 28, base - 26);
        cairo_line_to(cr, x, base - 44);
        cairo_line_to(cr, x + 28, base - 26);
        cairo_close_path(cr);
        cairo_rectangle(cr, x - 3, base - 66, 6, 24);
        flatFill(cr, hexColour(0x08061A));
        cairo_rectangle(cr, x - 5, base - 18, 10, 18);
        flatFill(cr, hexColour(0xFFE0A0));
    });
    addBloom(scene, 86, peaks(86) - 10, 16, hexColour(0xFFC880), 0.45f);
    fillBelow(scene, [](float x) { return 470 + 22 * hillNoise(x, 90, 66u); }, hexColour(0x0C0A24),
              hexColour(0x030210), 90, 0.3f, hexColour(0x8080E0));
    finishScene(scene, hexColour(0xB0A0FF), 0.25f);
    return scene;
}

// ---- The other modes -----------------------------------------------------

Image modeBackdrop() {
    // The same velvet as the menus, lit from the column left of the board.
    return velvetBackdrop(kW, kH, kColumnX, 260);
}

void stoneWithTrail(Image& scene, int kind, float cx, float cy, float scale) {
    const int size = static_cast<int>(62 * scale) + 8;
    addBloom(scene, cx, cy, 24 * scale, piecePalette(kind).body * 0.5f, 0.3f);
    drawFallTrail(scene, cx, cy, 80 * scale, 9 * scale, piecePalette(kind).light * 0.45f);
    placeCentred(scene, decorativeGem(kind, scale, size, 0.8f), cx, cy);
}


Image paintActionScene() {
    Image scene = modeBackdrop();
    // Stones tumbling down the column, in two streams.
    const int kinds[6] = {5, 1, 4, 0, 6, 2};
    for (int i = 0; i < 6; ++i) {
        const float cx = kColumnX + (i % 2 ? 34.0f : -34.0f) + (i % 2 ? 1 : -1) * 4.0f * i;
        stoneWithTrail(scene, kinds[i], cx, 130.0f + i * 70.0f, 0.95f + 0.07f * i);
    }
    finishScene(scene, hexColour(0xFFB040), 0.18f);
    return scene;
}

Image paintCubeScene() {
    Image scene = modeBackdrop();
    // The cube's match, a square of four alike, set in gold as its emblem,
    // with the lattice of squares it is cut from fading out around it.
    paintOn(scene, [&](cairo_t* cr) {
        for (int i = -4; i <= 20; ++i) {
            const double at = i * 48.0;
            cairo_move_to(cr, at - 600, 0);
            cairo_line_to(cr, at, 600);
            cairo_move_to(cr, at + 600, 0);
            cairo_line_to(cr, at, 600);
        }
        cairo_set_source_rgba(cr, 0.9, 0.7, 0.3, 0.14);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 2; ++c) {
                roundedRectPath(cr, kColumnX - 62 + c * 64, 250 + r * 64, 60, 60, 8);
                cairo_set_source_rgba(cr, 0.08, 0.02, 0.12, 0.85);
                cairo_fill_preserve(cr);
                goldStroke(cr, 250 + r * 64, 310 + r * 64, 2.4);
            }
        roundedRectPath(cr, kColumnX - 72, 240, 144, 144, 14);
        goldStroke(cr, 240, 384, 3.5);
        for (double y : {240.0, 384.0}) goldDiamond(cr, kColumnX, y, 8);
    });
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) {
            const float cx = kColumnX - 32 + c * 64, cy = 280 + r * 64;
            addBloom(scene, cx, cy, 20, piecePalette(4).body * 0.5f, 0.3f);
            placeCentred(scene, decorativeGem(4, 1.05f, 72, 0.7f), cx, cy);
        }
    drawGoldRule(scene, kColumnX - 80, kColumnX + 80, 200);
    drawGoldRule(scene, kColumnX - 80, kColumnX + 80, 424);
    finishScene(scene, hexColour(0x70A0FF), 0.18f);
    return scene;
}

Image paintPuzzleScene() {
    Image scene = modeBackdrop();
    // A rose window: jewel-coloured panes in gold tracery.
    const float cx = kColumnX, cy = 300, outer = 88;
    paintOn(scene, [&](cairo_t* cr) {
        const int panes = 8;
        const int kinds[panes] = {1, 2, 0, 4, 3, 6, 5, 7};
        for (int i = 0; i < panes; ++i) {
            const double a0 = 2 * kPi * i / panes - kPi / 2, a1 = a0 + 2 * kPi / panes;
            const Rgb glass = piecePalette(kinds[i]).body;
            cairo_move_to(cr, cx + 30 * std::cos(a0), cy + 30 * std::sin(a0));
            cairo_arc(cr, cx, cy, outer - 8, a0, a1);
            cairo_arc_negative(cr, cx, cy, 30, a1, a0);
            cairo_close_path(cr);
            cairo_pattern_t* light = cairo_pattern_create_radial(cx, cy, 20, cx, cy, outer);
            cairo_pattern_add_color_stop_rgba(light, 0, glass.r, glass.g, glass.b, 0.95);
            cairo_pattern_add_color_stop_rgba(light, 1, glass.r * 0.35, glass.g * 0.35, glass.b * 0.35, 0.95);
            cairo_set_source(cr, light);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(light);
            goldStroke(cr, cy - outer, cy + outer, 2.2);
            // A petal of tracery inside each pane.
            const double mid = (a0 + a1) / 2;
            cairo_arc(cr, cx + 58 * std::cos(mid), cy + 58 * std::sin(mid), 13, 0, 2 * kPi);
            goldStroke(cr, cy - outer, cy + outer, 1.6);
        }
        cairo_arc(cr, cx, cy, outer, 0, 2 * kPi);
        goldStroke(cr, cy - outer, cy + outer, 4.5);
        cairo_arc(cr, cx, cy, 30, 0, 2 * kPi);
        goldStroke(cr, cy - 30, cy + 30, 3.0);
    });
    addBloom(scene, cx, cy, 60, hexColour(0xFFC070), 0.18f);
    placeCentred(scene, decorativeGem(7, 0.95f, 66, 0.9f), cx, cy);
    drawGoldRule(scene, kColumnX - 80, kColumnX + 80, cy - outer - 26);
    drawGoldRule(scene, kColumnX - 80, kColumnX + 80, cy + outer + 26);
    finishScene(scene, hexColour(0xFFC070), 0.18f);
    return scene;
}

std::map<int, Image> painted;
enum ModeScene { kAction = 100, kCube, kPuzzle };

}  // namespace

const Image& episodeScene(int episode) {
    return paintedOnce(painted, episode, [episode] {
        switch (episode) {
            case 1: return emeraldVale();
            case 2: return sapphireCoast();
            case 3: return amberDunes();
            case 4: return amethystCaverns();
            case 5: return rubyCitadel();
            default: return starfallSanctum();
        }
    });
}

const Image& actionScene() { return paintedOnce(painted, static_cast<int>(kAction), paintActionScene); }
const Image& cubeScene() { return paintedOnce(painted, static_cast<int>(kCube), paintCubeScene); }
const Image& puzzleScene() { return paintedOnce(painted, static_cast<int>(kPuzzle), paintPuzzleScene); }
