#include "frame_tiles.h"

#include <cmath>

namespace {

constexpr float kReach = kFrameBand + kFrameShadow;  // how far from the field anything is drawn
constexpr float kS = static_cast<float>(kTileSize);

struct Distance {
    float d;
    Vec2 outward;
};

enum class Edge { West, East, North, South };

Distance toEdge(Edge e, float x, float y) {
    switch (e) {
        case Edge::West: return {x, {1, 0}};
        case Edge::East: return {kS - x, {-1, 0}};
        case Edge::North: return {y, {0, 1}};
        default: return {kS - y, {0, -1}};
    }
}

Distance toPoint(Vec2 p, float x, float y) {
    const float dx = x - p.x, dy = y - p.y;
    const float d = std::hypot(dx, dy);
    return {d, d > 0 ? Vec2{dx / d, dy / d} : Vec2{0, 0}};
}

// Regions of a tile.
struct Rect {
    float x0, y0, x1, y1;
    bool contains(float x, float y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};
const Rect kTopLeft{0, 0, kReach, kReach};
const Rect kTopRight{kS - kReach, 0, kS, kReach};
const Rect kBottomLeft{0, kS - kReach, kReach, kS};
const Rect kBottomRight{kS - kReach, kS - kReach, kS, kS};
const Rect kLeftMiddle{0, kReach, kReach, kS - kReach};
const Rect kRightMiddle{kS - kReach, kReach, kS, kS - kReach};
const Rect kTopMiddle{kReach, 0, kS - kReach, kReach};
const Rect kBottomMiddle{kReach, kS - kReach, kS - kReach, kS};

struct TileRecipe {
    Rect region;
    enum { OneEdge, TwoEdges, Corner } kind;
    Edge a = Edge::West, b = Edge::West;
    Vec2 point{};
};

TileRecipe recipe(int index) {
    using E = Edge;
    switch (index) {
        case 0: return {kBottomLeft, TileRecipe::Corner, E::West, E::West, {0, kS}};
        case 1: return {kBottomRight, TileRecipe::Corner, E::West, E::West, {kS, kS}};
        case 2: return {kTopRight, TileRecipe::Corner, E::West, E::West, {kS, 0}};
        case 3: return {kTopLeft, TileRecipe::Corner, E::West, E::West, {0, 0}};
        case 4: return {kBottomLeft, TileRecipe::TwoEdges, E::West, E::South};
        case 5: return {kBottomRight, TileRecipe::TwoEdges, E::East, E::South};
        case 6: return {kTopRight, TileRecipe::TwoEdges, E::East, E::North};
        case 7: return {kTopLeft, TileRecipe::TwoEdges, E::West, E::North};
        case 8: return {kLeftMiddle, TileRecipe::OneEdge, E::West};
        case 9: return {kBottomMiddle, TileRecipe::OneEdge, E::South};
        case 10: return {kRightMiddle, TileRecipe::OneEdge, E::East};
        case 11: return {kTopMiddle, TileRecipe::OneEdge, E::North};
        case 12: return {kBottomRight, TileRecipe::OneEdge, E::East};
        case 13: return {kTopRight, TileRecipe::OneEdge, E::East};
        case 14: return {kTopLeft, TileRecipe::OneEdge, E::West};
        case 15: return {kBottomLeft, TileRecipe::OneEdge, E::West};
        case 16: return {kBottomLeft, TileRecipe::OneEdge, E::South};
        case 17: return {kBottomRight, TileRecipe::OneEdge, E::South};
        case 18: return {kTopLeft, TileRecipe::OneEdge, E::North};
        default: return {kTopRight, TileRecipe::OneEdge, E::North};
    }
}

// Slope of the moulding's cross-section (height gained per pixel outward)
// and how much a groove darkens it, at u = 0 (field side) .. 1 (outside).
void moulding(float u, float& slope, float& groove) {
    groove = 0;
    if (u < 0.14f) {
        slope = 1.3f;  // the lip rising from the field
    } else if (u < 0.74f) {
        slope = 1.7f * (0.44f - u) / 0.30f;  // the round bead
    } else if (u < 0.84f) {
        slope = 0.0f;  // a narrow fillet
    } else {
        slope = -1.5f;  // the outer bevel down to the background
    }
    const float width = 0.05f;
    for (float at : {0.14f, 0.74f, 0.84f}) {
        const float g = 1 - std::fabs(u - at) / width;
        if (g > groove) groove = g;
    }
}

}  // namespace

Rgba frameShade(float distance, Vec2 outward) {
    if (distance < 0 || distance >= kReach) return {};
    if (distance >= kFrameBand) {
        const float t = 1 - (distance - kFrameBand) / kFrameShadow;
        return {0.03f, 0.0f, 0.05f, 0.6f * t * t};
    }
    const float u = distance / kFrameBand;
    float slope, groove;
    moulding(u, slope, groove);
    const float nx = -slope * outward.x, ny = -slope * outward.y, nz = 1.0f;
    const float len = std::sqrt(nx * nx + ny * ny + nz * nz);
    const float lx = -0.45f, ly = -0.62f, lz = 0.64f;  // light from the upper left
    const float lambert = std::max(0.0f, (nx * lx + ny * ly + nz * lz) / len);
    const float hx = lx, hy = ly, hz = lz + 1;
    const float hl = std::sqrt(hx * hx + hy * hy + hz * hz);
    const float spec = std::pow(std::max(0.0f, (nx * hx + ny * hy + nz * hz) / (len * hl)), 28.0f);
    const Rgb deep = hexColour(0x3A1E06), gold = hexColour(0xC8901E), light = hexColour(0xFFE9A0);
    const float v = 0.1f + 1.05f * lambert;
    Rgb c = v < 0.6f ? lerp(deep, gold, v / 0.6f) : lerp(gold, light, clamp01((v - 0.6f) / 0.5f));
    c = c + Rgb{1.0f, 0.95f, 0.8f} * (0.8f * spec);
    c = lerp(c, deep, 0.55f * groove);
    return {clamp01(c.r), clamp01(c.g), clamp01(c.b), 1.0f};
}

Image renderFrameTile(int index) {
    const TileRecipe r = recipe(index);
    return renderShader(kTileSize, kTileSize, 4, [&](float x, float y) -> Rgba {
        if (!r.region.contains(x, y)) return {};
        Distance d;
        switch (r.kind) {
            case TileRecipe::OneEdge: d = toEdge(r.a, x, y); break;
            case TileRecipe::TwoEdges: {
                const Distance a = toEdge(r.a, x, y), b = toEdge(r.b, x, y);
                d = a.d < b.d ? a : b;
                // On the mitre itself the moulding faces both ways at once.
                if (std::fabs(a.d - b.d) < 1e-4f) {
                    const float len = std::hypot(a.outward.x + b.outward.x, a.outward.y + b.outward.y);
                    d.outward = {(a.outward.x + b.outward.x) / len, (a.outward.y + b.outward.y) / len};
                }
                break;
            }
            default: d = toPoint(r.point, x, y); break;
        }
        return frameShade(d.d, d.outward);
    });
}
