#include "graphics/pixel_format.h"

namespace {

PixelFormat currentFormat = {5, 6, 5, 0, 11, 5, 0, 0, 0xF800, 0x07E0, 0x001F, 0, 16};

// An n-bit channel (n from 4 to 8) widened to 8 bits by repeating its top
// bits below it, so full scale stays 0xFF.
template <int Bits>
constexpr std::uint32_t widen(std::uint32_t v) {
    if constexpr (Bits == 8) return v;
    else return (v << (8 - Bits)) | (v >> (2 * Bits - 8));
}

template <int RShift, int RBits, int GShift, int GBits, int BShift, int BBits>
void convertRows(const std::uint16_t* source, int sourcePitchBytes, std::uint32_t* target, int targetPitchBytes,
                 int width, int height) {
    constexpr std::uint32_t rMax = (1u << RBits) - 1, gMax = (1u << GBits) - 1, bMax = (1u << BBits) - 1;
    for (int y = 0; y < height; ++y) {
        const std::uint16_t* s = reinterpret_cast<const std::uint16_t*>(
            reinterpret_cast<const std::uint8_t*>(source) + std::int64_t(y) * sourcePitchBytes);
        std::uint32_t* t = reinterpret_cast<std::uint32_t*>(reinterpret_cast<std::uint8_t*>(target) +
                                                            std::int64_t(y) * targetPitchBytes);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = s[x];
            t[x] = 0xFF000000u | (widen<RBits>((p >> RShift) & rMax) << 16) |
                   (widen<GBits>((p >> GShift) & gMax) << 8) | widen<BBits>((p >> BShift) & bMax);
        }
    }
}

}  // namespace

const PixelFormat pixelFormatTable[pixelFormatRowCount + 1] = {
    {5, 6, 5, 0, 11, 5, 0, 0, 0xF800, 0x07E0, 0x001F, 0, 16},
    {5, 5, 5, 0, 10, 5, 0, 0, 0x7C00, 0x03E0, 0x001F, 0, 16},
    {8, 8, 8, 0, 16, 8, 0, 0, 0xFF0000, 0xFF00, 0xFF, 0, 32},
    {8, 8, 8, 8, 16, 8, 0, 24, 0xFF0000, 0xFF00, 0xFF, 0xFF000000, 32},
    {8, 8, 8, 0, 16, 8, 0, 0, 0xFF0000, 0xFF00, 0xFF, 0, 24},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
};

const PixelFormat& currentPixelFormat() { return currentFormat; }

void setCurrentPixelFormat(const PixelFormat& format) { currentFormat = format; }

bool surfaceLayoutOf(const PixelFormat& format, platform::PixelLayout& layout) {
    if (format.bitsPerPixel != 16) return false;
    if (format.greenMask == 0x07E0) layout = platform::PixelLayout::Rgb565;
    else if (format.greenMask == 0x03E0) layout = platform::PixelLayout::Rgb555;
    else return false;
    return true;
}

std::uint16_t colorToPixel(std::uint32_t argb, const PixelFormat& f) {
    const std::uint32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    return std::uint16_t(((r >> (8 - f.redBits)) << f.redShift) | ((g >> (8 - f.greenBits)) << f.greenShift) |
                         ((b >> (8 - f.blueBits)) << f.blueShift));
}

void convertToArgb8888(const std::uint16_t* source, int sourcePitchBytes, std::uint32_t* target,
                       int targetPitchBytes, int width, int height, const PixelFormat& f) {
    if (!source || !target || width <= 0 || height <= 0 || f.bitsPerPixel != 16) return;
    if (f.greenMask == 0x07E0) {
        convertRows<11, 5, 5, 6, 0, 5>(source, sourcePitchBytes, target, targetPitchBytes, width, height);
    } else if (f.greenMask == 0x03E0) {
        convertRows<10, 5, 5, 5, 0, 5>(source, sourcePitchBytes, target, targetPitchBytes, width, height);
    }
}
