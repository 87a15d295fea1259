// A sprite turned about its centre, drawn as two textured triangles.

#include <algorithm>
#include <cmath>
#include <limits>

#include "graphics/sprite.h"
#include "graphics/trig_tables.h"

namespace {

// 256 steps per turn: 256 / (2 pi).
constexpr double stepsPerRadian = 40.743664;

int tableIndex(float angle) {
    double steps = std::trunc(double(angle) * stepsPerRadian);
    if (!std::isfinite(steps)) return 0;
    // Whole turns do not change the index; dropping them first keeps the
    // conversion defined for any angle.
    if (std::fabs(steps) > 1e9) steps = std::fmod(steps, 256.0);
    return int(std::int64_t(steps) & 255);
}

int offsetCoordinate(int centre, double offset) {
    const double v = double(centre) + double(std::lround(offset));
    return int(std::clamp(v, double(std::numeric_limits<int>::min()), double(std::numeric_limits<int>::max())));
}

}  // namespace

void Sprite::BlitRotated(int cx, int cy, Sprite& src, float angle) {
    const int index = tableIndex(angle);
    const float s = sinTable[index], c = cosTable[index];
    const int hw = src.width() / 2, hh = src.height() / 2;
    const int cornerX[4] = {-hw, hw, hw, -hw};
    const int cornerY[4] = {-hh, -hh, hh, hh};
    int x[4], y[4];
    for (int i = 0; i < 4; ++i) {
        x[i] = offsetCoordinate(cx, cornerX[i] * c - cornerY[i] * s);
        y[i] = offsetCoordinate(cy, cornerX[i] * s + cornerY[i] * c);
    }
    DrawTexturedTriangle(BLEND_NORMAL, src, x[0], y[0], x[1], y[1], x[2], y[2], 0, 0, 1, 0, 1, 1, 0);
    DrawTexturedTriangle(BLEND_NORMAL, src, x[0], y[0], x[2], y[2], x[3], y[3], 0, 0, 1, 1, 0, 1, 0);
}
