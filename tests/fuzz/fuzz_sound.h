#pragma once
// The sound harnesses share one way in: the input becomes a sound file,
// its decoder delivers the PCM a piece at a time as a stream would and once
// more after a rewind, and a format the mixer accepts is played from a
// static buffer for a moment.

#include <algorithm>
#include <memory>
#include <vector>

#include "fuzz_support.h"
#include "platform/mixer.h"
#include "sound/sound_decoder.h"

namespace fuzz {

// Enough PCM for a few pieces of every size a stream asks for, without
// making each input slow (Ogg decoding is most of a harness's time).
constexpr std::uint32_t kPcmLimit = 80 * 1024;

inline void decodeSound(const std::uint8_t* data, std::size_t size, const char* fileName) {
    writeInput(fileName, data, size);
    std::unique_ptr<SoundDecoder> decoder = createDecoder(fileName);
    fuzzCheck(decoder != nullptr);
    if (decoder->open(fileName) != 0) {
        decoder->close(0);
        forgetErrorLog();
        return;
    }
    std::vector<std::uint8_t> pcm(kPcmLimit);
    std::uint32_t delivered = 0;
    for (std::uint32_t piece : {1u, 4096u, 7u, 65536u, kPcmLimit}) {
        const std::uint32_t ask = std::min(piece, kPcmLimit - delivered);
        const std::uint32_t got = decoder->read(pcm.data() + delivered, ask, (size & 1) != 0);
        fuzzCheck(got <= ask);
        delivered += got;
    }
    decoder->rewind();
    fuzzCheck(decoder->position() == 0);
    fuzzCheck(decoder->read(pcm.data(), 4096, false) <= 4096);

    const platform::WaveFormat& format = decoder->format();
    if (platform::isPlayableFormat(format) && delivered >= format.blockAlign && delivered >= platform::DSBSIZE_MIN) {
        static const std::shared_ptr<platform::Mixer> mixer = platform::Mixer::create();
        platform::BufferDescription description;
        description.flags = platform::DSBCAPS_STATIC | platform::DSBCAPS_CTRLFREQUENCY | platform::DSBCAPS_CTRLVOLUME;
        description.bufferBytes = delivered - delivered % format.blockAlign;
        description.format = format;
        std::unique_ptr<platform::SoundBuffer> buffer;
        if (mixer->createBuffer(description, buffer) == platform::DS_OK) {
            platform::BufferRegions regions;
            if (buffer->lock(0, 0, regions, platform::DSBLOCK_ENTIREBUFFER) == platform::DS_OK) {
                fuzzCheck(regions.size1 == description.bufferBytes);
                std::copy_n(pcm.data(), regions.size1, regions.data1);
                buffer->unlock(regions);
            }
            buffer->play(0);
            std::vector<std::int16_t> out(2 * 1024);
            mixer->mix(out.data(), 1024);
        }
    }
    decoder->close(0);
    forgetErrorLog();
}

}  // namespace fuzz
