#pragma once
// TvaImage: our multi-frame picture file. A TGA-like 18-byte header (header
// word, duration and frame count as little-endian int32, width and height as
// uint16, bits per pixel 24 or 32, descriptor with bit 5 for top-down rows),
// then the frames one after another, each pixel blue, green, red (, alpha).
//
// A file whose size does not match its header is reported (Parse answers 1),
// and frames are read only where the file holds them whole.

#include <cstddef>
#include <cstdint>

#include "graphics/image_file.h"

class TvaImage : public ChannelImageFile {
public:
    static constexpr std::size_t headerSize = 18;

    int LoadFile(const char* path) override;
    int Parse(std::vector<std::uint8_t>&& buffer) override;

    int descriptor() const { return descriptor_; }
    // The frame shown at `time`: (time x frames) / duration, kept within the
    // frames.
    int frameAt(int time) const;

private:
    bool frameSource(int time, SourcePixels& out, SourceChannels& channels) const override;

    int descriptor_ = 0;
};
