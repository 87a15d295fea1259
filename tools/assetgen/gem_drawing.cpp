#include "gem_drawing.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kTwoPi = 2 * kPi;
constexpr int kRadiusSamples = 2048;

float wrapAngle(float a) {
    a = std::fmod(a, kTwoPi);
    return a < 0 ? a + kTwoPi : a;
}

Vec2 normalised(Vec2 v) {
    const float l = std::hypot(v.x, v.y);
    return l > 0 ? Vec2{v.x / l, v.y / l} : Vec2{0, 0};
}

Vec2 rotated(Vec2 v, float a) {
    const float c = std::cos(a), s = std::sin(a);
    return {v.x * c - v.y * s, v.x * s + v.y * c};
}

struct Vec3 {
    float x, y, z;
};

float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 normalised(Vec3 v) {
    const float l = std::sqrt(dot(v, v));
    return {v.x / l, v.y / l, v.z / l};
}

Vec3 tilted(Vec2 direction, float tilt) {
    return {std::sin(tilt) * direction.x, std::sin(tilt) * direction.y, std::cos(tilt)};
}

// The colour ramp of a gem: deep shadows, body colour, light tint, then
// white for anything brighter.
Rgb ramp(const GemPalette& p, float v) {
    if (v <= 0) return p.deep;
    if (v < 0.55f) return lerp(p.deep, p.body, v / 0.55f);
    if (v < 1.0f) return lerp(p.body, p.light, (v - 0.55f) / 0.45f);
    return lerp(p.light, Rgb{1, 1, 1}, clamp01((v - 1.0f) / 0.6f));
}

float glintAt(const GemLight& light, float x, float y) {
    if (light.glint <= 0) return 0;
    const Vec2 d = rotated({x - light.glintAt.x, y - light.glintAt.y}, -light.glintTurn);
    const float core = std::exp(-(d.x * d.x + d.y * d.y) / 2.2f);
    const float rays = std::exp(-std::fabs(d.y) * 1.7f) * std::exp(-std::fabs(d.x) / 4.5f) +
                       std::exp(-std::fabs(d.x) * 1.7f) * std::exp(-std::fabs(d.y) / 4.5f);
    const Vec2 e = rotated(d, kPi / 4);
    const float diagonal = std::exp(-std::fabs(e.y) * 2.2f) * std::exp(-std::fabs(e.x) / 2.0f) +
                           std::exp(-std::fabs(e.x) * 2.2f) * std::exp(-std::fabs(e.y) / 2.0f);
    return light.glint * std::min(1.0f, core + 0.85f * rays + 0.35f * diagonal);
}

}  // namespace

float PreparedGem::angleOf(float x, float y) { return wrapAngle(std::atan2(y, x)); }

PreparedGem::PreparedGem(GemShape shape) : shape_(std::move(shape)) {
    radius_.resize(kRadiusSamples);
    const auto& poly = shape_.outline;
    for (int i = 0; i < kRadiusSamples; ++i) {
        const float a = kTwoPi * i / kRadiusSamples;
        const Vec2 d{std::cos(a), std::sin(a)};
        float best = 0;
        for (std::size_t e = 0; e < poly.size(); ++e) {
            const Vec2 p = poly[e], q = poly[(e + 1) % poly.size()];
            const Vec2 edge{q.x - p.x, q.y - p.y};
            // Solve p + t * edge = s * d.
            const float den = d.x * edge.y - d.y * edge.x;
            if (std::fabs(den) < 1e-9f) continue;
            const float s = (p.x * edge.y - p.y * edge.x) / den;
            const float t = (p.x * d.y - p.y * d.x) / den;
            if (t >= -1e-5f && t <= 1 + 1e-5f && s > best) best = s;
        }
        radius_[i] = best;
    }
    // Facet sectors in ascending angle.
    std::vector<Vec2> corners = shape_.facetCorners;
    std::sort(corners.begin(), corners.end(), [](Vec2 a, Vec2 b) { return angleOf(a.x, a.y) < angleOf(b.x, b.y); });
    for (std::size_t k = 0; k < corners.size(); ++k) {
        const Vec2 a = corners[k], b = corners[(k + 1) % corners.size()];
        sectorStart_.push_back(angleOf(a.x, a.y));
        Vec2 n = normalised(Vec2{b.y - a.y, -(b.x - a.x)});
        const Vec2 mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
        if (n.x * mid.x + n.y * mid.y < 0) n = {-n.x, -n.y};
        normals_.push_back(n);
    }
}

float PreparedGem::radiusAt(float angle) const {
    const float f = wrapAngle(angle) / kTwoPi * kRadiusSamples;
    const int i = static_cast<int>(f) % kRadiusSamples;
    const float t = f - std::floor(f);
    return radius_[i] * (1 - t) + radius_[(i + 1) % kRadiusSamples] * t;
}

int PreparedGem::sectorOf(float angle, float& within) const {
    const int n = sectorCount();
    const float a = wrapAngle(angle);
    int k = n - 1;
    for (int i = 0; i < n; ++i) {
        if (sectorStart_[i] > a) break;
        k = i;
    }
    // Angles before the first corner belong to the last sector, which wraps.
    const float start = sectorStart_[k];
    float end = sectorStart_[(k + 1) % n];
    if (end <= start) end += kTwoPi;
    float at = a;
    if (at < start) at += kTwoPi;
    within = (at - start) / (end - start);
    return k;
}

namespace {

// Where a point of the gem lies: how far out (rho, 0 centre .. 1 outline),
// in which facet sector and where within it.
struct GemPoint {
    float r = 0, outer = 0, rho = 0;
    int sector = 0;
    float within = 0;        // 0..1 across the sector
    float span = 0;          // the sector's angular width per unit of `within`
    float toSectorEdge = 0;  // pixels to the nearer sector edge
};

// The facet a point lies on: which way it faces, how steeply, and how much
// of a bright cut line between facets shows there.
struct Facet {
    Vec2 dir;
    float tilt = 0;
    float line = 0;
    bool onTable = false;
};

constexpr float kGirdle = 0.9f;

// The table is not quite flat: faint star facets catch the light.
Facet tableFacet(const GemPoint& p, Vec2 n, float table) {
    Facet f{rotated(n, p.within < 0.5f ? -0.5f : 0.5f), 0.12f, 0, true};
    if ((table - p.rho) * p.outer < 0.55f) f.line = 0.35f;
    return f;
}

// Star facets stand on the table's edges; kite facets sit over the outline's
// corners, shared by two sectors; near the outline a ring of steep girdle facets.
Facet brilliantFacet(const GemPoint& p, Vec2 n, float table) {
    Facet f{n, 0, 0, false};
    const float q = (p.rho - table) / (kGirdle - table);
    const float fromMiddle = std::fabs(p.within - 0.5f) * 2;  // 0 mid-sector, 1 at a corner
    if (p.rho >= kGirdle) {
        f.dir = rotated(n, (p.within < 0.5f ? -1.0f : 1.0f) * 0.25f);
        f.tilt = 1.05f;
    } else if (q < 1 - fromMiddle) {
        f.tilt = 0.48f;
        if (std::fabs(q - (1 - fromMiddle)) * (kGirdle - table) * p.outer < 0.5f) f.line = 0.25f;
    } else {
        // Towards the nearer corner, half a sector away.
        const float halfSpan = 0.5f * p.span;
        f.dir = rotated(n, p.within < 0.5f ? -halfSpan : halfSpan);
        f.tilt = 0.78f;
    }
    if ((p.rho - table) * p.outer < 0.55f) f.line = std::max(f.line, 0.35f);
    if (p.toSectorEdge < 0.45f && q > 1 - fromMiddle) f.line = std::max(f.line, 0.2f);
    return f;
}

Facet stepFacet(const GemPoint& p, Vec2 n, float table) {
    Facet f{n, 0, 0, false};
    const float steps[3] = {table + (1 - table) * 0.38f, table + (1 - table) * 0.74f, 1.01f};
    const float tilts[3] = {0.38f, 0.72f, 1.05f};
    float prev = table;
    for (int i = 0; i < 3; ++i) {
        if (p.rho < steps[i]) {
            f.tilt = tilts[i];
            if ((p.rho - prev) * p.outer < 0.5f) f.line = 0.3f;
            break;
        }
        prev = steps[i];
    }
    if (p.toSectorEdge < 0.45f) f.line = std::max(f.line, 0.22f);
    return f;
}

Facet ridgeFacet(const GemPoint& p, Vec2 n, float table) {
    Facet f{n, 0.7f + 0.25f * p.rho, 0, false};
    if ((p.rho - table) * p.outer < 0.55f) f.line = 0.35f;
    if (p.toSectorEdge < 0.5f) f.line = std::max(f.line, 0.3f);
    return f;
}

Facet facetAt(const PreparedGem& gem, const GemPoint& p) {
    const Vec2 n = gem.sectorNormal(p.sector);
    const GemShape& shape = gem.shape();
    if (p.rho < shape.table) return tableFacet(p, n, shape.table);
    switch (shape.cut) {
        case GemCut::Brilliant:
            return brilliantFacet(p, n, shape.table);
        case GemCut::Step:
            return stepFacet(p, n, shape.table);
        case GemCut::Ridge:
            return ridgeFacet(p, n, shape.table);
    }
    return {n, 0, 0, false};
}

GemPoint pointOf(const PreparedGem& gem, float x, float y) {
    GemPoint p;
    p.r = std::hypot(x, y);
    const float angle = std::atan2(y, x);
    p.outer = gem.radiusAt(angle);
    p.rho = p.r / std::max(p.outer, 1e-3f);
    p.sector = gem.sectorOf(angle, p.within);
    // Angular width of this sector, to measure distances to its edges in pixels.
    float probe = 0;
    gem.sectorOf(angle + 0.001f, probe);
    p.span = probe > p.within ? 0.001f / (probe - p.within) : 0.5f;
    p.toSectorEdge = std::min(p.within, 1 - p.within) * p.span * p.r;
    return p;
}

// Outside the outline only the halo and the glint show.
Rgba outsideGem(const GemPalette& palette, const GemLight& light, float beyond, float glint) {
    float a = 0;
    if (light.halo > 0) a = light.halo * 0.75f * std::exp(-beyond * light.scale / 2.6f);
    if (a + glint <= 0) return {};
    const Rgb c = lerp(palette.light, Rgb{1, 1, 1}, glint / (a + glint));
    return withAlpha(c, std::min(1.0f, a + glint));
}

// A key light, a fill from the other side, and the light that entered the
// stone coming back out on the far side.
Rgb litFacet(const GemPalette& palette, const GemLight& light, const Facet& f, float x, float y, float outer) {
    const Vec2 l2{std::cos(light.azimuth), std::sin(light.azimuth)};
    const Vec3 l3 = normalised(Vec3{std::cos(light.elevation) * l2.x, std::cos(light.elevation) * l2.y,
                                    std::sin(light.elevation)});
    const Vec3 n3 = tilted(f.dir, f.tilt);
    const float diffuse = std::max(0.0f, dot(n3, l3));
    const Vec3 h = normalised(Vec3{l3.x, l3.y, l3.z + 1});
    const float spec = std::pow(std::max(0.0f, dot(n3, h)), 40.0f);
    const Vec3 fill = normalised(Vec3{-l2.x * 0.8f, -l2.y * 0.8f, 0.6f});
    const Vec3 h2 = normalised(Vec3{fill.x, fill.y, fill.z + 1});
    const float spec2 = std::pow(std::max(0.0f, dot(n3, h2)), 60.0f);
    const float fire = f.onTable ? 0.55f * clamp01(0.5f - 0.6f * (x * l2.x + y * l2.y) / std::max(outer, 1.0f))
                                 : 0.75f * clamp01(-(f.dir.x * l2.x + f.dir.y * l2.y)) * std::sin(f.tilt);
    const float v = 0.08f + 0.62f * diffuse + fire + 0.45f * light.glow;
    Rgb c = ramp(palette, v);
    if (palette.dispersion > 0 && !f.onTable) {
        // Colourless stones split light into faint rainbows on their facets.
        const float hue = std::atan2(f.dir.y, f.dir.x) / kTwoPi * 2 + f.tilt;
        c = lerp(c, c * hsv(hue, 0.55f, 1.15f), palette.dispersion);
    }
    c = c + Rgb{1, 1, 1} * (1.1f * spec + 0.35f * spec2);
    return lerp(c, palette.light, f.line);
}

}  // namespace

Rgba shadeGem(const PreparedGem& gem, const GemPalette& mainPalette, const GemLight& light, float x, float y,
              const std::vector<GemPalette>* sectorPalettes) {
    const float glint = glintAt(light, x, y);
    x /= light.scale;
    y /= light.scale;
    const float r = std::hypot(x, y);
    const float outer = gem.radiusAt(std::atan2(y, x));
    if (r > outer) return outsideGem(mainPalette, light, r - outer, glint);
    const GemPoint p = pointOf(gem, x, y);
    // Per-sector colours are for the crown; the table keeps the main colours.
    const GemPalette& palette = sectorPalettes && !sectorPalettes->empty() && p.rho >= gem.shape().table
                                    ? (*sectorPalettes)[p.sector % sectorPalettes->size()]
                                    : mainPalette;
    Rgb c = litFacet(palette, light, facetAt(gem, p), x, y, outer);
    // A dark rim keeps the outline crisp on any background.
    const float toRim = (outer - r) * light.scale;
    if (toRim < 1.1f) c = c * (1 - light.rimDarkening * (1 - toRim / 1.1f));
    c = c + Rgb{1, 1, 1} * glint;
    return {clamp01(c.r), clamp01(c.g), clamp01(c.b), 1};
}

Image renderGem(const PreparedGem& gem, const GemPalette& palette, const GemLight& light, int width, int height,
                float cx, float cy, const std::vector<GemPalette>* sectorPalettes, bool shadow) {
    Image picture = renderShader(width, height, 4, [&](float x, float y) {
        return shadeGem(gem, palette, light, x - cx, y - cy, sectorPalettes);
    });
    if (!shadow) return picture;
    Image out = shadowOf(picture, 0.8f, 1.7f, 1.1f, Rgb{0.02f, 0.0f, 0.04f}, 0.55f);
    drawOver(out, picture, 0, 0);
    return out;
}

std::vector<Vec2> regularPolygon(int corners, float radius, float firstAngle) {
    std::vector<Vec2> out;
    for (int i = 0; i < corners; ++i) {
        const float a = firstAngle + kTwoPi * i / corners;
        out.push_back({radius * std::cos(a), radius * std::sin(a)});
    }
    return out;
}

std::vector<Vec2> roundedPolygon(const std::vector<Vec2>& corners, float cornerRadius, int stepsPerCorner) {
    std::vector<Vec2> out;
    const std::size_t n = corners.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Vec2 p = corners[i];
        const Vec2 u = normalised(Vec2{corners[(i + n - 1) % n].x - p.x, corners[(i + n - 1) % n].y - p.y});
        const Vec2 v = normalised(Vec2{corners[(i + 1) % n].x - p.x, corners[(i + 1) % n].y - p.y});
        const float half = std::acos(std::clamp(u.x * v.x + u.y * v.y, -1.0f, 1.0f)) / 2;
        if (half < 1e-3f || cornerRadius <= 0) {
            out.push_back(p);
            continue;
        }
        const float along = cornerRadius / std::tan(half);
        const Vec2 t1{p.x + u.x * along, p.y + u.y * along};
        const Vec2 t2{p.x + v.x * along, p.y + v.y * along};
        const Vec2 bis = normalised(Vec2{u.x + v.x, u.y + v.y});
        const float dist = cornerRadius / std::sin(half);
        const Vec2 c{p.x + bis.x * dist, p.y + bis.y * dist};
        float a1 = std::atan2(t1.y - c.y, t1.x - c.x);
        float a2 = std::atan2(t2.y - c.y, t2.x - c.x);
        float sweep = a2 - a1;
        while (sweep > kPi) sweep -= kTwoPi;
        while (sweep < -kPi) sweep += kTwoPi;
        for (int s = 0; s <= stepsPerCorner; ++s) {
            const float a = a1 + sweep * s / stepsPerCorner;
            out.push_back({c.x + cornerRadius * std::cos(a), c.y + cornerRadius * std::sin(a)});
        }
    }
    return out;
}

std::vector<Vec2> circleOutline(float radius, int steps) { return regularPolygon(steps, radius, 0); }

std::vector<Vec2> moved(std::vector<Vec2> points, float dx, float dy) {
    for (auto& p : points) {
        p.x += dx;
        p.y += dy;
    }
    return points;
}

namespace {

std::vector<Vec2> withMidpoints(const std::vector<Vec2>& corners) {
    std::vector<Vec2> out;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const Vec2 a = corners[i], b = corners[(i + 1) % corners.size()];
        out.push_back(a);
        out.push_back({(a.x + b.x) / 2, (a.y + b.y) / 2});
    }
    return out;
}

// A pear: a round body below and a point above.
GemShape teardrop() {
    const Vec2 apex{0, -20.5f};
    const Vec2 centre{0, 6.0f};
    const float r = 14.8f;
    const float dist = centre.y - apex.y;
    const float side = std::acos(r / dist);  // angle at the centre between up and the tangent point
    std::vector<Vec2> outline;
    const int steps = 64;
    // Arc from the right tangent point round the bottom to the left one.
    const float start = -kPi / 2 + side, end = 3 * kPi / 2 - side;
    for (int i = 0; i <= steps; ++i) {
        const float a = start + (end - start) * i / steps;
        outline.push_back({centre.x + r * std::cos(a), centre.y + r * std::sin(a)});
    }
    // The tip, softly rounded.
    std::vector<Vec2> tipCorners{outline.back(), apex, outline.front()};
    const std::vector<Vec2> tip = roundedPolygon(tipCorners, 2.0f, 6);
    // roundedPolygon returns arcs for all three corners; keep the apex arc only.
    for (std::size_t i = 7; i < 14 && i < tip.size(); ++i) outline.push_back(tip[i]);
    GemShape shape;
    shape.outline = outline;
    std::vector<Vec2> corners{apex};
    for (int i = 0; i <= 8; ++i) {
        const float a = start + (end - start) * i / 8;
        corners.push_back({centre.x + r * std::cos(a), centre.y + r * std::sin(a)});
    }
    shape.facetCorners = corners;
    shape.cut = GemCut::Brilliant;
    shape.table = 0.45f;
    return shape;
}

}  // namespace

namespace {

// A cut stone on a rounded polygon: its facets meet the outline at the
// corners (and, for a brilliant on few corners, at the edges' midpoints too).
struct FacetedOutline {
    std::vector<Vec2> corners;
    float rounding = 0;
    bool midpointFacets = false;
    GemCut cut = GemCut::Brilliant;
    float table = 0.5f;
};

GemShape faceted(const FacetedOutline& f) {
    GemShape s;
    s.outline = roundedPolygon(f.corners, f.rounding);
    s.facetCorners = f.midpointFacets ? withMidpoints(f.corners) : f.corners;
    s.cut = f.cut;
    s.table = f.table;
    return s;
}

std::vector<Vec2> fivePointedStar() {
    std::vector<Vec2> c;
    for (int i = 0; i < 10; ++i) {
        const float a = -kPi / 2 + kPi * i / 5;
        const float r = i % 2 == 0 ? 21.5f : 9.8f;
        c.push_back({r * std::cos(a), r * std::sin(a) + 1.5f});
    }
    return c;
}

}  // namespace

GemShape pieceShape(int kind) {
    switch (kind) {
        case 0: {  // round brilliant
            GemShape s;
            s.outline = circleOutline(19.5f);
            s.facetCorners = regularPolygon(16, 19.5f, -kPi / 2);
            return s;
        }
        case 1:  // square step cut
            return faceted({{{-16.5f, -16.5f}, {16.5f, -16.5f}, {16.5f, 16.5f}, {-16.5f, 16.5f}}, 3.5f, false,
                            GemCut::Step, 0.5f});
        case 2:  // triangle (trillion)
            return faceted({{{0, -19.0f}, {20.5f, 17.0f}, {-20.5f, 17.0f}}, 3.0f, true, GemCut::Brilliant, 0.42f});
        case 3:  // diamond (rhombus)
            return faceted(
                {{{0, -20.5f}, {16.0f, 0}, {0, 20.5f}, {-16.0f, 0}}, 2.0f, true, GemCut::Brilliant, 0.45f});
        case 4:  // hexagon, a long crystal standing on its point
            return faceted({{{0, -21.0f}, {15.0f, -11.5f}, {15.0f, 11.5f}, {0, 21.0f}, {-15.0f, 11.5f}, {-15.0f, -11.5f}},
                            2.5f, false, GemCut::Step, 0.5f});
        case 5:  // teardrop (pear)
            return teardrop();
        case 6:  // five-pointed star
            return faceted({fivePointedStar(), 1.3f, false, GemCut::Ridge, 0.3f});
        default:  // octagon, emerald cut, wider than tall
            return faceted({{{-13.5f, -14.5f}, {13.5f, -14.5f}, {20.5f, -7.5f}, {20.5f, 7.5f}, {13.5f, 14.5f},
                             {-13.5f, 14.5f}, {-20.5f, 7.5f}, {-20.5f, -7.5f}},
                            1.5f, false, GemCut::Step, 0.5f});
    }
}

GemPalette piecePalette(int kind) {
    switch (kind) {
        case 0: return {hexColour(0x023A14), hexColour(0x12B04A), hexColour(0x9CFFB8)};  // emerald
        case 1: return {hexColour(0x3E0006), hexColour(0xD81028), hexColour(0xFF9A9A)};  // ruby
        case 2: return {hexColour(0x5A3000), hexColour(0xF6C21C), hexColour(0xFFF6B0)};  // topaz
        case 3: return {hexColour(0x24064E), hexColour(0x9A3CE8), hexColour(0xE2B8FF)};  // amethyst
        case 4: return {hexColour(0x000E52), hexColour(0x1C64F2), hexColour(0xA6D4FF)};  // sapphire
        case 5: return {hexColour(0x561400), hexColour(0xFF7410), hexColour(0xFFD7A0)};  // fire opal
        case 6: return {hexColour(0x52002C), hexColour(0xFF4AA6), hexColour(0xFFC8E6)};  // rose
        default: return {hexColour(0x2E3850), hexColour(0xB4C0D8), hexColour(0xFFFFFF), 0.45f};  // diamond
    }
}

GemPalette greyPalette(const GemPalette& p) { return {greyOf(p.deep), greyOf(p.body), greyOf(p.light), 0.0f}; }

Image renderSideBrilliant(int width, int height, const GemPalette& palette, float turn) {
    // Proportions of a round brilliant seen from the side.
    const float cx = width / 2.0f;
    const float girdleR = width * 0.46f;
    const float tableR = girdleR * 0.56f;
    const float top = height * 0.14f;
    const float girdleY = height * 0.40f;
    const float girdleBand = height * 0.035f;
    const float culet = height * 0.93f;
    const int facets = 12;
    const Vec3 light = normalised(Vec3{-0.42f, -0.5f, 0.76f});
    const Vec3 half = normalised(Vec3{light.x, light.y, light.z + 1});
    return renderShader(width, height, 4, [&](float x, float y) -> Rgba {
        float radius;
        int zone;  // 0 crown, 1 girdle, 2 pavilion
        if (y < top || y > culet) return {};
        if (y < girdleY) {
            radius = tableR + (girdleR - tableR) * (y - top) / (girdleY - top);
            zone = 0;
        } else if (y < girdleY + girdleBand) {
            radius = girdleR;
            zone = 1;
        } else {
            radius = girdleR * (culet - y) / (culet - girdleY - girdleBand);
            zone = 2;
        }
        const float dx = x - cx;
        if (std::fabs(dx) > radius) return {};
        // Where on the turning body this point lies.
        const float phi = std::asin(std::clamp(dx / std::max(radius, 1e-3f), -1.0f, 1.0f));
        const float sector = kTwoPi / facets;
        const float shifted = phi + turn;
        const float k = std::floor(shifted / sector);
        const float facetPhi = (k + 0.5f) * sector - turn;
        const bool odd = static_cast<int>(k) % 2 != 0;
        float rise = zone == 0 ? 0.62f : (zone == 1 ? 0.0f : -0.72f);
        // Crown: a second row of facets near the table.
        const bool upperRow = zone == 0 && y < top + (girdleY - top) * 0.45f;
        if (upperRow) rise = 1.0f;
        const Vec3 n = normalised(Vec3{std::sin(facetPhi) * std::cos(rise), -std::sin(rise),
                                       std::cos(facetPhi) * std::cos(rise)});
        const float diffuse = std::max(0.0f, dot(n, light));
        const float spec = std::pow(std::max(0.0f, dot(n, half)), 24.0f);
        // The pavilion throws light back through alternate facets.
        const float fire = zone == 2 ? (odd ? 0.42f : 0.08f) + 0.25f * clamp01(-std::sin(facetPhi)) : 0.0f;
        float v = 0.02f + 0.9f * diffuse + fire;
        if (zone == 1) v = 0.85f;
        Rgb c = ramp(palette, v);
        c = c + Rgb{1, 1, 1} * (1.4f * spec);
        // Facet edges and the outline.
        const float edgeDist = std::fabs(shifted - (k * sector)) * radius * std::cos(phi);
        const float rimDist = std::min(radius - std::fabs(dx), std::min(y - top, culet - y) * 2);
        if (edgeDist < 0.5f) c = lerp(c, palette.deep, 0.3f);
        if (rimDist < 0.9f) c = lerp(c, palette.deep, 0.6f * (1 - rimDist / 0.9f));
        if (std::fabs(y - girdleY) < 0.5f || (upperRow && std::fabs(y - (top + (girdleY - top) * 0.45f)) < 0.5f))
            c = lerp(c, palette.light, 0.35f);
        return {clamp01(c.r), clamp01(c.g), clamp01(c.b), 1};
    });
}
