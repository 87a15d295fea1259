#include "scene_layers.h"

#include <algorithm>
#include <cmath>

#include "gem_drawing.h"
#include "menu_art.h"
#include "seeded_random.h"

namespace scene {

float hillNoise(float x, float cell, std::uint32_t salt) {
    return 0.62f * valueNoise(x, 0.5f, cell, salt) + 0.28f * valueNoise(x, 0.5f, cell / 2.3f, salt + 1) +
           0.10f * valueNoise(x, 0.5f, cell / 5.3f, salt + 2);
}

float Hills::operator()(float x) const {
    if (swell == 0) return base + amplitude * hillNoise(x, cell, salt);
    return base + swell * std::sin(x / swellPeriod + swellPhase) + amplitude * hillNoise(x, cell, salt);
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

namespace {

void paintLayer(Image& picture, const Sky& sky) {
    for (int y = 0; y < kH; ++y) {
        const float t = std::min(1.0f, static_cast<float>(y) / sky.horizonY);
        const Rgb c = t < 0.55f ? lerp(sky.top.rgb, sky.middle.rgb, t / 0.55f)
                                : lerp(sky.middle.rgb, sky.horizon.rgb, (t - 0.55f) / 0.45f);
        for (int x = 0; x < kW; ++x) picture.at(x, y) = packArgb(withAlpha(c, 1));
    }
}

void paintLayer(Image& picture, const Velvet&) { picture = velvetBackdrop(kW, kH, kColumnX, 260); }

void paintLayer(Image& picture, const Stars& stars) {
    SeededRandom random(stars.seed);
    for (int i = 0; i < stars.count; ++i) {
        const float x = random.unit() * kW;
        const float y = random.unit() * stars.below;
        const float size = random.unit();
        const Rgb tint = lerp(hexColour(0xBFD4FF), hexColour(0xFFF2D0), random.unit());
        // Higher stars shine brighter; the air near the horizon dims them.
        const float k = stars.brightness * (0.35f + 0.65f * size) * (1.0f - 0.7f * y / std::max(1.0f, stars.below));
        addBloom(picture, x, y, 0.55f + 0.5f * size * size, tint, k);
        if (size <= 0.93f) continue;
        // The brightest have four short rays.
        for (int d = 2; d <= 5; ++d) {
            const float fade = k * 0.5f / d;
            addPixel(picture, static_cast<int>(x) + d, static_cast<int>(y), tint, fade);
            addPixel(picture, static_cast<int>(x) - d, static_cast<int>(y), tint, fade);
            addPixel(picture, static_cast<int>(x), static_cast<int>(y) + d, tint, fade);
            addPixel(picture, static_cast<int>(x), static_cast<int>(y) - d, tint, fade);
        }
    }
}

void paintLayer(Image& picture, const Disc& disc) {
    addBloom(picture, disc.cx, disc.cy, disc.haloReach, disc.halo.rgb, 0.55f);
    const int reach = static_cast<int>(disc.radius) + 2;
    const int cx = static_cast<int>(disc.cx), cy = static_cast<int>(disc.cy);
    for (int y = cy - reach; y <= cy + reach; ++y)
        for (int x = cx - reach; x <= cx + reach; ++x) {
            const float d = std::hypot(x + 0.5f - disc.cx, y + 0.5f - disc.cy);
            const float cover = clamp01(disc.radius - d + 0.5f);
            const float limb = 1.0f - 0.25f * std::pow(d / disc.radius, 3.0f);
            // A few soft marks on the face.
            const float marks = 0.92f + 0.08f * valueNoise(x * 1.0f, y * 1.0f, disc.radius * 0.45f, 77u);
            blendPixel(picture, x, y, disc.face.rgb * (limb * marks), cover);
        }
}

void paintLayer(Image& picture, const Land& land) {
    for (int x = 0; x < kW; ++x) {
        const float r = land.ridge(x + 0.5f);
        for (int y = std::max(0, static_cast<int>(std::floor(r))); y < kH; ++y) {
            const float cover = clamp01(y + 1.0f - r);
            const float below = y + 0.5f - r;
            Rgb c = lerp(land.near.rgb, land.deep.rgb, clamp01(below / land.depth));
            if (land.edgeLight > 0) c = lerp(c, land.light.rgb, land.edgeLight * std::exp(-below / 2.5f));
            blendPixel(picture, x, y, c, cover);
        }
    }
}

void paintLayer(Image& picture, const Mist& mist) {
    const int top = std::max(0, static_cast<int>(mist.centreY - 2.5f * mist.thickness));
    const int bottom = std::min(kH, static_cast<int>(mist.centreY + 2.5f * mist.thickness));
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < kW; ++x) {
            const float d = (y + 0.5f - mist.centreY) / mist.thickness;
            const float drift = 0.45f + 0.55f * valueNoise(x * 0.35f, y * 1.6f, 24.0f, mist.salt);
            blendPixel(picture, x, y, mist.colour.rgb, mist.strength * std::exp(-d * d) * drift);
        }
}

void paintLayer(Image& picture, const Lights& lights) {
    SeededRandom random(lights.seed);
    const ScreenRect& area = lights.area;
    for (int i = 0; i < lights.count; ++i) {
        const float x = area.x + random.unit() * area.w, y = area.y + random.unit() * area.h;
        const float k = lights.strength * (0.4f + 0.6f * random.unit());
        addBloom(picture, x, y, lights.size * 3.0f, lights.colour.rgb, k * 0.35f);
        addBloom(picture, x, y, lights.size * 0.7f, lerp(lights.colour.rgb, Rgb{1, 1, 1}, 0.6f), k);
    }
}

void paintLayer(Image& picture, const Glow& glow) {
    addBloom(picture, glow.cx, glow.cy, glow.radius, glow.colour.rgb, glow.strength);
}

void paintLayer(Image& picture, const Stone& stone) {
    placeCentred(picture, decorativeGem(stone.kind, stone.scale, stone.size, stone.glint), stone.cx, stone.cy);
}

void paintLayer(Image& picture, const FallingStone& stone) {
    const float scale = stone.scale;
    const int size = static_cast<int>(62 * scale) + 8;
    addBloom(picture, stone.cx, stone.cy, 24 * scale, piecePalette(stone.kind).body * 0.5f, 0.3f);
    drawFallTrail(picture, stone.cx, stone.cy, 80 * scale, 9 * scale, piecePalette(stone.kind).light * 0.45f);
    placeCentred(picture, decorativeGem(stone.kind, scale, size, 0.8f), stone.cx, stone.cy);
}

void paintLayer(Image& picture, const Rule& rule) { drawGoldRule(picture, rule.x0, rule.x1, rule.y); }

void paintLayer(Image& picture, const Feature& feature) { feature.paint(picture); }

// The cloth's fibre, the darker field the board stands on, and a vignette.
void shadeTowardsTheBoard(Image& picture) {
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            Rgba p = unpackArgb(picture.at(x, y));
            const float inBoardX = smoothstep(kBoardLeft - 70, kBoardLeft + 30, static_cast<float>(x));
            const float inBoardY =
                smoothstep(30, 90, static_cast<float>(y)) * (1 - smoothstep(500, 540, static_cast<float>(y)));
            float k = 1.0f - 0.38f * inBoardX * inBoardY;
            const float ex = (x + 0.5f) / kW * 2 - 1, ey = (y + 0.5f) / kH * 2 - 1;
            k *= 1.0f - 0.3f * clamp01((ex * ex * 0.6f + ey * ey) - 0.45f);
            k *= 1.0f + 0.06f * (hashNoise(x, y, 5u) - 0.5f);
            p.r *= k;
            p.g *= k;
            p.b *= k;
            picture.at(x, y) = packArgb(p);
        }
}

// The relic's pool: shade round it so it reads against any sky, a warm
// light on the ground at its foot.
void poolOfLight(Image& picture, Rgb light, float strength) {
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const float dx = (x + 0.5f - kColumnX) / 140.0f, dy = (y + 0.5f - 330.0f) / 260.0f;
            const float shade = 0.3f * std::exp(-(dx * dx + dy * dy) * 1.6f);
            if (shade > 0.002f) blendPixel(picture, x, y, Rgb{0.01f, 0.0f, 0.02f}, shade);
        }
    addBloom(picture, kColumnX, gamelayout::kRelicFoot - gamelayout::kScene.y, 46.0f, light, strength);
}

}  // namespace

Image paint(const Description& description) {
    Image picture(kW, kH);
    for (const Layer& layer : description.layers)
        std::visit([&picture](const auto& l) { paintLayer(picture, l); }, layer);
    shadeTowardsTheBoard(picture);
    poolOfLight(picture, description.poolLight.rgb, description.poolStrength);
    return picture;
}

}  // namespace scene
