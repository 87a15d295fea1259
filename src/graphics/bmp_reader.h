#pragma once
// BmpImage: uncompressed BMP files, used as alpha images. Also the DIB
// layout shared with AVI frames, which are DIBs too: a BITMAPINFOHEADER, an
// optional colour table and rows padded to four bytes, bottom-up unless the
// height is negative.
//
// We read 8 (with its colour table), 16 (5-5-5), 24 and 32 bits, without
// compression (bit fields only with the default masks). Anything else is
// refused rather than guessed at.

#include <array>
#include <cstddef>
#include <cstdint>

#include "graphics/image_file.h"

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_BITFIELDS = 3;

struct DibFormat {
    int width = 0;
    int height = 0;  // as stored: positive for bottom-up rows
    int bitsPerPixel = 0;
    std::uint32_t compression = BI_RGB;
    std::uint32_t imageSize = 0;
    int pitch = 0;  // bytes per row, padded to four
    bool hasPalette = false;
    std::array<std::uint8_t, 256 * 3> palette{};  // blue, green, red
};

// Reads a DIB header and what follows it (colour table or bit masks) from the
// start of `data`. False for a layout we do not read or a size beyond our
// limits.
bool readDibFormat(const std::uint8_t* data, std::size_t size, DibFormat& out);

// The rows of a DIB's pixel bits, `pitch` bytes apart, for conversion.
SourcePixels dibSource(const DibFormat& format, const std::uint8_t* bits, std::size_t size, int pitch);

// The bytes a DIB's rows take at `pitch`, the last row without its padding.
std::int64_t dibBytesNeeded(const DibFormat& format, int pitch);

class BmpImage : public ChannelImageFile {
public:
    int LoadFile(const char* path) override;

private:
    bool frameSource(int time, SourcePixels& out, SourceChannels& channels) const override;

    DibFormat format_;
    std::size_t bitsOffset_ = 0;
};
