#pragma once
// The 16-bit pixel formats the frame can be composed in, and the one in use.
// Every surface is created in the current format and all software drawing
// works on packed pixels through its channel masks.

#include <cstdint>

#include "platform/backend.h"

struct PixelFormat {
    std::uint8_t redBits, greenBits, blueBits, alphaBits;
    std::uint8_t redShift, greenShift, blueShift, alphaShift;
    std::uint32_t redMask, greenMask, blueMask, alphaMask;
    std::uint32_t bitsPerPixel;
};

// The formats the display chooses from, in order of preference; the last row
// has bits per pixel 0 and ends the table.
inline constexpr int pixelFormatRowCount = 5;
extern const PixelFormat pixelFormatTable[pixelFormatRowCount + 1];

const PixelFormat& currentPixelFormat();
void setCurrentPixelFormat(const PixelFormat& format);

// The surface layout of a 16-bit format; false for any other format.
bool surfaceLayoutOf(const PixelFormat& format, platform::PixelLayout& layout);

// 0x??RRGGBB to a pixel: each channel keeps its top bits.
std::uint16_t colorToPixel(std::uint32_t argb, const PixelFormat& format);

// Expands pixels to 0xFFRRGGBB, widening each channel to 8 bits by repeating
// its top bits, so white stays 0xFF and black stays 0 in every channel.
void convertToArgb8888(const std::uint16_t* source, int sourcePitchBytes, std::uint32_t* target,
                       int targetPitchBytes, int width, int height, const PixelFormat& format);
