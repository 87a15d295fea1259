#pragma once
// What changed in the picture since it was last shown. The game composes
// every frame afresh, but from one frame to the next most of it stays the
// same (a falling flake, a draining time bar); showing only the changed
// parts spares the conversion, the scaling and the copy of all the rest.
//
// The picture is compared with a copy of the one last shown, row by row, and
// the changes are gathered into tiles of kTileWidth x kTileHeight pixels,
// handed back as rectangles: neighbouring changed tiles of a tile row join,
// and rows of tiles with the same extent join below each other.

#include <cstdint>
#include <vector>

#include "platform/backend.h"

namespace platform {

class FrameChanges {
public:
    static constexpr int kTileWidth = 16;
    static constexpr int kTileHeight = 8;

    // Compares the part of the picture inside `clip` with the picture last
    // shown, takes it as the one shown, and returns the rectangles that
    // differ (empty when nothing does). With `everything`, after a change of
    // size or before anything was shown, the whole clip counts as changed.
    std::vector<Rect> take(const std::uint16_t* pixels, int width, int height, int pitchBytes, const Rect& clip,
                           bool everything);

private:
    std::vector<std::uint16_t> shown_;
    int width_ = 0, height_ = 0;
    std::vector<std::uint8_t> dirty_;  // one flag per tile of the current tile row
};

}  // namespace platform
