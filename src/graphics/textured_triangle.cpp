// The textured-triangle filler behind the rotated blit: an affine texture
// mapping with constant gradients, sampled at pixel centres, with the
// texture stepped in 10-bit fixed point along each span.

#include <algorithm>
#include <cmath>
#include <utility>

#include "graphics/blit_sampling.h"
#include "graphics/channel_arithmetic.h"
#include "graphics/sprite.h"

namespace {

constexpr double tinyDivisor = 0.00001;

double safeDivisor(double d) { return std::fabs(d) < tinyDivisor ? tinyDivisor : d; }

// Doubles far outside any picture become equally far, finite ones, so the
// conversions to integers below stay defined whatever the vertices were.
double limited(double v, double bound) {
    if (std::isnan(v)) return 0.0;
    return std::clamp(v, -bound, bound);
}

struct Vertex {
    double x, y, u, v;
};

}  // namespace

void Sprite::DrawTexturedTriangle(std::uint32_t mode, Sprite& src, int xa, int ya, int xb, int yb, int xc, int yc,
                                  float ua, float va, float ub, float vb, float uc, float vc, int time) {
    // One winding only: the rotated blit's corners always come clockwise on
    // screen, so the test also rejects triangles seen from behind.
    const double area = (double(ya) - yb) * (double(xa) - xc) - (double(xa) - xb) * (double(ya) - yc);
    if (area > tinyDivisor) return;

    const int texWidth = std::min(src.width_, src.memoryWidth_);
    const int texHeight = src.height_;
    const ClipRect clipArea = drawableArea();
    if (texWidth <= 0 || texHeight <= 0 || clipArea.left >= clipArea.right || clipArea.top >= clipArea.bottom) return;
    const int frameTop = src.frameRow(time);
    if (frameTop + texHeight > src.memoryRows_) return;
    if (!lockForSoftware() || !src.lockForSoftware()) return;

    Vertex p[3] = {{double(xa), double(ya), double(ua) * texWidth, double(va) * texHeight},
                   {double(xb), double(yb), double(ub) * texWidth, double(vb) * texHeight},
                   {double(xc), double(yc), double(uc) * texWidth, double(vc) * texHeight}};
    std::sort(p, p + 3, [](const Vertex& l, const Vertex& r) { return l.y < r.y; });

    // The texture coordinates form a plane over the triangle.
    const double denom = safeDivisor((p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y));
    const double dudx = ((p[1].u - p[0].u) * (p[2].y - p[0].y) - (p[2].u - p[0].u) * (p[1].y - p[0].y)) / denom;
    const double dudy = ((p[2].u - p[0].u) * (p[1].x - p[0].x) - (p[1].u - p[0].u) * (p[2].x - p[0].x)) / denom;
    const double dvdx = ((p[1].v - p[0].v) * (p[2].y - p[0].y) - (p[2].v - p[0].v) * (p[1].y - p[0].y)) / denom;
    const double dvdy = ((p[2].v - p[0].v) * (p[1].x - p[0].x) - (p[1].v - p[0].v) * (p[2].x - p[0].x)) / denom;
    constexpr double stepBound = double(std::int64_t(1) << 40);
    const std::int64_t dudxFixed = std::llround(limited(dudx * 1024.0, stepBound));
    const std::int64_t dvdxFixed = std::llround(limited(dvdx * 1024.0, stepBound));

    const double longSlope = (p[2].x - p[0].x) / safeDivisor(p[2].y - p[0].y);
    const double upperSlope = (p[1].x - p[0].x) / safeDivisor(p[1].y - p[0].y);
    const double lowerSlope = (p[2].x - p[1].x) / safeDivisor(p[2].y - p[1].y);

    // Rows whose centres lie in [top vertex, bottom vertex), cut to the clip.
    const int firstRow = int(std::max(double(clipArea.top), std::ceil(p[0].y - 0.5)));
    const int endRow = int(std::min(double(clipArea.bottom), std::ceil(p[2].y - 0.5)));
    const bool glyph = (mode & BLEND_GLYPH) != 0 && src.hasAlphaPlane();
    const ChannelMasks m = channelMasks(currentPixelFormat());

    for (int y = firstRow; y < endRow; ++y) {
        const double cy = y + 0.5;
        const double xLong = p[0].x + (cy - p[0].y) * longSlope;
        const double xShort = cy < p[1].y ? p[0].x + (cy - p[0].y) * upperSlope : p[1].x + (cy - p[1].y) * lowerSlope;
        const double xl = std::min(xLong, xShort), xr = std::max(xLong, xShort);
        const int x0 = int(std::max(double(clipArea.left), std::ceil(xl - 0.5)));
        const int x1 = int(std::min(double(clipArea.right), std::ceil(xr - 0.5)));
        if (x0 >= x1) continue;

        constexpr double coordBound = double(std::int64_t(1) << 50);
        const double du = p[0].u + (x0 + 0.5 - p[0].x) * dudx + (cy - p[0].y) * dudy;
        const double dv = p[0].v + (x0 + 0.5 - p[0].x) * dvdx + (cy - p[0].y) * dvdy;
        std::int64_t u = std::int64_t(std::floor(limited(du * 1024.0, coordBound)));
        std::int64_t v = std::int64_t(std::floor(limited(dv * 1024.0, coordBound)));
        std::uint16_t* d = row(y);
        for (int x = x0; x < x1; ++x, u += dudxFixed, v += dvdxFixed) {
            // Texels outside the texture are left out, not wrapped.
            const std::int64_t tu = u >> 10, tv = v >> 10;
            if (tu < 0 || tu >= texWidth || tv < 0 || tv >= texHeight) continue;
            const int sy = frameTop + int(tv);
            const std::uint16_t texel = src.row(sy)[tu];
            if (glyph) {
                const std::int32_t a = src.alphaRow(sy)[tu];
                if (a <= 7) continue;
                d[x] = a < 248 ? blendPixel(d[x], texel, a, m) : texel;
            } else if (texel != 0) {
                d[x] = texel;
            }
        }
    }
}
