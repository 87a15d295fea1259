#include "ui/focus_mark.h"

#include <cstdint>

#include "graphics/sprite.h"

namespace {

constexpr int kBreathMs = 1200;
// From the control's edge outwards: a gap of two pixels, a dark line, the
// gold band of two pixels (deep gold outside, bright gold inside), another
// dark line.
constexpr int kGap = 2;
constexpr int kDiamondRadius = 4;
constexpr std::uint32_t kShadow = 0xB4140A04u;
constexpr std::uint32_t kDeepGold = 0xFFB27A1Cu;
constexpr std::uint32_t kDiamondEdge = 0xFF2A1204u;
constexpr std::uint32_t kDiamondLight = 0xFFFFF4CCu;

// One line of a frame, a pixel wide, its four corner pixels left out so the
// frame reads as rounded.
void roundedLine(Sprite& target, int x0, int y0, int x1, int y1, std::uint32_t argb) {
    target.FillRect(x0 + 1, y0, x1 - 1, y0 + 1, argb);
    target.FillRect(x0 + 1, y1 - 1, x1 - 1, y1, argb);
    target.FillRect(x0, y0 + 1, x0 + 1, y1 - 1, argb);
    target.FillRect(x1 - 1, y0 + 1, x1, y1 - 1, argb);
}

// A diamond of the given radius centred on (cx, cy), row by row.
void diamond(Sprite& target, int cx, int cy, int radius, std::uint32_t argb) {
    for (int dy = -radius; dy <= radius; ++dy) {
        const int half = radius - (dy < 0 ? -dy : dy);
        target.FillRect(cx - half, cy + dy, cx + half + 1, cy + dy + 1, argb);
    }
}

// The small gold diamond the game's rules and frames carry as ornament.
void ornament(Sprite& target, int cx, int cy, std::uint32_t gold) {
    diamond(target, cx, cy, kDiamondRadius, kDiamondEdge);
    diamond(target, cx, cy, kDiamondRadius - 1, gold);
    diamond(target, cx, cy, 1, kDiamondLight);
}

// Bright gold breathing towards pale gold and back.
std::uint32_t breathingGold(int clock) {
    const int phase = static_cast<int>(static_cast<std::uint32_t>(clock) % kBreathMs);
    const int half = kBreathMs / 2;
    const int level = (phase < half ? phase : kBreathMs - phase) * 255 / half;
    const auto mix = [level](int from, int to) { return static_cast<std::uint32_t>(from + (to - from) * level / 255); };
    return 0xFF000000u | mix(0xF0, 0xFF) << 16 | mix(0xC0, 0xEC) << 8 | mix(0x40, 0x9C);
}

}  // namespace

void drawFocusMark(Sprite& target, int x, int y, int w, int h, int clock) {
    if (w <= 0 || h <= 0) return;
    const std::uint32_t gold = breathingGold(clock);
    // Edge n lies n pixels outside the control (n = 1 is the first pixel out).
    const auto line = [&](int n, std::uint32_t argb) { roundedLine(target, x - n, y - n, x + w + n, y + h + n, argb); };
    line(kGap + 1, kShadow);
    line(kGap + 2, gold);
    line(kGap + 3, kDeepGold);
    line(kGap + 4, kShadow);
    const int cx = x + w / 2;
    ornament(target, cx, y - kGap - 3, gold);
    ornament(target, cx, y + h + kGap + 2, gold);
}
