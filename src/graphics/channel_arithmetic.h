#pragma once
// Per-channel arithmetic on packed 16-bit pixels, through the channel masks
// of the current format. Each channel is worked on in place (still shifted),
// so one multiply per channel and no unpacking.

#include <cstdint>

#include "graphics/pixel_format.h"

// Masks known only at run time (any format).
struct ChannelMasks {
    std::int32_t red, green, blue;
};

inline ChannelMasks channelMasks(const PixelFormat& f) {
    return {std::int32_t(f.redMask), std::int32_t(f.greenMask), std::int32_t(f.blueMask)};
}

// The two formats we compose in, with masks the compiler can see, so the
// per-pixel loops vectorise. The arithmetic is the same for all three.
//
// For these the channels are taken out unshifted, so every intermediate of
// the arithmetic fits 16 bits and eight pixels go through one vector. The
// results are the same as the masked forms bit for bit: each masked form is
// the channel value times 2^shift, floored the same way.
struct Masks565 {
    static constexpr std::int32_t red = 0xF800, green = 0x07E0, blue = 0x001F;
    static constexpr int redShift = 11, greenShift = 5, blueShift = 0;
    static constexpr std::uint16_t redMax = 31, greenMax = 63, blueMax = 31;
};
struct Masks555 {
    static constexpr std::int32_t red = 0x7C00, green = 0x03E0, blue = 0x001F;
    static constexpr int redShift = 10, greenShift = 5, blueShift = 0;
    static constexpr std::uint16_t redMax = 31, greenMax = 31, blueMax = 31;
};

template <typename M>
concept UnshiftedChannels = requires { M::redShift; };

// Applies op(channel of d, channel of s, channel max) to each channel and
// packs the results; op must keep its result within the channel.
template <typename M, typename Op>
inline std::uint16_t perChannel(std::uint16_t d, std::uint16_t s, Op op) {
    const std::uint16_t r = op(std::uint16_t((d >> M::redShift) & M::redMax),
                               std::uint16_t((s >> M::redShift) & M::redMax), M::redMax);
    const std::uint16_t g = op(std::uint16_t((d >> M::greenShift) & M::greenMax),
                               std::uint16_t((s >> M::greenShift) & M::greenMax), M::greenMax);
    const std::uint16_t b = op(std::uint16_t((d >> M::blueShift) & M::blueMax),
                               std::uint16_t((s >> M::blueShift) & M::blueMax), M::blueMax);
    return std::uint16_t((r << M::redShift) | (g << M::greenShift) | (b << M::blueShift));
}

// Calls fn with the masks of the format, as compile-time constants when the
// format is one of ours.
template <typename Fn>
void withChannelMasks(const PixelFormat& f, Fn&& fn) {
    if (f.redMask == 0xF800 && f.greenMask == 0x07E0 && f.blueMask == 0x001F) fn(Masks565{});
    else if (f.redMask == 0x7C00 && f.greenMask == 0x03E0 && f.blueMask == 0x001F) fn(Masks555{});
    else fn(channelMasks(f));
}

// d moved towards s by a/256. The sum is masked as a whole: masking only the
// (negative) step would carry a bit into the next channel up whenever a
// channel darkens, tinting every translucent edge.
inline std::int32_t blendChannel(std::int32_t d, std::int32_t s, std::int32_t a, std::int32_t m) {
    const std::int32_t dm = d & m;
    return (dm + ((((s & m) - dm) * a) >> 8)) & m;
}

template <typename M>
inline std::uint16_t blendPixel(std::uint32_t d, std::uint32_t s, std::int32_t a, const M& m) {
    if constexpr (UnshiftedChannels<M>) {
        const std::uint16_t keep = std::uint16_t(256 - a), take = std::uint16_t(a);
        return perChannel<M>(std::uint16_t(d), std::uint16_t(s), [=](std::uint16_t cd, std::uint16_t cs, std::uint16_t) {
            return std::uint16_t(std::uint16_t(cd * keep + cs * take) >> 8);
        });
    }
    const std::int32_t di = std::int32_t(d), si = std::int32_t(s);
    return std::uint16_t(blendChannel(di, si, a, m.red) | blendChannel(di, si, a, m.green) |
                         blendChannel(di, si, a, m.blue));
}

// Saturating add per channel.
inline std::int32_t addChannel(std::int32_t d, std::int32_t s, std::int32_t m) {
    const std::int32_t sum = (d & m) + (s & m);
    return sum > m ? m : sum;
}

template <typename M>
inline std::uint16_t addPixel(std::uint32_t d, std::uint32_t s, const M& m) {
    if constexpr (UnshiftedChannels<M>) {
        return perChannel<M>(std::uint16_t(d), std::uint16_t(s), [](std::uint16_t cd, std::uint16_t cs, std::uint16_t max) {
            const std::uint16_t sum = std::uint16_t(cd + cs);
            return sum > max ? max : sum;
        });
    }
    const std::int32_t di = std::int32_t(d), si = std::int32_t(s);
    return std::uint16_t(addChannel(di, si, m.red) | addChannel(di, si, m.green) | addChannel(di, si, m.blue));
}

// Every channel scaled by k/256.
template <typename M>
inline std::uint16_t darkenPixel(std::uint32_t d, std::int32_t k, const M& m) {
    if constexpr (UnshiftedChannels<M>) {
        const std::uint16_t k16 = std::uint16_t(k);
        return perChannel<M>(std::uint16_t(d), 0, [=](std::uint16_t cd, std::uint16_t, std::uint16_t) {
            return std::uint16_t(std::uint16_t(cd * k16) >> 8);
        });
    }
    const std::int32_t di = std::int32_t(d);
    return std::uint16_t((((di & m.red) * k) >> 8 & m.red) | (((di & m.green) * k) >> 8 & m.green) |
                         (((di & m.blue) * k) >> 8 & m.blue));
}

// d mixed with a fill colour whose channels q are already in place.
inline std::int32_t mixChannel(std::int32_t d, std::int32_t q, std::int32_t a, std::int32_t m) {
    return (((a * q + (255 - a) * (d & m)) & 0xFFFFFF) >> 8) & m;
}

template <typename M>
inline std::uint16_t mixPixel(std::uint32_t d, const ChannelMasks& q, std::int32_t a, const M& m) {
    if constexpr (UnshiftedChannels<M>) {
        const std::uint16_t keep = std::uint16_t(255 - a);
        const std::uint16_t qr = std::uint16_t(a * (q.red >> M::redShift));
        const std::uint16_t qg = std::uint16_t(a * (q.green >> M::greenShift));
        const std::uint16_t qb = std::uint16_t(a * (q.blue >> M::blueShift));
        const std::uint16_t d16 = std::uint16_t(d);
        const std::uint16_t r = std::uint16_t(qr + ((d16 >> M::redShift) & M::redMax) * keep) >> 8;
        const std::uint16_t g = std::uint16_t(qg + ((d16 >> M::greenShift) & M::greenMax) * keep) >> 8;
        const std::uint16_t b = std::uint16_t(qb + ((d16 >> M::blueShift) & M::blueMax) * keep) >> 8;
        return std::uint16_t((r << M::redShift) | (g << M::greenShift) | (b << M::blueShift));
    }
    const std::int32_t di = std::int32_t(d);
    return std::uint16_t(mixChannel(di, q.red, a, m.red) | mixChannel(di, q.green, a, m.green) |
                         mixChannel(di, q.blue, a, m.blue));
}
