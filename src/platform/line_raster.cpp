#include "platform/line_raster.h"

#include <algorithm>

namespace platform {

namespace {

using Wide = __int128;

// Steps i along the major axis for which start + i * dir lies in [0, limit).
void majorRange(std::int64_t start, int dir, std::int64_t limit, std::int64_t& first, std::int64_t& last) {
    if (dir > 0) {
        first = -start;
        last = limit - start;
    } else {
        first = start - limit + 1;
        last = start + 1;
    }
}

// Offset along the minor axis at step i: i * minor / major rounded to nearest,
// halves away from the start, the way a midpoint rasteriser walks.
std::int64_t minorOffset(std::int64_t i, std::int64_t minor, std::int64_t major) {
    return std::int64_t((Wide(2) * i * minor + major) / (Wide(2) * major));
}

}  // namespace

void rasterLine(const SurfaceDC& target, int x0, int y0, int x1, int y1, std::uint16_t color) {
    if (!target.pixels || target.width <= 0 || target.height <= 0) return;
    const std::int64_t dx = std::int64_t(x1) - x0, dy = std::int64_t(y1) - y0;
    const std::int64_t ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    const bool xMajor = ax >= ay;
    const std::int64_t steps = xMajor ? ax : ay;  // the end point is step `steps`, not drawn
    if (steps == 0) return;

    std::int64_t first = 0, last = 0;
    if (xMajor) majorRange(x0, sx, target.width, first, last);
    else majorRange(y0, sy, target.height, first, last);
    first = std::max<std::int64_t>(first, 0);
    last = std::min<std::int64_t>(last, steps);

    const std::int64_t stride = target.pitchBytes / 2;
    for (std::int64_t i = first; i < last; ++i) {
        std::int64_t x, y;
        if (xMajor) {
            x = x0 + i * sx;
            y = y0 + sy * minorOffset(i, ay, ax);
        } else {
            y = y0 + i * sy;
            x = x0 + sx * minorOffset(i, ax, ay);
        }
        if (x < 0 || y < 0 || x >= target.width || y >= target.height) continue;
        target.pixels[y * stride + x] = color;
    }
}

}  // namespace platform
