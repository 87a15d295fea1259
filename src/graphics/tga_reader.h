#pragma once
// TgaImage: uncompressed TGA pictures of 8 (with a 256-colour palette, or
// grey without one), 16 (5-5-5), 24 and 32 bits, stored bottom-up (the TGA
// default) or top-down (descriptor bit 5).
//
// The reader handles what our pictures use and nothing more: the ID field is
// taken to be empty, the image type uncompressed and a colour map to be 256
// entries of 24 bits. A file whose pixel data is shorter than its header
// claims is refused, so the conversion never reads past the file.

#include <array>
#include <cstddef>
#include <cstdint>

#include "graphics/image_file.h"

class TgaImage : public ChannelImageFile {
public:
    static constexpr std::size_t headerSize = 18;
    static constexpr std::size_t paletteSize = 256 * 3;

    int LoadFile(const char* path) override;
    int Parse(std::vector<std::uint8_t>&& buffer) override;

private:
    // The stored pixels; false when there are none this reader can convert.
    bool frameSource(int time, SourcePixels& out, SourceChannels& channels) const override;

    std::size_t dataOffset_ = headerSize;
    bool hasPalette_ = false;
};
