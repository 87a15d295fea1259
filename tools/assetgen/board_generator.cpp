// The board's pictures (data\field.tga, the coatings, locks, selection ring,
// teleport overlay and frame tiles), and a review picture of a whole board
// put together the way the game draws it.

#include "board_generator.h"

#include <cmath>
#include <string>

#include "canvas.h"
#include "cairo_shapes.h"
#include "frame_tiles.h"
#include "gem_drawing.h"
#include "generators.h"
#include "image_files.h"
#include "paint.h"
#include "piece_generator.h"
#include "picture_output.h"
#include "seeded_random.h"

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kHalf = kCellSize / 2.0f;

// A small fixed hash for fibre noise: the same value for the same pixel.
float fibre(int x, int y) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFF) / 65535.0f;
}

// Signed distance to a rounded square centred in the cell.
float roundedSquareDistance(float x, float y, float halfSide, float radius) {
    const float qx = std::fabs(x) - (halfSide - radius), qy = std::fabs(y) - (halfSide - radius);
    const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::hypot(ox, oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}

}  // namespace

Image fieldCell() {
    const Rgb velvet = hexColour(0x2C1442);
    const Rgb deep = hexColour(0x12061E);
    const Rgb sheen = hexColour(0x5A3482);
    Image cell = renderShader(kCellSize, kCellSize, 3, [&](float x, float y) -> Rgba {
        const float edge = std::min(std::min(x, y), std::min(kCellSize - x, kCellSize - y));
        const float dx = (x - kHalf) / kHalf, dy = (y - kHalf) / kHalf;
        // A soft cushion: lighter in the middle, a velvet sheen just inside
        // the edge, a dark seam between cells.
        float v = 0.78f + 0.22f * (1 - std::min(1.0f, (dx * dx + dy * dy) * 0.6f));
        Rgb c = velvet * v;
        const float rim = std::exp(-std::pow((edge - 3.2f) / 1.6f, 2.0f));
        const float lit = clamp01(0.5f - 0.35f * (dx + dy));  // upper left catches more light
        c = lerp(c, sheen, rim * (0.25f + 0.45f * lit));
        if (edge < 1.2f) c = lerp(deep, c, edge / 1.2f);
        const float noise = fibre(static_cast<int>(x), static_cast<int>(y)) - 0.5f;
        c = c * (1 + 0.12f * noise);
        return withAlpha(c, 1);
    });
    return cell;
}

namespace {

// A coating plate's look: its fill, an optional engraved lattice, the gloss,
// its rims from the outside in, and stars in its corners.
struct PlateRim {
    double at, width;
    Rgb light, dark;
    double alpha;
};

struct CoatingStyle {
    Rgb top, bottom;
    double alpha;
    bool lattice;
    double gloss;
    std::vector<PlateRim> rims;
    Rgb starColour{};
    int starPoints = 0;  // none
    double starOuter = 0, starInner = 0;
};

constexpr double kPlateInset = 1.5, kPlateSize = kCellSize - 2 * kPlateInset, kPlateRadius = 7;

CoatingStyle coatingStyle(int coating) {
    const Rgb goldLight = hexColour(0xFFE9A0), goldDark = hexColour(0x8A5A10);
    const double outerRim = kPlateInset + 0.8;
    switch (coating) {
        case 1:  // one layer: a thin silver plate
            return {hexColour(0xC9CEDC), hexColour(0x7C8298), 0.85, false, 0.4,
                    {{outerRim, 1.6, hexColour(0xFFFFFF), hexColour(0x5A6078), 0.95}}};
        case 2:  // two layers: thick gold, engraved, with a second rim inside
            return {hexColour(0xF0A830), hexColour(0x9A5206), 0.96, true, 0.35,
                    {{outerRim, 1.8, goldLight, goldDark, 1.0}, {kPlateInset + 5.0, 1.4, goldDark, goldLight, 0.9}}};
        case 3:  // score plate: emerald with gold stars
            return {hexColour(0x2CC06A), hexColour(0x0A5A2C), 0.92, false, 0.35,
                    {{outerRim, 2.0, goldLight, goldDark, 1.0}},
                    hexColour(0xFFD54A), 5, 5.2, 2.2};
        default:  // wand plate: sapphire with silver sparkles
            return {hexColour(0x3C7CF0), hexColour(0x0C2A80), 0.92, false, 0.35,
                    {{outerRim, 2.0, hexColour(0xFFFFFF), hexColour(0x7080A0), 1.0}},
                    hexColour(0xF4F8FF), 4, 5.8, 1.6};
    }
}

void platePath(cairo_t* cr) { roundedRectPath(cr, kPlateInset, kPlateInset, kPlateSize, kPlateSize, kPlateRadius); }

void drawPlate(cairo_t* cr, Rgb top, Rgb bottom, double alpha) {
    platePath(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, kPlateInset, 0, kPlateInset + kPlateSize);
    cairo_pattern_add_color_stop_rgba(fill, 0, top.r, top.g, top.b, alpha);
    cairo_pattern_add_color_stop_rgba(fill, 1, bottom.r, bottom.g, bottom.b, alpha);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
}

void drawLattice(cairo_t* cr) {
    cairo_save(cr);
    platePath(cr);
    cairo_clip(cr);
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 1.0, 0.85, 0.5, 0.25);
    for (int k = -48; k <= 96; k += 8) {
        cairo_move_to(cr, k, 0);
        cairo_line_to(cr, k + 48, 48);
        cairo_move_to(cr, k + 48, 0);
        cairo_line_to(cr, k, 48);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawGloss(cairo_t* cr, double alpha) {
    cairo_save(cr);
    platePath(cr);
    cairo_clip(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, kCellSize, kCellSize);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, alpha);
    cairo_pattern_add_color_stop_rgba(g, 0.35, 1, 1, 1, 0);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
}

void drawRim(cairo_t* cr, const PlateRim& r) {
    roundedRectPath(cr, r.at, r.at, kCellSize - 2 * r.at, kCellSize - 2 * r.at,
                    std::max(2.0, kPlateRadius - (r.at - kPlateInset)));
    cairo_pattern_t* stroke = cairo_pattern_create_linear(r.at, r.at, kCellSize - r.at, kCellSize - r.at);
    cairo_pattern_add_color_stop_rgba(stroke, 0, r.light.r, r.light.g, r.light.b, r.alpha);
    cairo_pattern_add_color_stop_rgba(stroke, 1, r.dark.r, r.dark.g, r.dark.b, r.alpha);
    cairo_set_source(cr, stroke);
    cairo_set_line_width(cr, r.width);
    cairo_stroke(cr);
    cairo_pattern_destroy(stroke);
}

void drawCornerStars(cairo_t* cr, const CoatingStyle& s) {
    const double at[4][2] = {{8, 8}, {40, 8}, {40, 40}, {8, 40}};
    for (const auto& p : at) {
        starPath(cr, p[0], p[1], s.starPoints, s.starOuter, s.starInner, -kPi / 2);
        cairo_set_source_rgba(cr, 0.1, 0.05, 0.0, 0.7);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke_preserve(cr);
        cairo_set_source_rgb(cr, s.starColour.r, s.starColour.g, s.starColour.b);
        cairo_fill(cr);
    }
}

}  // namespace

Image coatingImage(int coating) {
    Canvas canvas(kCellSize, kCellSize);
    cairo_t* cr = canvas.cr();
    const CoatingStyle style = coatingStyle(coating);
    drawPlate(cr, style.top, style.bottom, style.alpha);
    if (style.lattice) drawLattice(cr);
    drawGloss(cr, style.gloss);
    for (const PlateRim& rim : style.rims) drawRim(cr, rim);
    if (style.starPoints > 0) drawCornerStars(cr, style);
    return canvas.toImage();
}

Image lockImage(int lock) {
    Canvas canvas(kCellSize, kCellSize);
    cairo_t* cr = canvas.cr();
    chainPath(cr, 4, 4, 44, 44);
    if (lock >= 2) chainPath(cr, 44, 4, 4, 44);
    padlock(cr, 24, 30, lock >= 2);
    Image chains = canvas.toImage();
    Image out = shadowOf(chains, 1.0f, 1.5f, 1.2f, Rgb{0, 0, 0}, 0.6f);
    drawOver(out, chains, 0, 0);
    return out;
}

Image selectFrame(int frame) {
    const float t = static_cast<float>(frame) / kSelectFrames;
    const float pulse = 0.85f + 0.15f * std::cos(2 * kPi * t);
    return renderShader(kCellSize, kCellSize, 4, [&](float x, float y) -> Rgba {
        const float px = x - kHalf, py = y - kHalf;
        const float d = roundedSquareDistance(px, py, 22.0f, 8.0f);
        // Four bright points run round the ring; after the loop each has
        // moved on to where the next one started.
        float u = std::atan2(py, px) / (2 * kPi) + 1.0f;
        float spark = 0;
        for (int k = 0; k < 4; ++k) {
            float du = u - (k / 4.0f + t / 4.0f);
            du -= std::round(du);
            spark = std::max(spark, std::exp(-du * du / 0.0012f));
        }
        const float ring = std::exp(-d * d / 1.3f);
        const float glow = std::exp(-std::fabs(d) / 2.2f) * 0.55f;
        const float a = clamp01((ring + glow) * pulse + spark * std::exp(-d * d / 6.0f) * 0.9f);
        if (a <= 0.002f) return {};
        Rgb c = lerp(hexColour(0xFFB020), hexColour(0xFFF4C0), clamp01(ring * 0.6f + spark));
        return withAlpha(c, a);
    });
}

// Warm gold brackets with a dark shadow line, so they read on every piece
// and never hide the selection ring inside them when the piece is picked.
Image keyRingFrame(int frame) {
    const float t = static_cast<float>(frame) / kKeyRingFrames;
    const float breath = 0.5f - 0.5f * std::cos(2 * kPi * t);
    constexpr int kSize = kCellSize + 2 * kKeyRingMargin;
    constexpr float kCentre = kSize / 2.0f;
    constexpr float kArm = 13.0f;
    const float corner = kCentre - 3.0f - 1.2f * breath;
    // Distance to the bracket's arm along v = corner, u from corner - arm to corner.
    const auto arm = [corner](float u, float v) {
        const float du = u < corner - kArm ? corner - kArm - u : (u > corner ? u - corner : 0.0f);
        return std::hypot(du, v - corner);
    };
    return renderShader(kSize, kSize, 4, [&](float x, float y) -> Rgba {
        const float px = std::fabs(x - kCentre), py = std::fabs(y - kCentre);
        const float d = std::min(arm(px, py), arm(py, px));
        const float core = clamp01(1.2f * std::exp(-d * d / 2.0f));
        const float shadow = std::exp(-d * d / 8.0f) * 0.7f;
        const float a = clamp01(std::max(core, shadow));
        if (a <= 0.003f) return {};
        const Rgb gold = lerp(hexColour(0xE8A018), hexColour(0xFFE27A), clamp01(core * (0.55f + 0.45f * breath)));
        return withAlpha(lerp(hexColour(0x1A0E02), gold, clamp01(core / a)), a);
    });
}

Image teleportFrame(int frame) {
    const float t = static_cast<float>(frame) / kTeleportFrames;
    Image swirl = renderShader(kCellSize, kCellSize, 4, [&](float x, float y) -> Rgba {
        const float px = x - kHalf, py = y - kHalf;
        const float r = std::hypot(px, py);
        const float a = std::atan2(py, px);
        // Three spiral arms turn a third of a circle per loop.
        const float arm = std::pow(std::max(0.0f, std::cos(3 * (a - 2 * kPi * t / 3) + 0.32f * r)), 6.0f);
        const float armMask = smoothstep(5, 13, r) * (1 - smoothstep(21, 23.5f, r));
        const float ring = std::exp(-std::pow((r - 21.5f) / 1.6f, 2.0f));
        // Six motes orbiting on the ring.
        float motes = 0;
        for (int k = 0; k < 6; ++k) {
            const float ma = 2 * kPi * (k / 6.0f - t / 6.0f);
            const float mx = 21.5f * std::cos(ma), my = 21.5f * std::sin(ma);
            motes += std::exp(-((px - mx) * (px - mx) + (py - my) * (py - my)) / 3.0f);
        }
        const float intensity = clamp01(0.85f * arm * armMask + 0.8f * ring + 0.9f * motes);
        const Rgb c = lerp(hexColour(0x8A50FF), hexColour(0x70F4FF), clamp01(0.45f * ring + arm * armMask + motes));
        return withAlpha(c, intensity);
    });
    return flattenedOnBlack(swirl);
}

namespace {

Image strip(int frames, int size, Image (*frameAt)(int)) {
    Image out(size, size, frames);
    for (int f = 0; f < frames; ++f) putFrame(out, f, frameAt(f));
    return out;
}

// A board put together the way the game draws it: background, frame tiles,
// field cells and coatings, the selection ring, pieces, then overlays.
Image boardPreview() {
    constexpr int kW = 10, kH = 8;
    constexpr int x0 = 160, y0 = 100;
    const char* layout[kH] = {
        "..####.###",
        ".#########",
        "####..####",
        "####..####",
        "##.#######",
        "##########",
        ".########.",
        "..######..",
    };
    std::vector<bool> active;
    for (const char* row : layout)
        for (int c = 0; c < kW; ++c) active.push_back(row[c] == '#');

    Image picture(800, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const float v = 0.55f + 0.45f * (1 - std::hypot(x - 400.0f, y - 300.0f) / 520.0f);
            picture.at(x, y) = packArgb(withAlpha(hexColour(0x1A0C2A) * v, 1));
        }
    for (const auto& t : frameTilePlacements(kW, kH, active))
        drawOver(picture, renderFrameTile(t.tile), x0 + 48 * t.col, y0 + 48 * t.row);

    const Image field = fieldCell();
    SeededRandom random(2024);
    const int selected = 3 * kW + 7;
    for (int i = 0; i < kW * kH; ++i) {
        if (!active[i]) continue;
        const int px = x0 + 48 * (i % kW), py = y0 + 48 * (i / kW);
        drawOver(picture, field, px, py);
        const int coat = (i % 7 == 2) ? 1 : (i % 11 == 5) ? 2 : (i == 52) ? 3 : (i == 47) ? 4 : 0;
        if (coat) drawOver(picture, coatingImage(coat), px, py);
    }
    drawOver(picture, selectFrame(3), x0 + 48 * (selected % kW), y0 + 48 * (selected / kW));
    for (int i = 0; i < kW * kH; ++i) {
        if (!active[i]) continue;
        const int px = x0 + 48 * (i % kW), py = y0 + 48 * (i / kW);
        const int kind = random.next() % 8;
        Image piece = i == 33 ? rainbowFrame(0) : i == 64 ? pieceActiveFrame(kBadKind, 0)
                                                            : pieceActiveFrame(kind, i == selected ? 9 : 0);
        drawOver(picture, piece, px + 2, py + 2);
        if (i == 23) drawAdd(picture, teleportFrame(2), px, py);
        if (i == 41 || i == 12) drawOver(picture, lockImage(1), px, py);
        if (i == 57) drawOver(picture, lockImage(2), px, py);
    }
    return picture;
}

}  // namespace

void generateBoard(AssetTree& tree) {
    writePicture(tree, "data\\field.tga", fieldCell(), PictureFormat::Tga24);
    const char* coatings[4] = {"data\\cell0.tga", "data\\cell1.tga", "data\\cell_score.tga", "data\\cell_wand.tga"};
    for (int c = 1; c <= 4; ++c) writePicture(tree, coatings[c - 1], coatingImage(c), PictureFormat::Tga32);
    writePicture(tree, "data\\locked0.tga", lockImage(1), PictureFormat::Tga32);
    writePicture(tree, "data\\locked1.tga", lockImage(2), PictureFormat::Tga32);
    writePicture(tree, "data\\select.tga", strip(kSelectFrames, kCellSize, selectFrame), PictureFormat::Tga32);
    writePicture(tree, "data\\keyring.tga", strip(kKeyRingFrames, kCellSize + 2 * kKeyRingMargin, keyRingFrame),
                 PictureFormat::Tga32);
    writePicture(tree, "data\\fx\\teleport.tga", strip(kTeleportFrames, kCellSize, teleportFrame),
                 PictureFormat::Tga24Additive);
    for (int t = 0; t < kFrameTileCount; ++t) {
        char name[32];
        std::snprintf(name, sizeof name, "data\\tiles\\%02d.tga", t);
        writePicture(tree, name, renderFrameTile(t), PictureFormat::Tga32, "tile" + std::to_string(t));
    }
    tree.writeFile("review/board_preview.png", encodePng(boardPreview()));
}
