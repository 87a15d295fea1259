// Lines, drawn the way a GDI pen of width 1 draws them: through the
// surface's device context, over the whole surface (the sprite's clip
// rectangle is ours, not the device context's), end point left out.

#include "graphics/dd_report.h"
#include "graphics/pixel_format.h"
#include "graphics/sprite.h"
#include "platform/line_raster.h"

void Sprite::DrawLine(int x0, int y0, int x1, int y1, std::int32_t colorref) {
    // COLORREF is 0x00BBGGRR. Without a pen of our own the device context's
    // default pen, black, draws the line.
    std::uint32_t rgb = 0;
    if (colorref >= 0) {
        const std::uint32_t c = std::uint32_t(colorref);
        rgb = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    const std::uint16_t color = colorToPixel(rgb, currentPixelFormat());

    if (!surface_) {
        if (!pixels_) return;
        platform::rasterLine({pixels_, pitch_, memoryWidth_, memoryRows_}, x0, y0, x1, y1, color);
        return;
    }
    Unlock();
    platform::SurfaceDC dc;
    const std::int32_t hr = surface_->getDC(dc);
    DD_REPORT(hr, "RenderSurface->lpSurface->GetDC( &hDCBack )", 18);
    if (hr == 0) {
        platform::rasterLine(dc, x0, y0, x1, y1, color);
        DD_REPORT(surface_->releaseDC(), "RenderSurface->lpSurface->ReleaseDC( hDCBack )", 28);
    }
    Lock();
}
