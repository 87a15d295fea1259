// Blits that work with the alpha plane beyond the general blit: the faded
// blit and the blits that carry the source's alpha plane over.

#include <algorithm>
#include <cstring>

#include "graphics/channel_arithmetic.h"
#include "graphics/sprite.h"

void Sprite::BlitFaded(int x, int y, Sprite& src, int alpha, int time) {
    if (alpha <= 15) return;
    if (alpha >= 240) {
        Blit(x, y, src, BLEND_NORMAL, time);
        return;
    }
    // Callers keep faded sprites on screen, but nothing stops one sliding off
    // an edge: keep to this sprite's memory (not its clip rectangle, which the
    // faded blit never honoured).
    const int frameTop = src.frameRow(time);
    const int srcWidth = std::min(src.width_, src.memoryWidth_);
    const int srcHeight = std::min(src.height_, src.memoryRows_ - frameTop);
    const int x0 = int(std::max<std::int64_t>(x, 0));
    const int x1 = int(std::min<std::int64_t>(std::int64_t(x) + srcWidth, memoryWidth_));
    const int y0 = int(std::max<std::int64_t>(y, 0));
    const int y1 = int(std::min<std::int64_t>(std::int64_t(y) + srcHeight, memoryRows_));
    if (x0 >= x1 || y0 >= y1) return;
    if (!lockForSoftware() || !src.lockForSoftware()) return;

    withChannelMasks(currentPixelFormat(), [&](const auto& m) {
    for (int dy = y0; dy < y1; ++dy) {
        const int sy = frameTop + (dy - y);
        std::uint16_t* d = row(dy);
        const std::uint16_t* s = src.row(sy);
        if (const std::uint8_t* a = src.alpha_ ? src.alphaRow(sy) : nullptr) {
            for (int dx = x0; dx < x1; ++dx) {
                const std::int32_t k = (a[dx - x] * alpha) >> 8;
                if (k > 15) d[dx] = blendPixel(d[dx], s[dx - x], k, m);
            }
        } else {
            // A picture without an alpha plane fades as a whole, its colour
            // key staying transparent.
            const std::int32_t k = (255 * alpha) >> 8;
            for (int dx = x0; dx < x1; ++dx) {
                const std::uint16_t p = s[dx - x];
                if (src.bMask && p == 0) continue;
                d[dx] = blendPixel(d[dx], p, k, m);
            }
        }
    }
    });
}

Sprite::PartSpan Sprite::partSpan(int x, int y, const Sprite& src, int sx, int sy, int w, int h) const {
    PartSpan span;
    span.j0 = std::max<std::int64_t>({0, -std::int64_t(x), -std::int64_t(sx)});
    span.j1 = std::min<std::int64_t>({w, std::int64_t(memoryWidth_) - x, std::int64_t(src.memoryWidth_) - sx});
    span.i0 = std::max<std::int64_t>({0, -std::int64_t(y), -std::int64_t(sy)});
    span.i1 = std::min<std::int64_t>({h, std::int64_t(memoryRows_) - y, std::int64_t(src.memoryRows_) - sy});
    return span;
}

void Sprite::copyAlphaRows(int x, int y, const Sprite& src, int sx, int sy, int w, int h) {
    if (!alpha_ || !src.alpha_ || w <= 0 || h <= 0) return;
    const PartSpan span = partSpan(x, y, src, sx, sy, w, h);
    if (span.empty()) return;
    for (std::int64_t i = span.i0; i < span.i1; ++i) {
        std::memcpy(alphaRow(int(y + i)) + x + span.j0, src.alphaRow(int(sy + i)) + sx + span.j0,
                    std::size_t(span.j1 - span.j0));
    }
}

void Sprite::MergePartWithAlpha(int x, int y, Sprite& src, int sx, int sy, int w, int h) {
    if (!alpha_ || !src.alpha_) {
        BlitPartWithAlpha(x, y, src, sx, sy, w, h);
        return;
    }
    if (w <= 0 || h <= 0 || !lockForSoftware() || !src.lockForSoftware()) return;
    const PartSpan span = partSpan(x, y, src, sx, sy, w, h);
    if (span.empty()) return;
    for (std::int64_t i = span.i0; i < span.i1; ++i) {
        std::uint16_t* d = row(int(y + i));
        std::uint8_t* da = alphaRow(int(y + i));
        const std::uint16_t* s = src.row(int(sy + i));
        const std::uint8_t* sa = src.alphaRow(int(sy + i));
        for (std::int64_t j = span.j0; j < span.j1; ++j) {
            if (sa[sx + j] <= da[x + j]) continue;
            d[x + j] = s[sx + j];
            da[x + j] = sa[sx + j];
        }
    }
}

void Sprite::BlitWithAlpha(int x, int y, Sprite& src) {
    Blit(x, y, src, BLEND_NORMAL, 0);
    copyAlphaRows(x, y, src, 0, 0, src.width_, src.height_);
}

void Sprite::BlitPartWithAlpha(int x, int y, Sprite& src, int sx, int sy, int w, int h) {
    BlitScaled(x, y, w, h, src, sx, sy, w, h, BLEND_NORMAL, 0);
    copyAlphaRows(x, y, src, sx, sy, w, h);
}

void Sprite::CopyPartWithAlpha(int x, int y, Sprite& src, int sx, int sy, int w, int h) {
    BlitPart(x, y, w, h, src, sx, sy, 0, 0);
    copyAlphaRows(x, y, src, sx, sy, w, h);
}
