// The general blit and its unscaled and part forms.

#include <limits>

#include "graphics/blit_sampling.h"
#include "graphics/channel_arithmetic.h"
#include "graphics/dd_report.h"
#include "graphics/sprite.h"

namespace {

using Wide = __int128;

// The mode bits that ask for alpha-plane blending.
constexpr std::uint32_t alphaModes = BLEND_GLYPH | BLEND_NORMAL | BLEND_KEY;

// Source edges far outside any picture are all equally outside; keeping them
// within +-2^45 keeps the 16.16 stepping inside 64 bits for any argument.
std::int64_t limitSourceEdge(Wide edge) {
    constexpr Wide bound = Wide(1) << 45;
    return std::int64_t(edge < -bound ? -bound : edge > bound ? bound : edge);
}

int toInt(std::int64_t v) {
    return int(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

void Sprite::Blit(int x, int y, Sprite& src, std::uint32_t mode, int time) {
    StretchBlit(x, y, src.width(), src.height(), src, 0, 0, src.width(), src.height(), mode, time);
}

void Sprite::BlitPart(int x, int y, int w, int h, Sprite& src, int sx, int sy, std::uint32_t mode, int time) {
    StretchBlit(x, y, w, h, src, sx, sy, w, h, mode, time);
}

void Sprite::BlitScaled(int x, int y, int w, int h, Sprite& src, int sx, int sy, int sw, int sh, std::uint32_t mode,
                        int time) {
    if (w == 0 || h == 0 || sw == 0 || sh == 0) return;
    StretchBlit(x, y, w, h, src, sx, sy, sw, sh, mode, time);
}

void Sprite::StretchBlit(int x, int y, int w, int h, Sprite& src, int sx, int sy, int sw, int sh, std::uint32_t mode,
                         int time) {
    // Negative sizes would mirror or step backwards through memory; the game
    // never asks for that, so they draw nothing, like zero sizes.
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    const std::int64_t gx = (std::int64_t(sw) << 16) / w;
    const std::int64_t gy = (std::int64_t(sh) << 16) / h;

    // Clip the destination and move the source edges with it, so a clipped
    // blit shows the same pixels as the unclipped one would there.
    const ClipRect area = drawableArea();
    std::int64_t left = x, top = y, right = std::int64_t(x) + w, bottom = std::int64_t(y) + h;
    Wide srcLeft = sx, srcTop = sy, srcRight = std::int64_t(sx) + sw, srcBottom = std::int64_t(sy) + sh;
    if (left < area.left) {
        srcLeft += (Wide(area.left - left) * gx) >> 16;
        left = area.left;
    }
    if (top < area.top) {
        srcTop += (Wide(area.top - top) * gy) >> 16;
        top = area.top;
    }
    if (right > area.right) {
        srcRight += (Wide(area.right - right) * gx) >> 16;
        right = area.right;
    }
    if (bottom > area.bottom) {
        srcBottom += (Wide(area.bottom - bottom) * gy) >> 16;
        bottom = area.bottom;
    }
    if (left >= right || top >= bottom) return;

    const int frameOffset = src.frameRow(time);
    const bool alphaPath = (mode & alphaModes) != 0 && src.hasAlphaPlane();
    const bool additive = !alphaPath && (mode & BLEND_ADD) != 0;

    if (!alphaPath && !additive && surface_ && src.surface_) {
        Unlock();
        src.Unlock();
        const platform::Rect rDst{int(left), int(top), int(right), int(bottom)};
        const platform::Rect rSrc{toInt(limitSourceEdge(srcLeft)), toInt(limitSourceEdge(srcTop + frameOffset)),
                                  toInt(limitSourceEdge(srcRight)), toInt(limitSourceEdge(srcBottom + frameOffset))};
        DD_REPORT(surface_->blt(rDst, *src.surface_, rSrc, src.bMask ? OP_MASK : 0),
                  "pDst->lpSurface->Blt( &rDst, pSrc->lpSurface, &rSrc, pSrc->bMask?OP_MASK:0, NULL )", 118);
        return;
    }

    if (!lockForSoftware() || !src.lockForSoftware()) return;
    BlitPlan plan;
    plan.dstLeft = int(left);
    plan.dstTop = int(top);
    plan.gx = gx;
    plan.gy = gy;
    plan.srcX16 = limitSourceEdge(srcLeft) << 16;
    plan.srcY16 = limitSourceEdge(srcTop + frameOffset) << 16;
    plan.cols = validSteps(plan.srcX16, gx, int(right - left), src.memoryWidth_);
    plan.rows = validSteps(plan.srcY16, gy, int(bottom - top), src.memoryRows_);
    if (alphaPath) {
        withChannelMasks(currentPixelFormat(), [&](const auto& m) {
            forEachSample(plan, *this, src, [&m](std::uint16_t& d, const std::uint16_t* s, const std::uint8_t* a, int i) {
                // Selects rather than branches, so the loop vectorises:
                // 240 and over copies, 16 to 239 blends, below leaves d.
                const std::int32_t alpha = a[i];
                const std::uint16_t p = s[i];
                const std::uint16_t blended = blendPixel(d, p, alpha, m);
                d = alpha >= 240 ? p : alpha >= 16 ? blended : d;
            });
        });
    } else if (additive) {
        withChannelMasks(currentPixelFormat(), [&](const auto& m) {
            forEachSample(plan, *this, src, [&m](std::uint16_t& d, const std::uint16_t* s, const std::uint8_t*, int i) {
                // Written as a select so the loop needs no branch per pixel.
                const std::uint16_t p = s[i];
                const std::uint16_t sum = addPixel(d, p, m);
                d = p != 0 ? sum : d;
            });
        });
    } else {
        forEachSample(plan, *this, src,
                      [](std::uint16_t& d, const std::uint16_t* s, const std::uint8_t*, int i) { d = s[i]; });
    }
}
