#include "platform/frame_changes.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

// Whether n pixels differ, eight bytes at a time.
bool differ(const std::uint16_t* a, const std::uint16_t* b, int n) {
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        std::uint64_t x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) return true;
    }
    for (; i < n; ++i)
        if (a[i] != b[i]) return true;
    return false;
}

}  // namespace

std::vector<Rect> FrameChanges::take(const std::uint16_t* pixels, int width, int height, int pitchBytes,
                                     const Rect& clip, bool everything) {
    std::vector<Rect> changed;
    if (!pixels || width <= 0 || height <= 0) return changed;
    const Rect area{std::max(clip.left, 0), std::max(clip.top, 0), std::min(clip.right, width),
                    std::min(clip.bottom, height)};
    if (area.left >= area.right || area.top >= area.bottom) return changed;
    if (width != width_ || height != height_) {
        shown_.assign(std::size_t(width) * std::size_t(height), 0);
        width_ = width;
        height_ = height;
        everything = true;
    }

    const int tiles = (width + kTileWidth - 1) / kTileWidth;
    const int firstTile = area.left / kTileWidth, endTile = (area.right + kTileWidth - 1) / kTileWidth;
    dirty_.assign(std::size_t(tiles), 0);
    // The changed runs of the tile row above, to join with this one's.
    std::vector<std::size_t> above;

    for (int tileTop = area.top - area.top % kTileHeight; tileTop < area.bottom; tileTop += kTileHeight) {
        std::fill(dirty_.begin(), dirty_.end(), 0);
        const int rowTop = std::max(tileTop, area.top), rowBottom = std::min(tileTop + kTileHeight, area.bottom);
        bool any = false;
        for (int y = rowTop; y < rowBottom; ++y) {
            const auto* row = reinterpret_cast<const std::uint16_t*>(reinterpret_cast<const std::uint8_t*>(pixels) +
                                                                     std::ptrdiff_t(y) * pitchBytes);
            std::uint16_t* kept = shown_.data() + std::size_t(y) * std::size_t(width);
            const std::size_t span = std::size_t(area.right - area.left) * 2;
            if (!everything && std::memcmp(row + area.left, kept + area.left, span) == 0) continue;
            for (int t = firstTile; t < endTile; ++t) {
                if (dirty_[std::size_t(t)]) continue;
                const int from = std::max(t * kTileWidth, area.left);
                const int to = std::min((t + 1) * kTileWidth, area.right);
                if (everything || differ(row + from, kept + from, to - from))
                    dirty_[std::size_t(t)] = 1;
            }
            std::memcpy(kept + area.left, row + area.left, span);
            any = true;
        }
        std::vector<std::size_t> here;
        if (any) {
            for (int t = firstTile; t < endTile;) {
                if (!dirty_[std::size_t(t)]) {
                    ++t;
                    continue;
                }
                int end = t;
                while (end < endTile && dirty_[std::size_t(end)]) ++end;
                const Rect run{std::max(t * kTileWidth, area.left), rowTop, std::min(end * kTileWidth, area.right),
                               rowBottom};
                // The same run in the tile row above grows down instead.
                auto same = std::find_if(above.begin(), above.end(), [&](std::size_t i) {
                    return changed[i].left == run.left && changed[i].right == run.right;
                });
                if (same != above.end()) {
                    changed[*same].bottom = run.bottom;
                    here.push_back(*same);
                } else {
                    here.push_back(changed.size());
                    changed.push_back(run);
                }
                t = end;
            }
        }
        above.swap(here);
    }
    return changed;
}

}  // namespace platform
