#include "graphics/screenshot.h"

#include <png.h>

#include <cstring>
#include <vector>

#include "graphics/pixel_format.h"
#include "graphics/sprite.h"
#include "platform/paths.h"

namespace {

// The format the sprite's pixels are in: its surface's layout, else the
// current format.
PixelFormat formatOf(const Sprite& sprite) {
    if (const platform::Surface16* surface = sprite.lpSurface())
        return surface->layout() == platform::PixelLayout::Rgb555 ? pixelFormatTable[1] : pixelFormatTable[0];
    return currentPixelFormat();
}

}  // namespace

bool readFrameRgb(const Sprite& sprite, std::vector<std::uint8_t>& rgb, int& width, int& height) {
    rgb.clear();
    int pitchBytes = 0;
    const std::uint16_t* pixels = sprite.readablePixels(pitchBytes);
    width = sprite.width();
    height = sprite.height();
    if (!pixels || width <= 0 || height <= 0) return false;
    if (const platform::Surface16* surface = sprite.lpSurface()) {
        if (width > surface->width() || height > surface->height()) return false;
    }

    std::vector<std::uint32_t> argb(std::size_t(width) * std::size_t(height));
    convertToArgb8888(pixels, pitchBytes, argb.data(), width * 4, width, height, formatOf(sprite));
    rgb.resize(argb.size() * 3);
    for (std::size_t i = 0; i < argb.size(); ++i) {
        rgb[i * 3] = std::uint8_t(argb[i] >> 16);
        rgb[i * 3 + 1] = std::uint8_t(argb[i] >> 8);
        rgb[i * 3 + 2] = std::uint8_t(argb[i]);
    }
    return true;
}

bool writeScreenshotPng(const Sprite& sprite, const char* path) {
    if (!path) return false;
    std::vector<std::uint8_t> rgb;
    int width = 0, height = 0;
    if (!readFrameRgb(sprite, rgb, width, height)) return false;

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), width * 3, nullptr)) return false;
    std::vector<std::uint8_t> encoded(size);
    if (!png_image_write_to_memory(&image, encoded.data(), &size, 0, rgb.data(), width * 3, nullptr)) return false;
    return platform::writeFileAtomic(path, encoded.data(), size) == 0;
}
