#include "relic_drawing.h"

#include <cairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "cairo_shapes.h"
#include "canvas.h"
#include "materials.h"
#include "menu_art.h"
#include "paint.h"
#include "painted_once.h"

namespace {

using namespace gamelayout;

constexpr double kPi = 3.14159265358979;
constexpr double kCx = kRelicCentreX;  // every relic stands on this axis
constexpr double kFoot = kRelicFoot;

// One part being drawn: vector work in screen coordinates on a canvas the
// size of the relic's box, and the gems set on top of it.
class PartCanvas {
public:
    PartCanvas(const ScreenRect& box, float brightness) : box_(box), canvas_(box.w, box.h), brightness_(brightness) {
        cairo_translate(canvas_.cr(), -box.x, -box.y);
    }
    cairo_t* cr() const { return canvas_.cr(); }
    float brightness() const { return brightness_; }

    // A cut stone of piece kind `kind` at a scale of the 44-pixel piece.
    void gem(int kind, double cx, double cy, double scale) { gems_.push_back({kind, cx, cy, scale}); }

    Image finish() const {
        Image picture = canvas_.toImage();
        for (const Gem& g : gems_) {
            const int size = static_cast<int>(std::ceil(52 * g.scale)) + 8;
            Image stone = decorativeGem(g.kind, static_cast<float>(g.scale), size, 0.75f);
            if (brightness_ < 1.0f) {
                for (auto& p : stone.pixels) {
                    Rgba c = unpackArgb(p);
                    p = packArgb({c.r * brightness_, c.g * brightness_, c.b * brightness_, c.a});
                }
            }
            placeCentred(picture, stone, static_cast<float>(g.cx - box_.x), static_cast<float>(g.cy - box_.y));
        }
        return picture;
    }

private:
    struct Gem {
        int kind;
        double cx, cy, scale;
    };
    ScreenRect box_;
    Canvas canvas_;
    float brightness_;
    std::vector<Gem> gems_;
};

struct RelicPart {
    int depth;  // parts in place are drawn from the lowest depth up
    std::function<void(PartCanvas&)> paint;
};

struct RelicDesign {
    std::string name;
    std::vector<RelicPart> parts;
};

// ---- Drawing in gold ------------------------------------------------------

// Fills the current path with polished gold lit along the axis (x0, y0) to
// (x1, y1), then edges it in dark bronze. Keeps no path.
void gild(PartCanvas& p, double x0, double y0, double x1, double y1) {
    cairo_t* cr = p.cr();
    const double k = p.brightness();
    setGradient(cr, dimmed(material::kRelicGold, k), x0, y0, x1, y1);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.16, 0.07, 0.01, 0.95);
    cairo_set_line_width(cr, 1.3);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// Gold lit from above (flat-topped things) or from the left (round things).
void gildDown(PartCanvas& p, double top, double bottom) { gild(p, 0, top, 0, bottom); }
void gildAcross(PartCanvas& p, double left, double right) { gild(p, left, 0, right, 0); }

// A gold rod or wire along the current path.
void goldWire(PartCanvas& p, double width) {
    const double k = p.brightness();
    metalStroke(p.cr(), width, 0.9 * k, 0.66 * k, 0.2 * k);
}

// A thin engraved line along the current path.
void engrave(PartCanvas& p, double alpha = 0.55) {
    cairo_set_source_rgba(p.cr(), 0.25, 0.12, 0.0, alpha);
    cairo_set_line_width(p.cr(), 1.0);
    cairo_stroke(p.cr());
}

void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry, double rotation = 0) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, rotation);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
}

// A smooth symmetric body (a bowl, a dome, a bulb) through half-widths at
// heights, as cubic curves.
void smoothBody(cairo_t* cr, const std::vector<std::pair<double, double>>& rightHalf) {
    auto at = [&](std::size_t i, double side) { return std::pair{kCx + side * rightHalf[i].first, rightHalf[i].second}; };
    auto curveThrough = [&](double side, bool forward) {
        const std::size_t n = rightHalf.size();
        for (std::size_t s = 1; s < n; ++s) {
            const std::size_t i = forward ? s : n - 1 - s;
            const std::size_t from = forward ? i - 1 : i + 1;
            const auto [x0, y0] = at(from, side);
            const auto [x1, y1] = at(i, side);
            // Vertical tangents at the ends of each span keep the body round.
            cairo_curve_to(cr, x0, y0 + (y1 - y0) * 0.55, x1, y1 - (y1 - y0) * 0.55, x1, y1);
        }
    };
    const auto [sx, sy] = at(0, 1);
    cairo_move_to(cr, sx, sy);
    curveThrough(1, true);
    const auto [lx, ly] = at(rightHalf.size() - 1, -1);
    cairo_line_to(cr, lx, ly);
    curveThrough(-1, false);
    cairo_close_path(cr);
}

// A stepped slab: rows of (half-width, top, bottom), gilded one by one.
void steppedBase(PartCanvas& p, const std::vector<std::array<double, 3>>& steps) {
    for (const auto& [half, top, bottom] : steps) {
        roundedRectPath(p.cr(), kCx - half, top, 2 * half, bottom - top, std::min(4.0, (bottom - top) / 2));
        gildDown(p, top, bottom);
    }
}

void pearl(PartCanvas& p, double cx, double cy, double r) {
    cairo_t* cr = p.cr();
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    setRadialGradient(cr, dimmed(material::kPearl, p.brightness()), cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.2, 0.15, 0.2, 0.8);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

// ---- The relics -------------------------------------------------------------

void lanternBase(PartCanvas& p) {
    steppedBase(p, {{70, 512, 530}, {56, 497, 513}});
    for (int i = -1; i <= 1; ++i) p.gem(0, kCx + 26 * i, 521, 0.34);
}

void lanternCage(PartCanvas& p) {
    cairo_t* cr = p.cr();
    for (int side : {-1, 1}) {
        cairo_move_to(cr, kCx + side * 54, 492);
        cairo_curve_to(cr, kCx + side * 66, 440, kCx + side * 64, 360, kCx + side * 46, 314);
        goldWire(p, 6);
        cairo_move_to(cr, kCx + side * 20, 497);
        cairo_curve_to(cr, kCx + side * 26, 440, kCx + side * 24, 360, kCx + side * 17, 316);
        goldWire(p, 3.5);
    }
    // Lattice between the pillars.
    for (int i = 0; i < 4; ++i) {
        const double y = 340 + i * 40;
        cairo_move_to(cr, kCx - 58, y);
        cairo_curve_to(cr, kCx - 30, y + 16, kCx + 30, y + 16, kCx + 58, y);
        goldWire(p, 1.6);
    }
    ellipsePath(cr, kCx, 494, 60, 9);
    goldWire(p, 4.5);
    ellipsePath(cr, kCx, 312, 48, 8);
    goldWire(p, 4.5);
}

void lanternLight(PartCanvas& p) {
    cairo_t* cr = p.cr();
    // The stone's own light on the glass around it.
    cairo_pattern_t* glow = cairo_pattern_create_radial(kCx, 402, 8, kCx, 402, 62);
    cairo_pattern_add_color_stop_rgba(glow, 0, 0.6, 1.0, 0.7, 0.75 * p.brightness());
    cairo_pattern_add_color_stop_rgba(glow, 1, 0.1, 0.5, 0.25, 0.0);
    cairo_set_source(cr, glow);
    ellipsePath(cr, kCx, 402, 56, 84);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    p.gem(0, kCx, 402, 1.55);
}

void lanternHood(PartCanvas& p) {
    cairo_t* cr = p.cr();
    cairo_move_to(cr, kCx - 54, 316);
    cairo_curve_to(cr, kCx - 64, 284, kCx - 26, 268, kCx, 234);
    cairo_curve_to(cr, kCx + 26, 268, kCx + 64, 284, kCx + 54, 316);
    cairo_curve_to(cr, kCx + 20, 324, kCx - 20, 324, kCx - 54, 316);
    cairo_close_path(cr);
    gildAcross(p, kCx - 60, kCx + 60);
    for (int side : {-1, 1}) {
        cairo_move_to(cr, kCx + side * 30, 318);
        cairo_curve_to(cr, kCx + side * 34, 292, kCx + side * 14, 268, kCx, 238);
        engrave(p);
    }
    p.gem(1, kCx, 290, 0.48);
}

void lanternRing(PartCanvas& p) {
    cairo_t* cr = p.cr();
    cairo_arc(cr, kCx, 206, 13, 0, 2 * kPi);
    goldWire(p, 4.5);
    ellipsePath(cr, kCx, 228, 8, 7);
    gildAcross(p, kCx - 8, kCx + 8);
    p.gem(2, kCx, 228, 0.26);
}

RelicDesign emeraldLantern() {
    return {"the emerald lantern",
            {{3, lanternBase},
             {2, lanternCage},
             {0, lanternLight},
             {4, lanternHood},
             {5, lanternRing}}};
}

void chaliceFoot(PartCanvas& p) {
    cairo_t* cr = p.cr();
    cairo_move_to(cr, kCx - 74, 524);
    cairo_curve_to(cr, kCx - 70, 494, kCx - 24, 488, kCx - 16, 470);
    cairo_line_to(cr, kCx + 16, 470);
    cairo_curve_to(cr, kCx + 24, 488, kCx + 70, 494, kCx + 74, 524);
    cairo_close_path(cr);
    gildAcross(p, kCx - 74, kCx + 74);
    roundedRectPath(cr, kCx - 78, 520, 156, 10, 4);
    gildDown(p, 520, 530);
    for (int i = -1; i <= 1; ++i) p.gem(4, kCx + 30 * i, 506 - (i == 0 ? 6 : 0), 0.34);
}

void chaliceStem(PartCanvas& p) {
    cairo_t* cr = p.cr();
    cairo_rectangle(cr, kCx - 9, 376, 18, 96);
    gildAcross(p, kCx - 9, kCx + 9);
    ellipsePath(cr, kCx, 428, 24, 15);
    gildAcross(p, kCx - 24, kCx + 24);
    p.gem(4, kCx, 428, 0.4);
}

void chaliceCup(PartCanvas& p) {
    cairo_t* cr = p.cr();
    smoothBody(cr, {{78, 252}, {66, 330}, {10, 382}});
    gildAcross(p, kCx - 78, kCx + 78);
    ellipsePath(cr, kCx, 252, 78, 11);
    gildDown(p, 241, 263);
    ellipsePath(cr, kCx, 251, 70, 7);
    cairo_set_source_rgb(cr, 0.12, 0.05, 0.02);
    cairo_fill(cr);
}

void chaliceBand(PartCanvas& p) {
    cairo_t* cr = p.cr();
    cairo_move_to(cr, kCx - 72, 296);
    cairo_curve_to(cr, kCx - 40, 314, kCx + 40, 314, kCx + 72, 296);
    goldWire(p, 7);
    const int kinds[5] = {4, 7, 4, 7, 4};
    for (int i = 0; i < 5; ++i) {
        const double t = (i - 2) / 2.0;
        p.gem(kinds[i], kCx + 27 * (i - 2), 296 + 13 * (1 - t * t), i == 2 ? 0.5 : 0.38);
    }
}

void chaliceLid(PartCanvas& p) {
    cairo_t* cr = p.cr();
    smoothBody(cr, {{16, 186}, {66, 222}, {80, 250}});
    gildAcross(p, kCx - 80, kCx + 80);
    for (int side : {-1, 1}) {
        cairo_move_to(cr, kCx + side * 10, 190);
        cairo_curve_to(cr, kCx + side * 30, 204, kCx + side * 44, 226, kCx + side * 50, 248);
        engrave(p);
    }
    ellipsePath(cr, kCx, 248, 80, 5);
    gildDown(p, 243, 253);
}

void chaliceCrest(PartCanvas& p) {
    cairo_t* cr = p.cr();
    for (int i = -2; i <= 2; ++i) {
        cairo_move_to(cr, kCx + i * 5, 190);
        cairo_line_to(cr, kCx + i * 9, 170);
        goldWire(p, 2.4);
    }
    ellipsePath(cr, kCx, 188, 16, 5);
    gildDown(p, 183, 193);
    p.gem(7, kCx, 166, 0.72);
}

RelicDesign sapphireChalice() {
    return {"the sapphire chalice",
            {{0, chaliceFoot},
             {1, chaliceStem},
             {2, chaliceCup},
             {3, chaliceBand},
             {4, chaliceLid},
             {5, chaliceCrest}}};
}

RelicDesign sunOfTheDunes() {
    RelicDesign d{"the sun of the dunes", {}};
    constexpr double kSunY = 316;
    d.parts.push_back({0, [](PartCanvas& p) { steppedBase(p, {{74, 508, 530}, {60, 490, 508}, {46, 474, 490}}); }});
    d.parts.push_back({1, [](PartCanvas& p) {
                           cairo_t* cr = p.cr();
                           cairo_rectangle(cr, kCx - 20, 394, 40, 82);
                           gildAcross(p, kCx - 20, kCx + 20);
                           for (int i = -1; i <= 1; ++i) {
                               cairo_move_to(cr, kCx + i * 10, 400);
                               cairo_line_to(cr, kCx + i * 10, 472);
                               engrave(p);
                           }
                           roundedRectPath(cr, kCx - 30, 384, 60, 12, 3);
                           gildDown(p, 384, 396);
                       }});
    d.parts.push_back({2, [](PartCanvas& p) {
                           cairo_t* cr = p.cr();
                           cairo_move_to(cr, kCx - 74, 328);
                           cairo_curve_to(cr, kCx - 70, 376, kCx - 30, 392, kCx, 392);
                           cairo_curve_to(cr, kCx + 30, 392, kCx + 70, 376, kCx + 74, 328);
                           cairo_curve_to(cr, kCx + 58, 362, kCx + 30, 376, kCx, 376);
                           cairo_curve_to(cr, kCx - 30, 376, kCx - 58, 362, kCx - 74, 328);
                           cairo_close_path(cr);
                           gildDown(p, 328, 392);
                       }});
    d.parts.push_back({3, [](PartCanvas& p) {
                           cairo_t* cr = p.cr();
                           for (int i = 0; i < 16; ++i) {
                               const double a = 2 * kPi * i / 16 - kPi / 2;
                               const double reach = i % 2 ? 72 : 92, half = i % 2 ? 0.09 : 0.11;
                               cairo_move_to(cr, kCx + 48 * std::cos(a - half * 1.6), kSunY + 48 * std::sin(a - half * 1.6));
                               cairo_line_to(cr, kCx + reach * std::cos(a), kSunY + reach * std::sin(a));
                               cairo_line_to(cr, kCx + 48 * std::cos(a + half * 1.6), kSunY + 48 * std::sin(a + half * 1.6));
                               cairo_close_path(cr);
                               gild(p, kCx + 48 * std::cos(a), kSunY + 48 * std::sin(a), kCx + reach * std::cos(a),
                                    kSunY + reach * std::sin(a));
                           }
                       }});
    d.parts.push_back({4, [](PartCanvas& p) {
                           cairo_t* cr = p.cr();
                           cairo_arc(cr, kCx, kSunY, 52, 0, 2 * kPi);
                           gild(p, kCx - 40, kSunY - 40, kCx + 40, kSunY + 40);
                           cairo_arc(cr, kCx, kSunY, 40, 0, 2 * kPi);
                           engrave(p, 0.7);
                           for (int i = 0; i < 12; ++i) {
                               const double a = 2 * kPi * i / 12;
                               cairo_arc(cr, kCx + 46 * std::cos(a), kSunY + 46 * std::sin(a), 2.2, 0, 2 * kPi);
                               gild(p, 0, kSunY - 50, 0, kSunY + 50);
                           }
                       }});
    d.parts.push_back({5, [](PartCanvas& p) { p.gem(5, kCx, kSunY, 1.15); }});
    return d;
}

void crownPlinth(PartCanvas& p) {
    cairo_t* cr = p.cr();
    steppedBase(p, {{62, 514, 530}});
    cairo_rectangle(cr, kCx - 30, 442, 60, 73);
    gildAcross(p, kCx - 30, kCx + 30);
    for (int i = -2; i <= 2; ++i) {
        cairo_move_to(cr, kCx + i * 11, 446);
        cairo_line_to(cr, kCx + i * 11, 512);
        engrave(p, 0.45);
    }
    steppedBase(p, {{58, 428, 444}});
}

void crownBand(PartCanvas& p) {
    cairo_t* cr = p.cr();
    cairo_move_to(cr, kCx - 88, 414);
    cairo_curve_to(cr, kCx - 84, 386, kCx - 40, 384, kCx, 386);
    cairo_curve_to(cr, kCx + 40, 384, kCx + 84, 386, kCx + 88, 414);
    cairo_curve_to(cr, kCx + 84, 432, kCx + 40, 434, kCx, 432);
    cairo_curve_to(cr, kCx - 40, 434, kCx - 84, 432, kCx - 88, 414);
    cairo_close_path(cr);
    setRadialGradient(cr, dimmed(material::kCrownVelvet, p.brightness()), kCx - 20, 396, 6, kCx, 410, 96);
    cairo_fill_preserve(cr);
    goldWire(p, 2.2);
    for (int side : {-1, 1}) {
        cairo_move_to(cr, kCx + side * 88, 414);
        cairo_line_to(cr, kCx + side * 92, 440);
        goldWire(p, 2);
        ellipsePath(cr, kCx + side * 92, 444, 5, 8);
        gildAcross(p, kCx + side * 92 - 5, kCx + side * 92 + 5);
    }
}

void crownCirclet(PartCanvas& p) {
    cairo_t* cr = p.cr();
    cairo_move_to(cr, kCx - 64, 350);
    cairo_curve_to(cr, kCx - 30, 358, kCx + 30, 358, kCx + 64, 350);
    cairo_line_to(cr, kCx + 62, 390);
    cairo_curve_to(cr, kCx + 30, 400, kCx - 30, 400, kCx - 62, 390);
    cairo_close_path(cr);
    gildDown(p, 350, 398);
    p.gem(3, kCx, 376, 0.52);
    for (int side : {-1, 1}) {
        p.gem(7, kCx + side * 30, 375, 0.3);
        p.gem(1, kCx + side * 52, 372, 0.3);
    }
}

void crownArches(PartCanvas& p) {
    cairo_t* cr = p.cr();
    // The velvet cap under the arches, then the arches with their pearls.
    smoothBody(cr, {{12, 262}, {52, 300}, {62, 352}});
    const double k = p.brightness();
    cairo_set_source_rgb(cr, 0.4 * k, 0.1 * k, 0.55 * k);
    cairo_fill(cr);
    for (int side : {-1, 1}) {
        cairo_move_to(cr, kCx + side * 62, 352);
        cairo_curve_to(cr, kCx + side * 62, 300, kCx + side * 30, 262, kCx, 262);
        goldWire(p, 6);
        for (int i = 1; i <= 4; ++i) {
            const double t = i / 5.0;
            const double a = kPi / 2 * t;
            pearl(p, kCx + side * 62 * std::cos(a), 352 - 90 * std::sin(a), 2.8);
        }
    }
    cairo_move_to(cr, kCx, 356);
    cairo_line_to(cr, kCx, 266);
    goldWire(p, 5);
}

void crownCross(PartCanvas& p) {
    cairo_t* cr = p.cr();
    cairo_arc(cr, kCx, 246, 15, 0, 2 * kPi);
    gild(p, kCx - 12, 234, kCx + 12, 260);
    cairo_move_to(cr, kCx - 15, 246);
    cairo_line_to(cr, kCx + 15, 246);
    engrave(p);
    cairo_rectangle(cr, kCx - 4, 200, 8, 32);
    gildAcross(p, kCx - 4, kCx + 4);
    cairo_rectangle(cr, kCx - 14, 210, 28, 8);
    gildDown(p, 210, 218);
    p.gem(3, kCx, 248, 0.3);
    p.gem(7, kCx, 214, 0.2);
}

// The two fleurons on one side of the crown, each topped with a pearl.
void crownFleurons(PartCanvas& p, int side) {
    cairo_t* cr = p.cr();
    for (double at : {58.0, 31.0}) {
        const double x = kCx + side * at, top = at > 40 ? 306 : 290;
        cairo_move_to(cr, x - 11, 356);
        cairo_curve_to(cr, x - 14, 336, x - 6, 322, x, top);
        cairo_curve_to(cr, x + 6, 322, x + 14, 336, x + 11, 356);
        cairo_close_path(cr);
        gildAcross(p, x - 12, x + 12);
        pearl(p, x, top - 4, 4.5);
    }
}

RelicDesign amethystCrown() {
    return {"the amethyst crown",
            {{0, crownPlinth},
             {1, crownBand},
             {1, crownCirclet},
             {3, [](PartCanvas& p) { crownFleurons(p, -1); }},
             {3, [](PartCanvas& p) { crownFleurons(p, 1); }},
             {0, crownArches},
             {5, crownCross}}};
}

// A bulb of clear glass, its outline drawn bright, and a shine on its left
// side along a curve (x from the axis, y).
void glassBulb(PartCanvas& p, const std::vector<std::pair<double, double>>& shape,
               const std::array<std::array<double, 2>, 4>& shine) {
    cairo_t* cr = p.cr();
    smoothBody(cr, shape);
    cairo_set_source_rgba(cr, 0.85, 0.9, 1.0, 0.16);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.95, 0.95, 1.0, 0.55);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_move_to(cr, kCx + shine[0][0], shine[0][1]);
    cairo_curve_to(cr, kCx + shine[1][0], shine[1][1], kCx + shine[2][0], shine[2][1], kCx + shine[3][0], shine[3][1]);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.45);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void hourglassBase(PartCanvas& p) {
    cairo_t* cr = p.cr();
    steppedBase(p, {{78, 512, 530}, {66, 502, 513}});
    for (int side : {-1, 1}) {
        cairo_arc(cr, kCx + side * 70, 522, 8, 0, 2 * kPi);
        gild(p, kCx + side * 70 - 6, 514, kCx + side * 70 + 6, 530);
    }
    p.gem(1, kCx, 519, 0.3);
}

void hourglassLowerBulb(PartCanvas& p) {
    glassBulb(p, {{6, 372}, {46, 448}, {42, 502}}, {{{-30, 470}, {-38, 452}, {-30, 430}, {-16, 410}}});
}

void hourglassUpperBulb(PartCanvas& p) {
    glassBulb(p, {{42, 242}, {46, 296}, {6, 372}}, {{{-30, 262}, {-36, 286}, {-28, 310}, {-14, 332}}});
}

void hourglassCap(PartCanvas& p) {
    steppedBase(p, {{66, 228, 240}, {78, 216, 229}});
    p.gem(1, kCx, 228, 0.24);
}

void hourglassSand(PartCanvas& p) {
    cairo_t* cr = p.cr();
    // Sand of tiny rubies: the heap below, the stream, what is left above.
    auto grains = [&](double cx, double top, double bottom, double half, bool heap) {
        for (double y = top; y < bottom; y += 3.2)
            for (double x = -half; x <= half; x += 3.4) {
                const double t = (y - top) / (bottom - top);
                const double width = heap ? half * std::sqrt(t) : half * (1 - t);
                if (std::fabs(x) > width) continue;
                const double jitter = std::sin(x * 12.9 + y * 78.2) * 0.8;
                cairo_arc(cr, cx + x + jitter, y, 1.8, 0, 2 * kPi);
            }
    };
    grains(kCx, 462, 500, 38, true);
    grains(kCx, 326, 368, 36, false);
    const double k = p.brightness();
    cairo_set_source_rgb(cr, 0.86 * k, 0.08 * k, 0.16 * k);
    cairo_fill(cr);
    cairo_move_to(cr, kCx, 370);
    cairo_line_to(cr, kCx, 466);
    cairo_set_source_rgba(cr, 0.95 * k, 0.3 * k, 0.35 * k, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    for (double y = 380; y < 460; y += 13) {
        cairo_arc(cr, kCx, y, 1.2, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 1, 0.85, 0.85, 0.9);
        cairo_fill(cr);
    }
    p.gem(1, kCx, 484, 0.36);
}

void hourglassCrest(PartCanvas& p) {
    cairo_t* cr = p.cr();
    for (int side : {-1, 1}) {
        cairo_move_to(cr, kCx + side * 10, 214);
        cairo_curve_to(cr, kCx + side * 30, 214, kCx + side * 44, 204, kCx + side * 40, 194);
        cairo_curve_to(cr, kCx + side * 36, 186, kCx + side * 26, 192, kCx + side * 30, 198);
        goldWire(p, 3);
    }
    ellipsePath(cr, kCx, 206, 13, 10);
    gildAcross(p, kCx - 13, kCx + 13);
    p.gem(1, kCx, 202, 0.62);
}

// One of the two twisted pillars that hold the glass.
void hourglassPillar(PartCanvas& p, int side) {
    cairo_t* cr = p.cr();
    const double x = kCx + side * 64;
    cairo_rectangle(cr, x - 5, 238, 10, 266);
    gildAcross(p, x - 5, x + 5);
    for (double y = 246; y < 500; y += 12) {
        cairo_move_to(cr, x - 5, y);
        cairo_line_to(cr, x + 5, y + 7);
        engrave(p, 0.6);
    }
    for (double y : {244.0, 372.0, 498.0}) {
        ellipsePath(cr, x, y, 8, 5);
        gildAcross(p, x - 8, x + 8);
    }
}

RelicDesign rubyHourglass() {
    return {"the ruby hourglass",
            {{0, hourglassBase},
             {3, [](PartCanvas& p) { hourglassPillar(p, -1); }},
             {3, [](PartCanvas& p) { hourglassPillar(p, 1); }},
             {1, hourglassLowerBulb},
             {1, hourglassUpperBulb},
             {4, hourglassCap},
             {2, hourglassSand},
             {5, hourglassCrest}}};
}

constexpr double kSphereY = 292, kRadius = 84;

void sphereStand(PartCanvas& p) {
    cairo_t* cr = p.cr();
    steppedBase(p, {{72, 512, 530}});
    for (int side : {-1, 1}) {
        cairo_move_to(cr, kCx + side * 58, 514);
        cairo_curve_to(cr, kCx + side * 52, 486, kCx + side * 24, 480, kCx + side * 12, 462);
        goldWire(p, 5);
    }
    cairo_move_to(cr, kCx, 514);
    cairo_line_to(cr, kCx, 462);
    goldWire(p, 5);
}

void sphereCradle(PartCanvas& p) {
    cairo_t* cr = p.cr();
    cairo_rectangle(cr, kCx - 8, 380, 16, 86);
    gildAcross(p, kCx - 8, kCx + 8);
    ellipsePath(cr, kCx, 428, 16, 10);
    gildAcross(p, kCx - 16, kCx + 16);
    cairo_arc(cr, kCx, kSphereY, kRadius + 9, 0.08 * kPi, 0.92 * kPi);
    goldWire(p, 5);
}

void sphereRim(PartCanvas& p) {
    cairo_t* cr = p.cr();
    cairo_arc(cr, kCx, kSphereY, kRadius, 0, 2 * kPi);
    goldWire(p, 5.5);
    for (int i = 0; i < 24; ++i) {
        const double a = 2 * kPi * i / 24;
        cairo_move_to(cr, kCx + (kRadius - 5) * std::cos(a), kSphereY + (kRadius - 5) * std::sin(a));
        cairo_line_to(cr, kCx + (kRadius + 1) * std::cos(a), kSphereY + (kRadius + 1) * std::sin(a));
        engrave(p, 0.7);
    }
}

void sphereInnerRing(PartCanvas& p) {
    ellipsePath(p.cr(), kCx, kSphereY, kRadius, 24, -0.2);
    goldWire(p, 4.5);
}

void sphereOuterRing(PartCanvas& p) {
    ellipsePath(p.cr(), kCx, kSphereY, kRadius, 40, 0.5);
    goldWire(p, 4.5);
}

void sphereLight(PartCanvas& p) {
    cairo_t* cr = p.cr();
    cairo_pattern_t* glow = cairo_pattern_create_radial(kCx, kSphereY, 6, kCx, kSphereY, 56);
    cairo_pattern_add_color_stop_rgba(glow, 0, 0.85, 0.8, 1.0, 0.7 * p.brightness());
    cairo_pattern_add_color_stop_rgba(glow, 1, 0.4, 0.3, 0.9, 0.0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, kCx, kSphereY, 56, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    p.gem(7, kCx, kSphereY, 1.2);
}

void sphereJewels(PartCanvas& p) {
    // A jewel of every earlier episode, riding the rings.
    const double at[5][2] = {{-0.2, 0.7}, {-0.2, 3.9}, {0.5, 2.2}, {0.5, 5.4}, {-0.2, 2.4}};
    const int kinds[5] = {0, 4, 2, 3, 1};
    for (int i = 0; i < 5; ++i) {
        const double tilt = at[i][0], a = at[i][1], ry = tilt < 0 ? 24 : 40;
        const double ex = kRadius * std::cos(a), ey = ry * std::sin(a);
        p.gem(kinds[i], kCx + ex * std::cos(tilt) - ey * std::sin(tilt),
              kSphereY + ex * std::sin(tilt) + ey * std::cos(tilt), 0.36);
    }
}

void sphereStar(PartCanvas& p) {
    cairo_t* cr = p.cr();
    starPath(cr, kCx, 190, 8, 24, 9, -kPi / 2);
    gild(p, kCx - 20, 170, kCx + 20, 210);
    cairo_move_to(cr, kCx, 208);
    cairo_line_to(cr, kCx, kSphereY - kRadius);
    goldWire(p, 4);
    p.gem(6, kCx, 190, 0.4);
}

RelicDesign starSphere() {
    return {"the star sphere",
            {{0, sphereStand},
             {1, sphereCradle},
             {2, sphereRim},
             {3, sphereInnerRing},
             {3, sphereOuterRing},
             {1, sphereLight},
             {4, sphereJewels},
             {5, sphereStar}}};
}

RelicDesign designOf(int episode) {
    switch (episode) {
        case 1: return emeraldLantern();
        case 2: return sapphireChalice();
        case 3: return sunOfTheDunes();
        case 4: return amethystCrown();
        case 5: return rubyHourglass();
        default: return starSphere();
    }
}

// ---- Putting it together ----------------------------------------------------

// The parts 0..count-1 composed in depth order (assembly order among equals).
Image assembled(const std::vector<Image>& parts, const RelicDesign& design, int count, const ScreenRect& box) {
    std::vector<int> order(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) order[static_cast<std::size_t>(i)] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return design.parts[static_cast<std::size_t>(a)].depth < design.parts[static_cast<std::size_t>(b)].depth; });
    Image picture(box.w, box.h);
    for (int i : order) drawOver(picture, parts[static_cast<std::size_t>(i)], 0, 0);
    return picture;
}

// Contour of a picture's coverage: where its alpha changes within a pixel's
// neighbourhood.
std::vector<float> contourOf(const Image& picture) {
    const int w = picture.width, h = picture.height;
    std::vector<float> edge(static_cast<std::size_t>(w) * h, 0.0f);
    auto alpha = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h) return 0.0f;
        return (picture.at(x, y) >> 24) / 255.0f;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float lo = 1, hi = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    lo = std::min(lo, alpha(x + dx, y + dy));
                    hi = std::max(hi, alpha(x + dx, y + dy));
                }
            edge[static_cast<std::size_t>(y) * w + x] = hi - lo;
        }
    return edge;
}

// The ghost of the whole relic: dark and half transparent, with the
// contour of every part traced in faint gold.
Image outlineOf(const std::vector<Image>& parts, const ScreenRect& box) {
    std::vector<float> coverage(static_cast<std::size_t>(box.w) * box.h, 0.0f);
    std::vector<float> contour(coverage.size(), 0.0f);
    for (const Image& part : parts) {
        const std::vector<float> edge = contourOf(part);
        for (std::size_t i = 0; i < coverage.size(); ++i) {
            coverage[i] = std::max(coverage[i], (part.pixels[i] >> 24) / 255.0f);
            contour[i] = std::max(contour[i], edge[i]);
        }
    }
    Image ghost(box.w, box.h);
    const Rgb dark = hexColour(0x120820), gold = hexColour(0xE8B858);
    for (std::size_t i = 0; i < coverage.size(); ++i) {
        const float line = clamp01(contour[i] * 1.4f);
        const float a = std::max(0.5f * coverage[i], 0.6f * line);
        if (a <= 0.0f) continue;
        ghost.pixels[i] = packArgb(withAlpha(lerp(dark, gold, line * 0.7f), a));
    }
    return ghost;
}

// The finished relic in its own light: a warm halo round it and a glint on
// its highest points.
Image lightUp(const Image& relic, const ScreenRect& box) {
    Image halo(box.w, box.h);
    for (std::size_t i = 0; i < halo.pixels.size(); ++i)
        if (relic.pixels[i] >> 24) halo.pixels[i] = (relic.pixels[i] & 0xFF000000u) | 0x00FFC860u;
    Image lit = blurred(halo, 9.0f);
    for (int y = 0; y < lit.height; ++y)
        for (int x = 0; x < lit.width; ++x) {
            // The light stops short of the screen's gold border.
            const float reach = clamp01((box.x + x - kScene.x - 1) / 6.0f);
            const Rgba c = unpackArgb(lit.at(x, y));
            lit.at(x, y) = packArgb({c.r, c.g, c.b, c.a * 0.75f * reach});
        }
    drawOver(lit, relic, 0, 0);
    paintOn(lit, [&](cairo_t* cr) {
        // Glints where the relic's topmost gold catches the light.
        for (int y = 0, found = 0; y < box.h && found < 1; ++y)
            for (int x = 0; x < box.w; ++x)
                if ((relic.at(x, y) >> 24) > 200) {
                    starPath(cr, x, y + 2, 4, 12, 2.2, -kPi / 2);
                    cairo_set_source_rgba(cr, 1, 0.98, 0.86, 0.9);
                    cairo_fill(cr);
                    found = 1;
                    break;
                }
    });
    return lit;
}

}  // namespace

ScreenRect relicBox(int episode) {
    const Episode& e = kEpisodes[static_cast<std::size_t>(std::clamp(episode, 1, 6) - 1)];
    return {e.x, e.y, kRelicRight - e.x, kRelicBottom - e.y};
}

namespace {

RelicPictures drawRelic(int episode) {
    const RelicDesign design = designOf(episode);
    const ScreenRect box = relicBox(episode);
    auto render = [&](float brightness) {
        std::vector<Image> parts;
        for (const RelicPart& part : design.parts) {
            PartCanvas canvas(box, brightness);
            part.paint(canvas);
            parts.push_back(canvas.finish());
        }
        return parts;
    };
    // Stages under way are drawn a shade darker, so the last one's light is
    // a change the player sees.
    const std::vector<Image> parts = render(0.88f);
    const std::vector<Image> litParts = render(1.12f);
    const int count = static_cast<int>(parts.size());

    RelicPictures pictures;
    pictures.name = design.name;
    pictures.outline = outlineOf(parts, box);
    for (int k = 1; k < count; ++k) pictures.stages.push_back(assembled(parts, design, k, box));
    pictures.stages.push_back(lightUp(assembled(litParts, design, count, box), box));
    return pictures;
}

}  // namespace

const RelicPictures& relicPictures(int episode) {
    static std::map<int, RelicPictures> drawn;
    return paintedOnce(drawn, episode, [episode] { return drawRelic(episode); });
}
