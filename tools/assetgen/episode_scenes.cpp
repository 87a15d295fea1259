#include "episode_scenes.h"

#include <cairo.h>

#include <cmath>
#include <utility>
#include <vector>

#include "menu_art.h"
#include "seeded_random.h"

namespace {

using namespace scene;

constexpr float kPi = 3.14159265f;

void flatFill(cairo_t* cr, Rgb c, double alpha = 1.0) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
    cairo_fill(cr);
}

// ---- Episode 1: the emerald vale at dusk ---------------------------------

const Hills kValeHills{350, 34, 95, 13u};

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

// Woods on both sides of the vale; a clearing round the relic's column.
void pineWoods(Image& scene) {
    paintOn(scene, [&](cairo_t* cr) {
        SeededRandom random(14);
        for (float x = -10; x < kW + 10; x += 9 + random.unit() * 16) {
            if (std::fabs(x - kColumnX) < 62 && random.unit() < 0.85f) continue;
            pineTree(cr, x, kValeHills(x) + 6, 38 + random.unit() * 62);
        }
        flatFill(cr, hexColour(0x06160E));
    });
}

Description emeraldVale() {
    return {{Sky{0x04101A, 0x0E3440, 0x5A9A6A, 330},
             Stars{101, 90, 250, 0.8f},
             Disc{128, 84, 21, 0xEAF8DA, 0x3A7A5A, 70},
             Land{Hills{292, 46, 150, 11u}, 0x2E5A4E, 0x1A3A34, 60},
             Mist{322, 14, 0x9AD0A0, 0.35f, 12u},
             Feature{pineWoods},
             Land{kValeHills, 0x0A2216, 0x04100A, 140},
             Land{Hills{470, 14, 70, 15u}, 0x05140C, 0x020805, 90, 0.25f, 0x4A8A4A},
             Lights{16, 34, {0, 340, kW, 220}, 0xC8FF70, 1.6f, 0.75f}},
            0x6AC870,
            0.22f};
}

// ---- Episode 2: the sapphire coast under a full moon ---------------------

constexpr float kSeaLevel = 300;

// The sea: darker with depth, shimmering in long flat strokes, the moon's
// road running towards the viewer.
void moonlitSea(Image& scene) {
    const float horizon = kSeaLevel;
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
}

float headland(float x) {
    const float rise = 1.0f - smoothstep(20, 200, x);
    return kSeaLevel - rise * (120 + 40 * hillNoise(x, 60, 24u));
}

// A headland on the left standing in the water, with a lit watchtower.
void headlandWithTower(Image& scene) {
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
}

Description sapphireCoast() {
    return {{Sky{0x020514, 0x0A1A4A, 0x3458A0, kSeaLevel},
             Stars{201, 150, kSeaLevel - 20, 0.9f},
             Disc{150, 104, 32, 0xF2F6FF, 0x4A68B0, 110},
             Feature{moonlitSea},
             Mist{kSeaLevel, 5, 0x7090D0, 0.35f, 22u},
             Feature{headlandWithTower},
             Land{Hills{520, 30, 60, 25u}, 0x050A1A, 0x010206, 60, 0.3f, 0x5070B0}},
            0x7AA0FF,
            0.2f};
}

// ---- Episode 3: the amber dunes at sunset --------------------------------

constexpr float kDuneHorizon = 330;

// Long thin clouds lit from below.
void sunsetClouds(Image& scene) {
    for (int y = 60; y < 260; ++y)
        for (int x = 0; x < kW; ++x) {
            const float band = valueNoise(x * 0.18f, y * 1.3f, 14.0f, 31u);
            const float k = smoothstep(0.6f, 0.85f, band) * 0.35f;
            blendPixel(scene, x, y, lerp(hexColour(0x5A1A3A), hexColour(0xFFA060), y / 260.0f), k);
        }
}

// Two pyramids in the haze, one each side of the board.
void pyramids(Image& scene) {
    paintOn(scene, [&](cairo_t* cr) {
        const double horizon = kDuneHorizon;
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
}

// A dune: a long swell with a little noise on it, its crest catching the
// last light.
Land dune(float base, float swell, float period, float phase, std::uint32_t near, std::uint32_t deep,
          std::uint32_t crest) {
    const Hills line{base, 8, 50, static_cast<std::uint32_t>(base), swell, period, phase};
    return Land{line, near, deep, 90, 0.45f, crest};
}

Description amberDunes() {
    // The sun has just gone down behind the dunes; its glow is still up.
    return {{Sky{0x200A34, 0x9A3A3A, 0xFF9448, kDuneHorizon},
             Stars{301, 30, 120, 0.6f},
             Feature{sunsetClouds},
             Glow{110, kDuneHorizon + 10, 130, 0x902808, 0.5f},
             Glow{110, kDuneHorizon + 4, 46, 0xFF6A20, 0.3f},
             Feature{pyramids},
             Mist{kDuneHorizon - 4, 10, 0xF09058, 0.35f, 32u},
             dune(352, 16, 70, 0.8f, 0xA8502A, 0x6A2A18, 0xFFC080),
             dune(420, 24, 95, 2.1f, 0x7A3418, 0x3A1208, 0xFFA860),
             dune(500, 20, 80, 4.0f, 0x3A140A, 0x140604, 0xE08040)},
            0xFFB860,
            0.22f};
}

// ---- Episode 4: the amethyst caverns -------------------------------------

// The cavern's rock, lit from its middle, with strata and grain.
void cavernRock(Image& scene) {
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const float d = std::hypot((x - 330.0f) / 360.0f, (y - 300.0f) / 300.0f);
            Rgb c = lerp(hexColour(0x4A1C7C), hexColour(0x0C0418), clamp01(d * 0.9f));
            const float rock = valueNoise(x * 1.0f, y * 2.2f, 40.0f, 41u) * 0.6f + valueNoise(x, y, 13.0f, 42u) * 0.4f;
            c = c * (0.6f + 0.75f * rock);
            scene.at(x, y) = packArgb(withAlpha(c, 1));
        }
}

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

// Hanging (from the roof) or standing (on the floor) points of rock, at
// random steps across the picture.
void dripstones(cairo_t* cr, SeededRandom& random, bool hanging) {
    const double edge = hanging ? -2 : kH + 2, dir = hanging ? 1 : -1, from = hanging ? 0 : kH;
    // Worked out in single precision, as the shapes were first drawn.
    const float step = hanging ? 12 : 16, stepSpread = hanging ? 22 : 26;
    const float length = hanging ? 30 : 16, lengthSpread = hanging ? 110 : 60, width = hanging ? 10 : 14;
    for (float x = -6; x < kW + 6; x += step + random.unit() * stepSpread) {
        const double len = length + random.unit() * lengthSpread, w = width + random.unit() * 26;
        cairo_move_to(cr, x - w / 2, edge);
        cairo_curve_to(cr, x - w * 0.3, from + dir * len * 0.4, x - 2, from + dir * len * 0.8, x, from + dir * len);
        cairo_curve_to(cr, x + 2, from + dir * len * 0.8, x + w * 0.3, from + dir * len * 0.4, x + w / 2, edge);
        cairo_close_path(cr);
    }
}

// Stalactites and stalagmites, and clusters of crystal at the foot of the
// column and in the far corners.
void dripstonesAndCrystals(Image& scene) {
    paintOn(scene, [&](cairo_t* cr) {
        SeededRandom random(43);
        dripstones(cr, random, true);
        dripstones(cr, random, false);
        flatFill(cr, hexColour(0x0A0412));
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
}

Description amethystCaverns() {
    return {{Feature{cavernRock},
             Feature{dripstonesAndCrystals},
             Glow{18, 510, 34, 0x9A40E0, 0.4f},
             Glow{196, 520, 34, 0x9A40E0, 0.4f},
             Glow{560, 520, 34, 0x9A40E0, 0.4f},
             Glow{60, 80, 34, 0x9A40E0, 0.4f},
             Lights{44, 40, {0, 60, kW, 460}, 0xC080FF, 1.2f, 0.6f}},
            0xB070FF,
            0.25f};
}

// ---- Episode 5: the ruby citadel -----------------------------------------

// Bands of smoke across the sky.
void smokeBands(Image& scene) {
    for (int y = 30; y < 300; ++y)
        for (int x = 0; x < kW; ++x) {
            const float band = valueNoise(x * 0.2f, y * 1.1f, 18.0f, 51u);
            blendPixel(scene, x, y, hexColour(0x2A0410), smoothstep(0.55f, 0.8f, band) * 0.5f);
        }
}

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

// The citadel runs the width of the picture: walls, then towers of every
// height, the tallest behind the board, with lit windows.
void citadel(Image& scene) {
    const Hills hill{382, 22, 140, 54u};
    std::vector<std::pair<float, float>> windows;
    paintOn(scene, [&](cairo_t* cr) {
        SeededRandom random(55);
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
                if (random.unit() < 0.5f)
                    windows.emplace_back(x - 2 + random.signedUnit() * w * 0.2f, hill(x) - 40 - random.unit() * (h - 20));
        }
        flatFill(cr, hexColour(0x1A0408));
        for (const auto& [wx, wy] : windows) {
            cairo_rectangle(cr, wx, wy, 3, 5);
            flatFill(cr, hexColour(0xFFC060));
        }
    });
    for (const auto& [wx, wy] : windows) addBloom(scene, wx + 1.5f, wy + 2.5f, 5, hexColour(0xFF8030), 0.35f);
}

Description rubyCitadel() {
    return {{Sky{0x100208, 0x5A0A1A, 0xF05A36, 350},
             Feature{smokeBands},
             Stars{501, 40, 140, 0.55f},
             Disc{112, 118, 26, 0xFFD8A8, 0xA0302A, 90},
             Land{Hills{330, 26, 120, 52u}, 0x6A1822, 0x3A0A14, 60},
             Mist{340, 12, 0xFF7050, 0.3f, 53u},
             Feature{citadel},
             Land{Hills{490, 18, 80, 56u}, 0x12030A, 0x050104, 80, 0.3f, 0xA03020},
             Lights{57, 36, {0, 120, kW, 420}, 0xFF8A30, 1.1f, 0.55f}},
            0xFF7050,
            0.22f};
}

// ---- Episode 6: the starfall sanctum --------------------------------------

constexpr float kSanctumHorizon = 390;

// The galaxy's band across the sky.
void galaxy(Image& scene) {
    for (int y = 0; y < static_cast<int>(kSanctumHorizon); ++y)
        for (int x = 0; x < kW; ++x) {
            const float d = ((y - 60.0f) - (x - 310.0f) * 0.42f) / 70.0f;
            const float dust = valueNoise(x * 1.0f, y * 1.0f, 22.0f, 61u) * 0.7f + valueNoise(x, y, 7.0f, 62u) * 0.3f;
            const float k = std::exp(-d * d) * (0.4f + 0.6f * dust) * 0.4f;
            addPixel(scene, x, y, lerp(hexColour(0x6A4AB0), hexColour(0xE0A0D0), dust), k);
        }
}

// Curtains of aurora along the top.
void aurora(Image& scene) {
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < kW; ++x) {
            const float curve = 90 + 40 * std::sin(x / 90.0f + 1.3f) + 15 * std::sin(x / 33.0f);
            const float across = (y - curve) / 38.0f;
            const float rays = 0.5f + 0.5f * valueNoise(x * 1.0f, 0.5f, 5.0f, 63u);
            const float k = std::exp(-across * across) * rays * smoothstep(-1.6f, 0.4f, -across) * 0.4f;
            addPixel(scene, x, y, lerp(hexColour(0x30E0A0), hexColour(0xA060FF), clamp01(-across * 0.5f + 0.4f)), k);
        }
}

// Shards falling: streaks of light across the sky.
void fallingShards(Image& scene) {
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
}

float sanctumPeaks(float x) {
    return 380 - 120 * std::exp(-std::pow((x - 80) / 90.0f, 2.0f)) - 60 * std::exp(-std::pow((x - 520) / 80.0f, 2.0f)) -
           30 * hillNoise(x, 40, 65u);
}

// The sanctum on the high peak: a small temple with a lit doorway.
void temple(Image& scene) {
    paintOn(scene, [&](cairo_t* cr) {
        const double x = 86, base = sanctumPeaks(86) + 6;
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
    addBloom(scene, 86, sanctumPeaks(86) - 10, 16, hexColour(0xFFC880), 0.45f);
}

Description starfallSanctum() {
    return {{Sky{0x03020C, 0x160C40, 0x44307E, kSanctumHorizon},
             Feature{galaxy},
             Feature{aurora},
             Stars{601, 300, kSanctumHorizon - 10, 1.0f},
             Feature{fallingShards},
             Land{sanctumPeaks, 0x2A2460, 0x0A0820, 160, 0.6f, 0xC8C8FF},
             Feature{temple},
             Land{Hills{470, 22, 90, 66u}, 0x0C0A24, 0x030210, 90, 0.3f, 0x8080E0}},
            0xB0A0FF,
            0.25f};
}

}  // namespace

scene::Description episodeSceneDescription(int episode) {
    switch (episode) {
        case 1: return emeraldVale();
        case 2: return sapphireCoast();
        case 3: return amberDunes();
        case 4: return amethystCaverns();
        case 5: return rubyCitadel();
        default: return starfallSanctum();
    }
}
