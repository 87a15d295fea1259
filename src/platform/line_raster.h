#pragma once
// Our stand-in for a GDI pen of width 1: MoveToEx then LineTo. As in GDI the
// end point is not drawn, so lines joined end to start never paint a pixel
// twice, and a line of length zero draws nothing.

#include <cstdint>

#include "platform/surface16.h"

namespace platform {

// Draws the line from (x0, y0) towards (x1, y1) into the target, keeping
// within its pixels whatever the coordinates are.
void rasterLine(const SurfaceDC& target, int x0, int y0, int x1, int y1, std::uint16_t color);

}  // namespace platform
