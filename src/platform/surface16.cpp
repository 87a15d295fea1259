#include "platform/surface16.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "platform/row_stretch.h"

namespace platform {

namespace {

// A source pixel outside the key range replaces the destination's. Written
// with masks rather than a condition: the compiler turns a conditional into
// a branch per pixel, the masks into a vector loop.
inline std::uint16_t keyedPixel(std::uint16_t d, std::uint16_t p, std::uint16_t low, std::uint16_t high) {
    const std::uint16_t keep = std::uint16_t(-std::uint16_t(p >= low && p <= high));
    return std::uint16_t((p & ~keep) | (d & keep));
}

[[gnu::noinline]] void copyKeyedRow(std::uint16_t* __restrict d, const std::uint16_t* __restrict s, int count, std::uint16_t low, std::uint16_t high) {
    for (int i = 0; i < count; ++i) d[i] = keyedPixel(d[i], s[i], low, high);
}

}  // namespace

std::int32_t Surface16::create(int width, int height, PixelLayout layout, std::unique_ptr<Surface16>& out) {
    out.reset();
    if (width <= 0 || height <= 0) return DDERR_INVALIDPARAMS;
    if (width > maxEdge) return DDERR_TOOBIGWIDTH;
    if (height > maxEdge) return DDERR_TOOBIGHEIGHT;
    if (std::int64_t(width) * height > maxPixels) return DDERR_TOOBIGSIZE;

    // Rows start on 8-byte boundaries, as a display driver would lay them
    // out; code that assumes pitch == width * 2 shows up on odd widths.
    const int pitchBytes = (width * 2 + 7) & ~7;
    const std::size_t count = std::size_t(pitchBytes / 2) * std::size_t(height);
    // Cleared by calloc: a large block comes as fresh zero pages, so a
    // screen-sized surface costs nothing until something is drawn on it.
    std::unique_ptr<std::uint16_t[], FreeMemory> pixels(
        static_cast<std::uint16_t*>(std::calloc(count, sizeof(std::uint16_t))));
    if (!pixels) return DDERR_OUTOFMEMORY;

    std::unique_ptr<Surface16> surface(new (std::nothrow) Surface16());
    if (!surface) return DDERR_OUTOFMEMORY;
    surface->pixels_ = std::move(pixels);
    surface->width_ = width;
    surface->height_ = height;
    surface->pitchBytes_ = pitchBytes;
    surface->layout_ = layout;
    out = std::move(surface);
    return DD_OK;
}

std::int32_t Surface16::setColorKey(std::uint16_t low, std::uint16_t high) {
    if (low > high) return DDERR_INVALIDPARAMS;
    hasKey_ = true;
    keyLow_ = low;
    keyHigh_ = high;
    return DD_OK;
}

bool Surface16::contains(const Rect& r) const {
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= width_ &&
           r.bottom <= height_;
}

std::int32_t Surface16::colorFill(const Rect& rect, std::uint16_t color) {
    if (busy()) return DDERR_SURFACEBUSY;
    if (!contains(rect)) return DDERR_INVALIDRECT;
    const int count = rect.right - rect.left;
    for (int y = rect.top; y < rect.bottom; ++y) std::fill_n(row(y) + rect.left, count, color);
    return DD_OK;
}

std::int32_t Surface16::blt(const Rect& dst, Surface16& src, const Rect& srcRect, std::uint32_t flags) {
    if (busy() || src.busy()) return DDERR_SURFACEBUSY;
    if (!contains(dst) || !src.contains(srcRect)) return DDERR_INVALIDRECT;
    const bool keyed = (flags & DDBLT_KEYSRC) != 0;
    if (keyed && !src.hasKey_) return DDERR_NOCOLORKEY;

    const int dw = dst.right - dst.left, dh = dst.bottom - dst.top;
    const int sw = srcRect.right - srcRect.left, sh = srcRect.bottom - srcRect.top;

    // A blit within one surface may overlap itself; read from a copy then.
    std::vector<std::uint16_t> copy;
    const std::uint16_t* from = src.pixels_.get() + std::int64_t(srcRect.top) * (src.pitchBytes_ / 2) + srcRect.left;
    std::int64_t fromPitch = src.pitchBytes_ / 2;
    if (&src == this) {
        copy.resize(std::size_t(sw) * std::size_t(sh));
        for (int y = 0; y < sh; ++y) std::memcpy(&copy[std::size_t(y) * sw], from + y * fromPitch, std::size_t(sw) * 2);
        from = copy.data();
        fromPitch = sw;
    }

    const std::int64_t gx = (std::int64_t(sw) << 16) / dw;
    const std::int64_t gy = (std::int64_t(sh) << 16) / dh;
    const std::uint16_t low = src.keyLow_, high = src.keyHigh_;
    std::int64_t previousRow = -1;
    for (int j = 0; j < dh; ++j) {
        const std::int64_t sourceRow = (j * gy) >> 16;
        const std::uint16_t* s = from + sourceRow * fromPitch;
        std::uint16_t* d = row(dst.top + j) + dst.left;
        if (!keyed && sourceRow == previousRow) {
            // Stretched downwards: this row repeats the one above it.
            std::memcpy(d, row(dst.top + j - 1) + dst.left, std::size_t(dw) * 2);
            continue;
        }
        previousRow = sourceRow;
        if (sw == dw && !keyed) {
            std::memcpy(d, s, std::size_t(dw) * 2);
        } else if (sw == dw) {
            copyKeyedRow(d, s, dw, low, high);
        } else if (!keyed) {
            forEachStretchedSample(dw, 0, gx, [d, s](int i, int from) { d[i] = s[from]; });
        } else {
            forEachStretchedSample(dw, 0, gx,
                                   [d, s, low, high](int i, int from) { d[i] = keyedPixel(d[i], s[from], low, high); });
        }
    }
    return DD_OK;
}

std::int32_t Surface16::lock(std::uint16_t*& pixels, int& pitchBytes) {
    if (busy()) return DDERR_SURFACEBUSY;
    locked_ = true;
    pixels = pixels_.get();
    pitchBytes = pitchBytes_;
    return DD_OK;
}

std::int32_t Surface16::unlock() {
    if (!locked_) return DDERR_NOTLOCKED;
    locked_ = false;
    return DD_OK;
}

std::int32_t Surface16::getDC(SurfaceDC& dc) {
    if (dcOut_) return DDERR_DCALREADYCREATED;
    if (locked_) return DDERR_SURFACEBUSY;
    dcOut_ = true;
    dc.pixels = pixels_.get();
    dc.pitchBytes = pitchBytes_;
    dc.width = width_;
    dc.height = height_;
    return DD_OK;
}

std::int32_t Surface16::releaseDC() {
    if (!dcOut_) return DDERR_NODC;
    dcOut_ = false;
    return DD_OK;
}

}  // namespace platform
