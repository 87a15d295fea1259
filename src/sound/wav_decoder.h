#pragma once
// Reads the PCM data of a RIFF WAVE file: the format record from the "fmt "
// chunk and the samples of the "data" chunk, both found inside the file's
// first chunk. Neither the form type nor the format tag is checked here: the
// mixer refuses what it cannot play. A WAV stream ends; it never wraps.

#include "platform/riff_reader.h"
#include "sound/sound_decoder.h"

class WavDecoder : public SoundDecoder {
public:
    int open(const char* path) override;
    void rewind() override;
    std::uint32_t read(std::uint8_t* buffer, std::uint32_t count, bool loop) override;
    int close(int value) override;

private:
    platform::RiffReader reader_;
    platform::RiffChunk riff_;
    platform::RiffChunk data_;
};
