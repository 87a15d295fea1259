#pragma once
// A picture as the generator draws it: premultiplied-free ARGB pixels, top
// row first, frames stacked vertically like the game's sprites.

#include <cstdint>
#include <vector>

struct Image {
    int width = 0;
    int height = 0;  // height of the whole strip: frameHeight * frames
    int frames = 1;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, not premultiplied

    Image() = default;
    Image(int w, int h, int frameCount = 1, std::uint32_t fill = 0)
        : width(w), height(h * frameCount), frames(frameCount),
          pixels(static_cast<std::size_t>(w) * h * frameCount, fill) {}
    int frameHeight() const { return frames ? height / frames : height; }
    std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
