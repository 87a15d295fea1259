#pragma once
// Cut gems, drawn pixel by pixel: a silhouette (any outline that a ray from
// the centre crosses once), facets laid out from corner points on that
// outline, and lighting that makes them glint. The pieces, the rainbow and
// bad pieces, the flying gems and the collector gems are all drawn with it.

#include <vector>

#include "image.h"
#include "paint.h"

struct Vec2 {
    float x = 0, y = 0;
};

// How the crown is faceted.
enum class GemCut {
    Brilliant,  // table, then triangular facets alternating in tilt
    Step,       // table, then concentric steps (emerald and square cuts)
    Ridge,      // one facet per outline edge, meeting in ridges (stars)
};

struct GemShape {
    std::vector<Vec2> outline;       // silhouette around (0, 0), pixels
    std::vector<Vec2> facetCorners;  // points where crown facets meet the outline
    GemCut cut = GemCut::Brilliant;
    float table = 0.5f;  // size of the flat top relative to the outline
};

struct GemPalette {
    Rgb deep, body, light;
    float dispersion = 0.0f;  // rainbow tints on the facets of colourless stones
};

// Lighting and animation of one frame.
struct GemLight {
    float azimuth = -2.2f;    // direction the light comes from, radians (screen: y down)
    float elevation = 0.85f;  // radians above the picture plane
    float glow = 0.0f;        // extra inner light (hint pulse), 0..1
    float halo = 0.0f;        // soft coloured halo outside the outline, 0..1
    float glint = 0.0f;       // strength of the sparkle star, 0..1
    Vec2 glintAt{-6, -8};     // where the sparkle sits, relative to the centre
    float glintTurn = 0.0f;   // rotation of the sparkle's rays, radians
    float scale = 1.0f;       // the whole gem grows or shrinks by this
    float rimDarkening = 0.45f;
};

// A shape prepared for shading: outline radius by angle, facet sectors.
class PreparedGem {
public:
    explicit PreparedGem(GemShape shape);

    // Outline radius in direction `angle` (radians, atan2 convention).
    float radiusAt(float angle) const;
    // Whether the point (relative to the centre) is inside the outline.
    bool inside(float x, float y) const { return x * x + y * y <= sq(radiusAt(angleOf(x, y))); }

    int sectorCount() const { return static_cast<int>(sectorStart_.size()); }
    // Sector of an angle and the position within it, 0..1.
    int sectorOf(float angle, float& within) const;
    Vec2 sectorNormal(int sector) const { return normals_[sector]; }
    const GemShape& shape() const { return shape_; }

private:
    static float sq(float v) { return v * v; }
    static float angleOf(float x, float y);
    GemShape shape_;
    std::vector<float> radius_;  // sampled outline radius
    std::vector<float> sectorStart_;  // angles 0..2pi, ascending
    std::vector<Vec2> normals_;
};

// Shades one point of a gem (x, y relative to its centre). With per-sector
// palettes (one per facet sector) each sector takes its own colours.
Rgba shadeGem(const PreparedGem& gem, const GemPalette& palette, const GemLight& light, float x, float y,
              const std::vector<GemPalette>* sectorPalettes = nullptr);

// A finished gem picture: the gem centred at (cx, cy) over a soft drop
// shadow, w x h pixels.
Image renderGem(const PreparedGem& gem, const GemPalette& palette, const GemLight& light, int width, int height,
                float cx, float cy, const std::vector<GemPalette>* sectorPalettes = nullptr, bool shadow = true);

// Outline helpers.
std::vector<Vec2> regularPolygon(int corners, float radius, float firstAngle);
std::vector<Vec2> roundedPolygon(const std::vector<Vec2>& corners, float cornerRadius, int stepsPerCorner = 6);
std::vector<Vec2> circleOutline(float radius, int steps = 96);
std::vector<Vec2> moved(std::vector<Vec2> points, float dx, float dy);

// The eight ordinary piece kinds: round, square, triangle, diamond,
// hexagon, teardrop, star, octagon (pixels, for a 44 x 44 piece).
GemShape pieceShape(int kind);
GemPalette piecePalette(int kind);
// A palette's grey twin (for checking shapes without colour).
GemPalette greyPalette(const GemPalette& palette);

// A brilliant seen from the side, turning about its vertical axis: `turn`
// is the turn in radians (the facet pattern repeats every pi / 6).
Image renderSideBrilliant(int width, int height, const GemPalette& palette, float turn);
