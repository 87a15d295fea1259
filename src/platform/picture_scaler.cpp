#include "platform/picture_scaler.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

// a and b blended, b weighing w / 256; the red and blue channels travel
// together in one multiply, green in another.
inline std::uint32_t blend(std::uint32_t a, std::uint32_t b, std::uint32_t w) {
    const std::uint32_t keep = 256 - w;
    const std::uint32_t redBlue = (((a & 0xFF00FFu) * keep + (b & 0xFF00FFu) * w) >> 8) & 0xFF00FFu;
    const std::uint32_t green = (((a & 0x00FF00u) * keep + (b & 0x00FF00u) * w) >> 8) & 0x00FF00u;
    return redBlue | green;
}

// Two rows blended with one weight, channel by channel: the same sums as
// blend(), in 16-bit lanes the vectoriser packs eight or sixteen to a step.
void blendRows(const std::uint32_t* a, const std::uint32_t* b, std::uint32_t w, std::uint32_t* out, int count) {
    const auto* from = reinterpret_cast<const std::uint8_t*>(a);
    const auto* to = reinterpret_cast<const std::uint8_t*>(b);
    auto* into = reinterpret_cast<std::uint8_t*>(out);
    const std::uint16_t keep = std::uint16_t(256 - w), take = std::uint16_t(w);
    for (int i = 0; i < 4 * count; ++i)
        into[i] = std::uint8_t(std::uint16_t(std::uint16_t(from[i] * keep) + std::uint16_t(to[i] * take)) >> 8);
}

// 5 or 6 bits widened to 8, the top bits repeated below, so full is 255.
inline std::uint32_t widen5(std::uint32_t v) { return (v << 3) | (v >> 2); }
inline std::uint32_t widen6(std::uint32_t v) { return (v << 2) | (v >> 4); }

}  // namespace

PictureScaler::Taps PictureScaler::taps(int pictureSize, int windowSize, bool nearest) {
    Taps t;
    t.first.resize(std::size_t(windowSize));
    t.second.resize(std::size_t(windowSize));
    t.weight.resize(std::size_t(windowSize));
    for (int d = 0; d < windowSize; ++d) {
        // The window pixel's centre in picture pixels, less half a pixel: the
        // picture pixel whose centre lies at or before it, and how far on.
        const std::int64_t at = (std::int64_t(2 * d + 1) * pictureSize * 256) / (2 * std::int64_t(windowSize)) - 128;
        int first = 0, second = 0;
        std::uint32_t weight = 0;
        if (nearest) {
            first = second = std::min(pictureSize - 1, int((std::int64_t(d) * pictureSize) / windowSize));
        } else if (at > 0) {
            first = int(at >> 8);
            weight = std::uint32_t(at & 255);
            second = first + 1;
            if (second >= pictureSize) {
                first = second = pictureSize - 1;
                weight = 0;
            }
        }
        t.first[std::size_t(d)] = first;
        t.second[std::size_t(d)] = second;
        t.weight[std::size_t(d)] = weight;
    }
    return t;
}

void PictureScaler::Taps::reach(int from, int to, int& begin, int& end) const {
    // Both taps only grow along the axis.
    begin = int(std::partition_point(second.begin(), second.end(), [&](int s) { return s < from; }) - second.begin());
    end = int(std::partition_point(first.begin(), first.end(), [&](int f) { return f < to; }) - first.begin());
}

void PictureScaler::setGeometry(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight,
                                Scaling scaling) {
    if (fit_.pictureWidth == pictureWidth && fit_.pictureHeight == pictureHeight && fit_.windowWidth == windowWidth &&
        fit_.windowHeight == windowHeight && scaling_ == scaling)
        return;
    scaling_ = scaling;
    fit_ = fitPicture(pictureWidth, pictureHeight, windowWidth, windowHeight, scaling);
    across_ = taps(pictureWidth, fit_.area.right - fit_.area.left, fit_.wholeMultiple);
    down_ = taps(pictureHeight, fit_.area.bottom - fit_.area.top, fit_.wholeMultiple);
    upper_.assign(across_.first.size(), 0);
    lower_.assign(across_.first.size(), 0);
    widened_.assign(std::size_t(std::max(pictureWidth, 0)), 0);
}

void PictureScaler::blendRow(const std::uint16_t* row, PixelLayout layout, int begin, int end,
                             std::uint32_t* out) {
    // The picture pixels the columns read, widened once each.
    const int from = across_.first[std::size_t(begin)], to = across_.second[std::size_t(end - 1)] + 1;
    std::uint32_t* wide = widened_.data();
    if (layout == PixelLayout::Rgb565) {
        for (int x = from; x < to; ++x) {
            const std::uint32_t v = row[x];
            wide[x] = (widen5(v >> 11) << 16) | (widen6((v >> 5) & 63) << 8) | widen5(v & 31);
        }
    } else {
        for (int x = from; x < to; ++x) {
            const std::uint32_t v = row[x];
            wide[x] = (widen5((v >> 10) & 31) << 16) | (widen5((v >> 5) & 31) << 8) | widen5(v & 31);
        }
    }
    const int* first = across_.first.data();
    const int* second = across_.second.data();
    const std::uint32_t* weight = across_.weight.data();
    for (int d = begin; d < end; ++d) {
        const std::uint32_t a = wide[first[d]], w = weight[d];
        out[d] = w ? blend(a, wide[second[d]], w) : a;
    }
}

Rect PictureScaler::draw(const std::uint16_t* pixels, int pitchBytes, PixelLayout layout, const Rect& changed,
                         WindowPixels& window) {
    if (!pixels || !window.pixels || fit_.empty() || window.width != fit_.windowWidth ||
        window.height != fit_.windowHeight)
        return {};
    const int left = std::max(changed.left, 0), top = std::max(changed.top, 0);
    const int right = std::min(changed.right, fit_.pictureWidth), bottom = std::min(changed.bottom, fit_.pictureHeight);
    if (left >= right || top >= bottom) return {};
    int columnBegin = 0, columnEnd = 0, rowBegin = 0, rowEnd = 0;
    across_.reach(left, right, columnBegin, columnEnd);
    down_.reach(top, bottom, rowBegin, rowEnd);
    if (columnBegin >= columnEnd || rowBegin >= rowEnd) return {};

    auto pictureRow = [&](int y) {
        return reinterpret_cast<const std::uint16_t*>(reinterpret_cast<const std::uint8_t*>(pixels) +
                                                      std::ptrdiff_t(y) * pitchBytes);
    };
    // Neighbouring window rows mostly read the same picture rows: the two
    // blended last are kept.
    int upperRow = -1, lowerRow = -1;
    for (int d = rowBegin; d < rowEnd; ++d) {
        const int first = down_.first[std::size_t(d)], second = down_.second[std::size_t(d)];
        const std::uint32_t w = down_.weight[std::size_t(d)];
        if (upperRow != first) {
            if (lowerRow == first) {
                upper_.swap(lower_);
                std::swap(upperRow, lowerRow);
            } else {
                blendRow(pictureRow(first), layout, columnBegin, columnEnd, upper_.data());
                upperRow = first;
            }
        }
        if (w && lowerRow != second) {
            blendRow(pictureRow(second), layout, columnBegin, columnEnd, lower_.data());
            lowerRow = second;
        }
        auto* out = reinterpret_cast<std::uint32_t*>(reinterpret_cast<std::uint8_t*>(window.pixels) +
                                                     std::ptrdiff_t(fit_.area.top + d) * window.pitchBytes) +
                    fit_.area.left;
        if (w == 0) {
            std::memcpy(out + columnBegin, upper_.data() + columnBegin, std::size_t(columnEnd - columnBegin) * 4);
        } else {
            blendRows(upper_.data() + columnBegin, lower_.data() + columnBegin, w, out + columnBegin,
                      columnEnd - columnBegin);
        }
    }
    return Rect{fit_.area.left + columnBegin, fit_.area.top + rowBegin, fit_.area.left + columnEnd,
                fit_.area.top + rowEnd};
}

void PictureScaler::drawBars(WindowPixels& window) const {
    if (!window.pixels) return;
    for (int y = 0; y < window.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(reinterpret_cast<std::uint8_t*>(window.pixels) +
                                                     std::ptrdiff_t(y) * window.pitchBytes);
        if (y < fit_.area.top || y >= fit_.area.bottom || fit_.empty()) {
            std::fill(row, row + window.width, 0u);
            continue;
        }
        std::fill(row, row + std::min(fit_.area.left, window.width), 0u);
        std::fill(row + std::clamp(fit_.area.right, 0, window.width), row + window.width, 0u);
    }
}

}  // namespace platform
