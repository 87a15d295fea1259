// The effect layer's pictures under data\fx: sparks, the match splash, lock
// chunks, glows, the flying coatings, flying gems, confetti, the gem
// collector, and the time bar's flash (data\timebar_n.jpg).
//
// Particles play their frames once over their life, so those strips run
// from a bright start to nothing. Additive pictures are colour on black.

#include <cmath>
#include <string>

#include "board_generator.h"
#include "effect_generator.h"
#include "game_screen_layout.h"
#include "cairo_shapes.h"
#include "canvas.h"
#include "gem_drawing.h"
#include "generators.h"
#include "paint.h"
#include "picture_output.h"
#include "seeded_random.h"

namespace {

constexpr float kPi = 3.14159265358979f;

Image stripOf(int width, int height, int frames, const std::function<Image(int)>& frameAt) {
    Image out(width, height, frames);
    for (int f = 0; f < frames; ++f) putFrame(out, f, frameAt(f));
    return out;
}

// A four-rayed sparkle with shorter diagonal rays, as light (0..1).
float sparkle(float x, float y, float size, float turn) {
    const float c = std::cos(turn), s = std::sin(turn);
    const float u = (x * c + y * s) / size, v = (-x * s + y * c) / size;
    const float core = std::exp(-(u * u + v * v) * 9.0f);
    const float rays = std::exp(-std::fabs(v) * 16.0f) * std::exp(-std::fabs(u) * 1.7f) +
                       std::exp(-std::fabs(u) * 16.0f) * std::exp(-std::fabs(v) * 1.7f);
    const float p = (u + v) * 0.7071f, q = (u - v) * 0.7071f;
    const float diagonal = std::exp(-std::fabs(q) * 16.0f) * std::exp(-std::fabs(p) * 4.5f) +
                           std::exp(-std::fabs(p) * 16.0f) * std::exp(-std::fabs(q) * 4.5f);
    return std::min(1.0f, core + 0.9f * rays + 0.45f * diagonal);
}

// Spark k carries the colour of piece kind k; spark 7 is the white-gold
// spark of bursts, trails and banners.
Image sparkFrame(int kind, int frame) {
    constexpr int kSize = 24;
    const GemPalette p = piecePalette(kind);
    const Rgb tint = kind == 7 ? hexColour(0xFFD070) : lerp(p.body, p.light, 0.15f);
    const float life = 1.0f - frame / 6.0f;
    const float size = 11.0f * (0.55f + 0.45f * life);
    const float strength = std::pow(life, 0.8f) * (frame == 0 ? 0.9f : 1.0f);
    Image light = renderShader(kSize, kSize, 3, [&](float x, float y) -> Rgba {
        const float v = sparkle(x - 12, y - 12, size, frame * 0.26f) * strength;
        const float halo = std::exp(-((x - 12) * (x - 12) + (y - 12) * (y - 12)) / 30.0f) * 0.35f * strength;
        const Rgb c = lerp(tint, Rgb{1, 1, 1}, clamp01(v * v * 0.85f));
        return withAlpha(c, clamp01(v + halo));
    });
    return flattenedOnBlack(light);
}

Image splashFrame(int frame) {
    constexpr int kSize = 64;
    const float t = (frame + 0.5f) / 8.0f;
    const float radius = 6.0f + 24.0f * std::sqrt(t);
    const float width = 3.2f * (1 - t) + 0.8f;
    const float fade = std::pow(1 - t, 1.3f);
    Image ring = renderShader(kSize, kSize, 3, [&](float x, float y) -> Rgba {
        const float r = std::hypot(x - 32, y - 32);
        const float band = std::exp(-std::pow((r - radius) / width, 2.0f));
        const float flash = frame < 3 ? std::exp(-r * r / (60.0f * (1 + frame))) * (0.8f - 0.25f * frame) : 0.0f;
        const float a = clamp01((band * 0.85f + flash) * fade);
        return withAlpha(lerp(hexColour(0xFFE6A8), Rgb{1, 1, 1}, clamp01(flash)), a);
    });
    return flattenedOnBlack(ring);
}

// Glowing shards struck off a lock.
Image chunkPicture(int which) {
    constexpr int kSize = 16;
    if (which == 2) {
        // The broken lock: a steel half link.
        Canvas canvas(kSize, kSize);
        cairo_t* cr = canvas.cr();
        cairo_save(cr);
        cairo_translate(cr, 8, 8);
        cairo_rotate(cr, -0.6);
        cairo_scale(cr, 1.0, 0.62);
        cairo_arc(cr, 0, 0, 5.0, 0.5, kPi + 0.9);
        cairo_restore(cr);
        metalStroke(cr, 2.4, 0.62, 0.66, 0.74);
        return canvas.toImage();
    }
    const Rgb hot = which == 0 ? hexColour(0xFF9A30) : hexColour(0x9AD8FF);
    const float corners[4][2] = {{-5, -2}, {1, -5}, {5, 1}, {-1, 4}};
    Image shard = renderShader(kSize, kSize, 4, [&](float x, float y) -> Rgba {
        const float px = x - 8, py = y - 8;
        // Inside the quadrilateral: same side of every edge.
        bool inside = true;
        for (int i = 0; i < 4; ++i) {
            const float ax = corners[i][0], ay = corners[i][1];
            const float bx = corners[(i + 1) % 4][0], by = corners[(i + 1) % 4][1];
            if ((bx - ax) * (py - ay) - (by - ay) * (px - ax) < 0) inside = false;
        }
        const float glow = std::exp(-(px * px + py * py) / 14.0f);
        if (inside) return withAlpha(lerp(hot, Rgb{1, 1, 0.9f}, clamp01(glow)), 1.0f);
        return withAlpha(hot, glow * 0.6f);
    });
    return flattenedOnBlack(shard);
}

Image glowFrame(Rgb colour, int frame) {
    constexpr int kSize = 96;
    const float grow[5] = {0.55f, 0.8f, 0.95f, 1.0f, 1.0f};
    const float level[5] = {0.85f, 1.0f, 0.8f, 0.5f, 0.22f};
    const float radius = 40.0f * grow[frame];
    Image glow = renderShader(kSize, kSize, 2, [&](float x, float y) -> Rgba {
        const float px = x - 48, py = y - 48;
        const float r = std::hypot(px, py);
        const float a = std::atan2(py, px) + frame * 0.12f;
        const float rays = 0.35f + 0.65f * std::pow(std::fabs(std::cos(4 * a)), 8.0f);
        const float body = std::exp(-std::pow(r / (radius * 0.55f), 2.0f));
        const float edge = 1 - smoothstep(38, 47, r);  // nothing reaches the picture's edge
        const float v = edge * level[frame] * (body * 0.9f + rays * std::exp(-r / (radius * 0.45f)) * 0.6f);
        return withAlpha(lerp(colour, Rgb{1, 1, 1}, clamp01(body * body * 0.6f)), clamp01(v));
    });
    return flattenedOnBlack(glow);
}

Image gemGlow() {
    constexpr int kSize = 64;
    Image glow = renderShader(kSize, kSize, 2, [&](float x, float y) -> Rgba {
        const float r = std::hypot(x - 32, y - 32);
        const float edge = 1 - smoothstep(26, 31.5f, r);
        const float v = edge * (0.75f * std::exp(-std::pow(r / 17.0f, 2.0f)) + 0.25f * std::exp(-r / 10.0f));
        return withAlpha(lerp(hexColour(0xFFB040), hexColour(0xFFF2C0), clamp01(v)), clamp01(v));
    });
    return flattenedOnBlack(glow);
}

// A flying coating is drawn turned by the game's triangle filler, which
// knows only the colour key: the plate over the velvet it was lying on.
Image flyingCoating(int coating) {
    const Image plate = coatingImage(coating);
    Image out = fieldCell();
    drawOver(out, plate, 0, 0);
    for (std::size_t i = 0; i < out.pixels.size(); ++i)
        out.pixels[i] = (out.pixels[i] & 0x00FFFFFFu) | (plate.pixels[i] & 0xFF000000u);
    return keyedOnBlack(out);
}

GemPalette flyingGemPalette(int n) {
    switch (n) {
        case 1: return piecePalette(1);
        case 2: return piecePalette(0);
        case 3: return piecePalette(4);
        default: return {hexColour(0x6A4A10), hexColour(0xF4D060), hexColour(0xFFFBE0)};
    }
}

Image confettiFrame(int size, Rgb colour, int frame, float phase) {
    Canvas canvas(size, size);
    cairo_t* cr = canvas.cr();
    const float t = frame / 15.0f;
    const float flip = std::cos(2 * kPi * (2 * t + phase));
    const float turn = 2 * kPi * (1.5f * t + phase);
    const double w = size * 0.78, h = size * 0.4;
    cairo_translate(cr, size / 2.0, size / 2.0);
    cairo_rotate(cr, turn);
    cairo_scale(cr, 1.0, std::max(0.12f, std::fabs(flip)));
    const Rgb face = flip >= 0 ? colour : colour * 0.7f;
    cairo_rectangle(cr, -w / 2, -h / 2, w, h);
    cairo_set_source_rgb(cr, face.r, face.g, face.b);
    cairo_fill_preserve(cr);
    const Rgb edge = lerp(face, Rgb{1, 1, 1}, 0.45f);
    cairo_set_source_rgb(cr, edge.r, edge.g, edge.b);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    return canvas.toImage();
}

// The flash is drawn with its top-left at the game's fixed corner; it is
// cut so that its light lies along the time bar, a little wider and taller.
Image timeFlash() {
    using namespace gamelayout;
    const float width = kTimeBar.w, height = 2.0f * (kTimeBar.centreY() - kTimeFlashTop);
    const float mid = height / 2, half = kTimeBar.h / 2.0f;
    return renderShader(static_cast<int>(width), static_cast<int>(height), 2, [&](float x, float y) -> Rgba {
        const float ends = smoothstep(0, 14, std::min(x, width - x));
        const float across = std::exp(-std::pow((y - mid) / (half + 6.0f), 2.0f));
        const float core = std::exp(-std::pow((y - mid + 2) / (half * 0.45f), 2.0f));
        const Rgb c = lerp(hexColour(0xFFB030), hexColour(0xFFFFF0), core);
        return withAlpha(c, clamp01(ends * (0.75f * across + 0.4f * core)));
    });
}

}  // namespace

// A gold setting with a dark hollow; the filled gem is drawn 18, 13 from
// its corner, so the hollow is centred on (27, 22).
Image collectorSlot() {
    return renderShader(48, 44, 4, [&](float x, float y) -> Rgba {
        const float px = x - 27, py = y - 22;
        const float r = std::hypot(px, py);
        if (r < 10.5f) {
            const float depth = r / 10.5f;
            Rgb c = lerp(hexColour(0x0C0414), hexColour(0x2A1438), depth * depth);
            // Inner shadow under the upper rim.
            c = c * (0.6f + 0.4f * clamp01((py + 10.5f) / 12.0f));
            return withAlpha(c, 1);
        }
        if (r < 14.5f) {
            const float u = (r - 10.5f) / 4.0f;
            const float slope = 1.8f * (0.5f - u) / 0.5f;
            const float nx = slope * px / r, ny = slope * py / r;
            const float len = std::sqrt(nx * nx + ny * ny + 1);
            const float lit = clamp01((-0.45f * nx - 0.62f * ny + 0.64f) / len);
            const float spec = std::pow(lit, 12.0f);
            Rgb c = lit < 0.6f ? lerp(hexColour(0x3A1E06), hexColour(0xC8901E), lit / 0.6f)
                               : lerp(hexColour(0xC8901E), hexColour(0xFFE9A0), (lit - 0.6f) / 0.4f);
            c = c + Rgb{1, 1, 1} * (0.5f * spec);
            return withAlpha(c, 1);
        }
        const float shadow = std::exp(-std::pow((r - 14.5f) / 2.0f, 2.0f)) * 0.6f;
        return {0, 0, 0, shadow};
    });
}

Image collectorGem() {
    static const PreparedGem gem(pieceShape(0));
    GemLight light;
    light.scale = 8.6f / 19.5f;
    light.glint = 0.7f;
    light.glintAt = {-2.5f, -3.0f};
    light.rimDarkening = 0.6f;
    return renderGem(gem, piecePalette(7), light, 18, 18, 9, 9, nullptr, false);
}

void generateEffects(AssetTree& tree) {
    for (int k = 0; k < 8; ++k)
        writePicture(tree, "data\\fx\\spark" + std::to_string(k) + ".tga",
                     stripOf(24, 24, 6, [&](int f) { return sparkFrame(k, f); }), PictureFormat::Tga24Additive);
    writePicture(tree, "data\\fx\\splash.tga", stripOf(64, 64, 8, splashFrame), PictureFormat::Tga24Additive);
    writePicture(tree, "data\\fx\\chunk0.tga", chunkPicture(0), PictureFormat::Tga24Additive);
    writePicture(tree, "data\\fx\\chunk1.tga", chunkPicture(1), PictureFormat::Tga24Additive);
    writePicture(tree, "data\\fx\\chunk2.tga", chunkPicture(2), PictureFormat::Tga32);
    writePicture(tree, "data\\fx\\glow_green.tga",
                 stripOf(96, 96, 5, [](int f) { return glowFrame(hexColour(0x30FF70), f); }),
                 PictureFormat::Tga24Additive);
    writePicture(tree, "data\\fx\\glow_blue.tga",
                 stripOf(96, 96, 5, [](int f) { return glowFrame(hexColour(0x3890FF), f); }),
                 PictureFormat::Tga24Additive);
    writePicture(tree, "data\\fx\\glow.tga", gemGlow(), PictureFormat::Tga24Additive);
    const char* coatings[4] = {"cell0", "cell1", "cell_score", "cell_wand"};
    for (int c = 1; c <= 4; ++c)
        writePicture(tree, std::string("data\\fx\\") + coatings[c - 1] + ".tga", flyingCoating(c),
                     PictureFormat::Tga24Keyed, std::string("fx_") + coatings[c - 1]);
    for (int n = 1; n <= 4; ++n) {
        const GemPalette palette = flyingGemPalette(n);
        // The facet pattern repeats every twelfth of a turn: one loop.
        writePicture(tree, "data\\fx\\diamond_small" + std::to_string(n) + ".tga",
                     stripOf(24, 24, 15, [&](int f) { return renderSideBrilliant(24, 24, palette, kPi / 6 * f / 15); }),
                     PictureFormat::Tga32);
        writePicture(tree, "data\\fx\\diamond_big" + std::to_string(n) + ".tga",
                     stripOf(36, 36, 15, [&](int f) { return renderSideBrilliant(36, 36, palette, kPi / 6 * f / 15); }),
                     PictureFormat::Tga32);
    }
    const std::pair<int, std::uint32_t> confetti[5] = {
        {1, 0xF03048}, {2, 0xFFC828}, {4, 0x3A86FF}, {5, 0x36D07A}, {6, 0xE050D0}};
    for (const auto& [n, colour] : confetti) {
        const Rgb c = hexColour(colour);
        const float phase = n * 0.137f;
        writePicture(tree, "data\\fx\\konfeti_big" + std::to_string(n) + ".tga",
                     stripOf(16, 16, 15, [&](int f) { return confettiFrame(16, c, f, phase); }), PictureFormat::Tga32);
        writePicture(tree, "data\\fx\\konfeti_small" + std::to_string(n) + ".tga",
                     stripOf(10, 10, 15, [&](int f) { return confettiFrame(10, c, f, phase + 0.5f); }),
                     PictureFormat::Tga32);
    }
    writePicture(tree, "data\\fx\\diamond_collector.jpg", collectorSlot(), PictureFormat::JpegAlphaImage);
    writePicture(tree, "data\\fx\\diamond_collector_a.jpg", collectorGem(), PictureFormat::JpegAlphaImage);
    writePicture(tree, "data\\timebar_n.jpg", timeFlash(), PictureFormat::JpegAlphaImage);
}
