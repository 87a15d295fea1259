#pragma once
// AviImage: the frames of the first video stream of an AVI file, used as an
// animated alpha image. Only uncompressed frames (DIBs) are read; we have no
// codecs, and our own animations are written uncompressed.
//
// A frame is fetched by time, as the animation would show it. A frame chunk
// too short for a whole frame counts as a dropped frame: the frame before it
// stays on screen, as a player would show it.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/bmp_reader.h"
#include "graphics/image_file.h"

class AviImage : public ChannelImageFile {
public:
    int LoadFile(const char* path) override;

    // The sample shown at `time`, before dropped frames are looked past.
    int sampleAt(int time) const;

private:
    struct FrameChunk {
        const std::uint8_t* data;
        std::size_t size;
    };

    bool frameSource(int time, SourcePixels& out, SourceChannels& channels) const override;

    DibFormat format_;
    int framePitch_ = 0;
    std::uint32_t scale_ = 0;
    std::uint32_t rate_ = 0;
    std::vector<FrameChunk> chunks_;
    // For each sample, the last sample at or before it with a whole frame; -1
    // for none.
    std::vector<int> shownSample_;
};
