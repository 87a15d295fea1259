#pragma once
// Nearest-sample stepping shared by the software blits: 16.16 fixed-point
// source positions advanced by a constant step per destination pixel, and
// the part of a destination run whose samples fall inside the source. Along
// a row the loop suits the step (platform/row_stretch.h): whole enlargements
// write each source pixel several times, other steps advance by addition.

#include <algorithm>
#include <cstdint>

#include "graphics/sprite.h"
#include "platform/row_stretch.h"

// Destination steps [first, last) whose samples lie inside the source.
struct StepRange {
    int first = 0, last = 0;
};

// Steps i in [0, count) with ((start + i * step) >> 16) in [0, limit); step >= 0.
// Working out the range up front keeps the inner loops free of bounds checks.
inline StepRange validSteps(std::int64_t start, std::int64_t step, int count, int limit) {
    auto ceilDiv = [](std::int64_t n, std::int64_t d) { return n / d + (n % d != 0 ? 1 : 0); };
    std::int64_t first = 0, last = count;
    if (step == 0) {
        const std::int64_t sample = start >> 16;
        if (sample < 0 || sample >= limit) last = 0;
    } else {
        if (start < 0) first = ceilDiv(-start, step);
        const std::int64_t room = (std::int64_t(limit) << 16) - start;
        last = room <= 0 ? 0 : std::min<std::int64_t>(last, ceilDiv(room, step));
    }
    StepRange range;
    range.first = int(std::clamp<std::int64_t>(first, 0, count));
    range.last = int(std::clamp<std::int64_t>(last, range.first, count));
    return range;
}

inline std::uint16_t* pixelRow(const Sprite& sprite, int y) {
    return reinterpret_cast<std::uint16_t*>(reinterpret_cast<std::uint8_t*>(sprite.pixels()) +
                                            std::int64_t(y) * sprite.pitch());
}

inline const std::uint8_t* alphaRowOf(const Sprite& sprite, int y) {
    return sprite.alphaPlane() ? sprite.alphaPlane() + std::int64_t(y) * sprite.width() : nullptr;
}

// A clipped destination rectangle and where its samples come from.
struct BlitPlan {
    int dstLeft = 0, dstTop = 0;
    std::int64_t srcX16 = 0, srcY16 = 0;  // source position of the first pixel, 16.16
    std::int64_t gx = 0, gy = 0;          // source step per destination pixel, 16.16
    StepRange cols, rows;
};

// Calls op(destination pixel, source row, alpha row or null, source column)
// for every destination pixel of the plan. Both sprites are locked.
template <typename Op>
void forEachSample(const BlitPlan& plan, const Sprite& dst, const Sprite& src, Op op) {
    for (int j = plan.rows.first; j < plan.rows.last; ++j) {
        const int sy = int((plan.srcY16 + j * plan.gy) >> 16);
        std::uint16_t* d = pixelRow(dst, plan.dstTop + j) + plan.dstLeft;
        const std::uint16_t* s = pixelRow(src, sy);
        const std::uint8_t* a = alphaRowOf(src, sy);
        std::uint16_t* run = d + plan.cols.first;
        platform::forEachStretchedSample(plan.cols.last - plan.cols.first, plan.srcX16 + plan.cols.first * plan.gx,
                                         plan.gx, [&](int i, int from) { op(run[i], s, a, from); });
    }
}
