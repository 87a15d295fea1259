#include "scene_painting.h"

#include <cairo.h>

#include <cmath>
#include <map>

#include "cairo_shapes.h"
#include "episode_scenes.h"
#include "gem_drawing.h"
#include "menu_art.h"
#include "painted_once.h"
#include "scene_layers.h"

namespace {

using namespace scene;

constexpr float kPi = 3.14159265f;

// ---- The other modes: the menus' velvet, lit from the column ----------------

// Action: stones tumbling down the column, in two streams.
Description actionDescription() {
    Description d{{Velvet{}}, 0xFFB040, 0.18f};
    const int kinds[6] = {5, 1, 4, 0, 6, 2};
    for (int i = 0; i < 6; ++i) {
        const float cx = kColumnX + (i % 2 ? 34.0f : -34.0f) + (i % 2 ? 1 : -1) * 4.0f * i;
        d.layers.push_back(FallingStone{kinds[i], cx, 130.0f + i * 70.0f, 0.95f + 0.07f * i});
    }
    return d;
}

// The cube's match, a square of four alike, set in gold as its emblem, with
// the lattice of squares it is cut from fading out around it.
void cubeEmblem(Image& scene) {
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
}

Description cubeDescription() {
    Description d{{Velvet{}, Feature{cubeEmblem}}, 0x70A0FF, 0.18f};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) {
            const float cx = kColumnX - 32 + c * 64, cy = 280 + r * 64;
            d.layers.push_back(Glow{cx, cy, 20, piecePalette(4).body * 0.5f, 0.3f});
            d.layers.push_back(Stone{4, cx, cy, 1.05f, 72, 0.7f});
        }
    d.layers.push_back(Rule{kColumnX - 80, kColumnX + 80, 200});
    d.layers.push_back(Rule{kColumnX - 80, kColumnX + 80, 424});
    return d;
}

constexpr float kRoseY = 300, kRoseRadius = 88;

// The puzzle's rose window: jewel-coloured panes in gold tracery.
void roseWindow(Image& scene) {
    const float cx = kColumnX, cy = kRoseY, outer = kRoseRadius;
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
}

Description puzzleDescription() {
    return {{Velvet{}, Feature{roseWindow}, Glow{kColumnX, kRoseY, 60, 0xFFC070, 0.18f},
             Stone{7, kColumnX, kRoseY, 0.95f, 66, 0.9f},
             Rule{kColumnX - 80, kColumnX + 80, kRoseY - kRoseRadius - 26},
             Rule{kColumnX - 80, kColumnX + 80, kRoseY + kRoseRadius + 26}},
            0xFFC070,
            0.18f};
}

std::map<int, Image> painted;
enum ModeScene { kAction = 100, kCube, kPuzzle };

}  // namespace

const Image& episodeScene(int episode) {
    return paintedOnce(painted, episode, [episode] { return scene::paint(episodeSceneDescription(episode)); });
}

const Image& actionScene() {
    return paintedOnce(painted, static_cast<int>(kAction), [] { return scene::paint(actionDescription()); });
}
const Image& cubeScene() {
    return paintedOnce(painted, static_cast<int>(kCube), [] { return scene::paint(cubeDescription()); });
}
const Image& puzzleScene() {
    return paintedOnce(painted, static_cast<int>(kPuzzle), [] { return scene::paint(puzzleDescription()); });
}
