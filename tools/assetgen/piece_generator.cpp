// The pieces the board draws: "active%d" (idle shine, 20 frames), "help%d"
// (hint pulse, 15 frames) for kinds 0..8, and the rainbow piece (20 frames).
// Frame 0 of the shine is the resting look, so the still pieces of the
// board's static layer show it; every animation loops without a jump.

#include "piece_generator.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "canvas.h"
#include "gem_drawing.h"
#include "generators.h"
#include "picture_output.h"
#include "seeded_random.h"

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kCentre = kPieceSize / 2.0f;

const PreparedGem& preparedPiece(int kind) {
    static const std::vector<PreparedGem> gems = [] {
        std::vector<PreparedGem> out;
        for (int k = 0; k < 8; ++k) out.emplace_back(pieceShape(k));
        return out;
    }();
    return gems[kind];
}

// Rest light from the upper left; the shine swings it and lets a sparkle
// flare on the upper left of the stone halfway through the loop.
GemLight shineLight(int frame, const PreparedGem& gem) {
    const float t = static_cast<float>(frame) / kActiveFrames;
    GemLight light;
    light.azimuth = -2.2f + 0.9f * std::sin(2 * kPi * t);
    const float flare = t > 0.25f && t < 0.75f ? std::sin(kPi * (t - 0.25f) / 0.5f) : 0.0f;
    light.glint = flare * flare;
    // On the stone itself, halfway out towards the light.
    const float r = 0.5f * gem.radiusAt(-2.2f);
    light.glintAt = {r * std::cos(-2.2f), r * std::sin(-2.2f)};
    light.glintTurn = kPi / 4 * t;
    return light;
}

float helpPulse(int frame) { return 0.5f - 0.5f * std::cos(2 * kPi * frame / kHelpFrames); }

// ---- the bad piece: a spiked obsidian stone with glowing cracks ----------

struct Segment {
    Vec2 a, b;
};

const PreparedGem& badGem() {
    static const PreparedGem gem = [] {
        std::vector<Vec2> corners;
        for (int i = 0; i < 20; ++i) {
            const float a = -kPi / 2 + kPi * i / 10;
            const float r = i % 2 == 0 ? 21.0f : 14.5f;
            corners.push_back({r * std::cos(a), r * std::sin(a)});
        }
        GemShape shape;
        shape.outline = roundedPolygon(corners, 1.0f, 3);
        shape.facetCorners = corners;
        shape.cut = GemCut::Ridge;
        shape.table = 0.42f;
        return PreparedGem(shape);
    }();
    return gem;
}

const std::vector<Segment>& badCracks() {
    static const std::vector<Segment> cracks = [] {
        std::vector<Segment> out;
        SeededRandom random(80817);
        for (int c = 0; c < 6; ++c) {
            float angle = 2 * kPi * (c + 0.3f * random.unit()) / 6;
            Vec2 p{2.0f * std::cos(angle), 2.0f * std::sin(angle)};
            float r = 2.0f;
            while (r < 15.5f) {
                angle += (random.unit() - 0.5f) * 0.9f;
                r += 2.2f + 1.5f * random.unit();
                const Vec2 q{r * std::cos(angle), r * std::sin(angle)};
                out.push_back({p, q});
                if (random.unit() < 0.3f) {
                    const float side = angle + (random.unit() < 0.5f ? -0.8f : 0.8f);
                    out.push_back({q, {q.x + 3.5f * std::cos(side), q.y + 3.5f * std::sin(side)}});
                }
                p = q;
            }
        }
        return out;
    }();
    return cracks;
}

float distanceToSegment(Vec2 p, const Segment& s) {
    const float dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
    const float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? ((p.x - s.a.x) * dx + (p.y - s.a.y) * dy) / len2 : 0;
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return std::hypot(p.x - s.a.x - t * dx, p.y - s.a.y - t * dy);
}

Image badPieceFrame(float ember, float scale, float halo) {
    const GemPalette obsidian{hexColour(0x040206), hexColour(0x241A2C), hexColour(0x7A6E88)};
    GemLight light;
    light.scale = scale;
    light.rimDarkening = 0.7f;
    const PreparedGem& gem = badGem();
    const auto& cracks = badCracks();
    Image stone = renderShader(kPieceSize, kPieceSize, 4, [&](float x, float y) -> Rgba {
        const float px = (x - kCentre) / scale, py = (y - kCentre) / scale;
        if (!gem.inside(px, py)) {
            if (halo <= 0) return {};
            const float r = std::hypot(px, py);
            const float edge = gem.radiusAt(std::atan2(py, px));
            return withAlpha(hexColour(0xFF2008), halo * 0.85f * std::exp(-(r - edge) * scale / 2.4f));
        }
        const Rgba c = shadeGem(gem, obsidian, light, x - kCentre, y - kCentre);
        float d = 1e9f;
        for (const auto& s : cracks) d = std::min(d, distanceToSegment({px, py}, s));
        // Molten cracks: a yellow-hot thread inside a red glow, and a
        // smouldering heart.
        const float heart = std::exp(-(px * px + py * py) / 30.0f);
        const float redGlow = ember * (0.85f * std::exp(-d / 1.2f) + 0.7f * heart);
        const float thread = ember * clamp01(1.2f - d / 0.55f);
        Rgb out{c.r, c.g, c.b};
        // A red rim light keeps the dark stone apart from the dark field.
        const float toRim = gem.radiusAt(std::atan2(py, px)) - std::hypot(px, py);
        out = lerp(out, hexColour(0xB01010), 0.5f * ember * clamp01(1 - toRim / 1.8f));
        out = lerp(out, hexColour(0xE01400), clamp01(redGlow));
        out = lerp(out, hexColour(0xFFD050), clamp01(thread + heart * ember * 0.5f));
        return {clamp01(out.r), clamp01(out.g), clamp01(out.b), 1};
    });
    Image out = shadowOf(stone, 0.8f, 1.7f, 1.1f, Rgb{0.0f, 0.0f, 0.0f}, 0.6f);
    drawOver(out, stone, 0, 0);
    return out;
}

Image strip(int frames, const std::function<Image(int)>& frameAt) {
    Image out(kPieceSize, kPieceSize, frames);
    for (int f = 0; f < frames; ++f) putFrame(out, f, frameAt(f));
    return out;
}

}  // namespace

Image pieceActiveFrame(int kind, int frame, bool grey) {
    if (kind == kBadKind) {
        const float t = static_cast<float>(frame) / kActiveFrames;
        return badPieceFrame(0.55f + 0.45f * std::sin(kPi * t) * std::sin(kPi * t), 1.0f, 0.0f);
    }
    const GemPalette palette = grey ? greyPalette(piecePalette(kind)) : piecePalette(kind);
    return renderGem(preparedPiece(kind), palette, shineLight(frame, preparedPiece(kind)), kPieceSize, kPieceSize,
                     kCentre, kCentre);
}

Image pieceHelpFrame(int kind, int frame) {
    const float p = helpPulse(frame);
    if (kind == kBadKind) return badPieceFrame(0.6f + 0.4f * p, 1.0f + 0.06f * p, 0.7f * p);
    GemLight light;
    light.scale = 1.0f + 0.07f * p;
    light.glow = 0.55f * p;
    light.halo = 0.9f * p;
    light.glint = 0.8f * p;
    light.glintAt = shineLight(0, preparedPiece(kind)).glintAt;
    light.glintTurn = kPi / 8 * p;
    return renderGem(preparedPiece(kind), piecePalette(kind), light, kPieceSize, kPieceSize, kCentre, kCentre);
}

Image rainbowFrame(int frame) {
    static const PreparedGem rosette = [] {
        GemShape shape;
        for (int i = 0; i < 192; ++i) {
            const float a = 2 * kPi * i / 192;
            const float r = 18.8f + 1.7f * std::cos(12 * a);
            shape.outline.push_back({r * std::cos(a), r * std::sin(a)});
        }
        for (int k = 0; k < 12; ++k) {
            const float a = (k + 0.5f) * 2 * kPi / 12;
            const float r = 18.8f - 1.7f;
            shape.facetCorners.push_back({r * std::cos(a), r * std::sin(a)});
        }
        shape.cut = GemCut::Brilliant;
        shape.table = 0.46f;
        return PreparedGem(shape);
    }();
    const float t = static_cast<float>(frame) / kRainbowFrames;
    std::vector<GemPalette> colours;
    for (int k = 0; k < 12; ++k) {
        const float hue = k / 12.0f + t;
        colours.push_back({hsv(hue, 1.0f, 0.38f), hsv(hue, 0.9f, 1.0f), hsv(hue, 0.35f, 1.0f)});
    }
    const GemPalette pearl{hexColour(0x6A6288), hsv(t * 2, 0.18f, 0.98f), hexColour(0xFFFFFF)};
    GemLight light;
    light.glint = 0.85f;
    light.glintAt = {0, 0};
    light.glintTurn = kPi / 2 * t;  // the four-rayed star turns a quarter per loop
    return renderGem(rosette, pearl, light, kPieceSize, kPieceSize, kCentre, kCentre, &colours);
}

void generatePieces(AssetTree& tree) {
    for (int kind = 0; kind <= kBadKind; ++kind) {
        const std::string n = std::to_string(kind);
        writePicture(tree, "data\\kests\\none\\active" + n + ".tga",
                     strip(kActiveFrames, [&](int f) { return pieceActiveFrame(kind, f); }), PictureFormat::Tga32);
        writePicture(tree, "data\\kests\\help\\help" + n + ".tga",
                     strip(kHelpFrames, [&](int f) { return pieceHelpFrame(kind, f); }), PictureFormat::Tga32);
    }
    writePicture(tree, "data\\kests\\raduga.tga", strip(kRainbowFrames, rainbowFrame), PictureFormat::Tga32);
}
