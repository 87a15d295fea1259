#pragma once
// Nearest-sample stepping along one row, shared by the surface blit and the
// sprite blits. Destination pixel i samples source pixel (u + i * step) >> 16
// (16.16 fixed point), exactly as a per-pixel loop would; only the loop
// changes with the step:
//
//   step 1.0          one sample per pixel, in order
//   step 1/2, 1/4 ... whole enlargements: each source pixel is read once and
//                     written 2, 4, ... times (the doubling loop vectorises)
//   any other step    the position advances by addition, never a division
//
// A step of 1/3 is not a whole factor here: 65536 / 3 is truncated, so its
// runs are not all three pixels long, and the stepping loop keeps them exact.

#include <bit>
#include <cstdint>

namespace platform {

// Calls sample(i, sourceIndex) for i in [0, count). A step of 0 or less
// (hostile sizes can make one) samples as the plain per-pixel loop does.
template <typename Sample>
inline void forEachStretchedSample(int count, std::int64_t u, std::int64_t step, Sample sample) {
    if (step == 0x10000) {
        const int offset = int(u >> 16);
        for (int i = 0; i < count; ++i) sample(i, offset + i);
        return;
    }
    int i = 0;
    if (step > 0 && step < 0x10000 && (step & (step - 1)) == 0) {
        // Single pixels until a source pixel's first sample, then whole runs
        // of `factor` pixels, then the rest one by one.
        const int shift = 16 - std::countr_zero(std::uint64_t(step));
        const int factor = 1 << shift;
        for (; i < count && (u & 0xFFFF) != 0; ++i, u += step) sample(i, int(u >> 16));
        const int runs = (count - i) >> shift;
        const int first = int(u >> 16);
        if (factor == 2) {
            for (int j = 0; j < runs; ++j) {
                sample(i + 2 * j, first + j);
                sample(i + 2 * j + 1, first + j);
            }
        } else {
            for (int j = 0; j < runs; ++j)
                for (int k = 0; k < factor; ++k) sample(i + j * factor + k, first + j);
        }
        i += runs * factor;
        u += std::int64_t(runs) << 16;
    }
    for (; i < count; ++i, u += step) sample(i, int(u >> 16));
}

}  // namespace platform
