// Rectangle fills and darkening of a sprite.

#include <algorithm>

#include "graphics/channel_arithmetic.h"
#include "graphics/dd_report.h"
#include "graphics/sprite.h"

namespace {

ClipRect cutTo(const ClipRect& area, int x0, int y0, int x1, int y1) {
    return {std::max(x0, area.left), std::max(y0, area.top), std::min(x1, area.right), std::min(y1, area.bottom)};
}

bool isEmpty(const ClipRect& r) { return r.left >= r.right || r.top >= r.bottom; }

}  // namespace

// Sprites held in plain memory have no surface to fill through.
void Sprite::softwareFill(const ClipRect& area, std::uint16_t color) {
    if (!lockForSoftware()) return;
    for (int y = area.top; y < area.bottom; ++y) std::fill(row(y) + area.left, row(y) + area.right, color);
}

void Sprite::FillRect(int x0, int y0, int x1, int y1, std::uint32_t argb) {
    const ClipRect area = cutTo(drawableArea(), x0, y0, x1, y1);
    const std::uint32_t alpha = argb >> 24;
    const PixelFormat& format = currentPixelFormat();

    // Alpha 0 is opaque too: plain 0x00RRGGBB colours fill solid.
    if (alpha >= 240 || alpha == 0) {
        if (isEmpty(area)) return;
        const std::uint16_t color = colorToPixel(argb, format);
        if (!surface_) {
            softwareFill(area, color);
            return;
        }
        Unlock();
        const platform::Rect rc{area.left, area.top, area.right, area.bottom};
        DD_REPORT(surface_->colorFill(rc, color), "lpSurface->Blt( &rc, NULL, NULL, DDBLT_WAIT|DDBLT_COLORFILL, &ddfx )",
                  365);
        return;
    }

    if (isEmpty(area) || !lockForSoftware()) return;
    const std::uint32_t q32 = colorToPixel(argb, format);
    const std::int32_t a = std::int32_t(alpha);
    withChannelMasks(format, [&](const auto& m) {
        const ChannelMasks q{std::int32_t(q32) & m.red, std::int32_t(q32) & m.green, std::int32_t(q32) & m.blue};
        for (int y = area.top; y < area.bottom; ++y) {
            std::uint16_t* p = row(y);
            for (int x = area.left; x < area.right; ++x) p[x] = mixPixel(p[x], q, a, m);
        }
    });
}

void Sprite::Darken(int x0, int y0, int x1, int y1, int amount) {
    if (amount < 16) return;
    const ClipRect area = cutTo(drawableArea(), x0, y0, x1, y1);
    if (amount >= 240) {
        if (isEmpty(area)) return;
        if (!surface_) {
            softwareFill(area, 0);
            return;
        }
        Unlock();
        const platform::Rect rc{area.left, area.top, area.right, area.bottom};
        DD_REPORT(surface_->colorFill(rc, 0), "lpSurface->Blt( &rc, NULL, NULL, DDBLT_WAIT|DDBLT_COLORFILL, &ddfx )",
                  136);
        return;
    }
    if (isEmpty(area) || !lockForSoftware()) return;
    const std::int32_t k = 255 - amount;
    withChannelMasks(currentPixelFormat(), [&](const auto& m) {
        for (int y = area.top; y < area.bottom; ++y) {
            std::uint16_t* p = row(y);
            for (int x = area.left; x < area.right; ++x) p[x] = darkenPixel(p[x], k, m);
        }
    });
}
