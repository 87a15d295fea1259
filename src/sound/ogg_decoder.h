#pragma once
// Reads Ogg Vorbis through libvorbisfile as 16-bit signed little-endian PCM.
// Only the file's first logical stream counts: its channels, rate and length
// are the sound's, and a chained file ends where that stream ends. A looping
// read wraps to the first sample without a gap.

#include <cstdio>
#include <memory>

#include "sound/sound_decoder.h"

class OggDecoder : public SoundDecoder {
public:
    OggDecoder();
    ~OggDecoder() override;

    int open(const char* path) override;
    void rewind() override;
    std::uint32_t read(std::uint8_t* buffer, std::uint32_t count, bool loop) override;
    int close(int value) override;

private:
    // Decodes into buffer[delivered, count) until it is full or the stream
    // ends; returns the new delivered count.
    std::uint32_t decodeInto(std::uint8_t* buffer, std::uint32_t delivered, std::uint32_t count);

    struct Stream;
    std::unique_ptr<Stream> stream_;
    std::FILE* file_ = nullptr;
};
