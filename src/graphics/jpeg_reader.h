#pragma once
// JpegImage: JPEG pictures decoded from memory by libjpeg. The decoder's
// fatal errors jump back into the reader, so a damaged file never ends the
// game: a header that cannot be decoded leaves an empty picture, damage
// further in leaves the rows decoded so far. Pictures too large for us are
// refused from their header, before the decoder allocates anything for them.
//
// Pixels come out red, green, blue (or one grey byte). JPEG pictures never
// use the colour key: their transparency comes only from an alpha image.

#include <cstdint>

#include "graphics/image_file.h"

class JpegImage : public ImageFile {
public:
    int LoadFile(const char* path) override;
    int Parse(std::vector<std::uint8_t>&& buffer) override;
    int ExtractAlpha(std::uint8_t* dest, int time, int bytesPerPixel, int pitch, int bits, int shift, int width,
                     int height) override;
    int ConvertFrame(std::uint8_t* dest, int time, int bytesPerPixel, int pitch, int redBits, int greenBits,
                     int blueBits, int redShift, int greenShift, int blueShift, int width, int height) override;

private:
    bool source(SourcePixels& out) const;
};
