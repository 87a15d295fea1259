#pragma once
// Helpers for the graphics tests: sprites made in a chosen format, and
// reading and writing single pixels whether a sprite is locked or not.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "graphics/pixel_format.h"
#include "graphics/sprite.h"

inline const PixelFormat& format565() { return pixelFormatTable[0]; }
inline const PixelFormat& format555() { return pixelFormatTable[1]; }

inline std::uint16_t pixelAt(const Sprite& sprite, int x, int y) {
    int pitch = 0;
    const std::uint16_t* p = sprite.readablePixels(pitch);
    if (!p) {
        ADD_FAILURE() << "sprite has no pixels";
        return 0;
    }
    return reinterpret_cast<const std::uint16_t*>(reinterpret_cast<const std::uint8_t*>(p) + y * pitch)[x];
}

inline void setPixel(Sprite& sprite, int x, int y, std::uint16_t value) {
    sprite.Lock();
    ASSERT_NE(sprite.pixels(), nullptr);
    reinterpret_cast<std::uint16_t*>(reinterpret_cast<std::uint8_t*>(sprite.pixels()) + y * sprite.pitch())[x] = value;
}

inline void fillPixels(Sprite& sprite, std::uint16_t value) {
    const int rows = sprite.height() * sprite.frameCount();
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < sprite.width(); ++x) setPixel(sprite, x, y, value);
}

inline void setAlpha(Sprite& sprite, int x, int y, std::uint8_t value) {
    sprite.alphaPlane()[y * sprite.width() + x] = value;
}

// A sprite in the current format filled with one value.
inline std::unique_ptr<Sprite> makeSprite(int width, int height, std::uint16_t fill = 0, int frames = 1) {
    auto sprite = std::make_unique<Sprite>();
    EXPECT_TRUE(sprite->createPixels(width, height, frames));
    if (fill != 0) fillPixels(*sprite, fill);
    return sprite;
}

// Every pixel of a sprite's first frame, row by row.
inline std::vector<std::uint16_t> allPixels(const Sprite& sprite) {
    std::vector<std::uint16_t> out;
    for (int y = 0; y < sprite.height(); ++y)
        for (int x = 0; x < sprite.width(); ++x) out.push_back(pixelAt(sprite, x, y));
    return out;
}

// Runs each test in 5-6-5 and restores it afterwards.
class Format565Test : public ::testing::Test {
protected:
    void SetUp() override { setCurrentPixelFormat(format565()); }
    void TearDown() override { setCurrentPixelFormat(format565()); }
};

// Where this suite's error log goes: drawing with hostile arguments makes
// surface calls fail on purpose, and their entries belong in a scratch file,
// not in the working directory.
std::string suiteErrorLogPath();
