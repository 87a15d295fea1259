#pragma once
// Reads Ogg Vorbis through libvorbisfile as 16-bit signed little-endian PCM.
// Only the file's first logical stream counts: its channels, rate and length
// are the sound's, and a chained file ends where that stream ends. A looping
// read wraps to the first sample without a gap.
//
// The decoder never seeks: to go back to the start it opens the file again.
// libvorbisfile's seeking can be led by a hostile file into corrupting its
// stream state (libogg then moves a negative number of bytes), while reading
// forward from a fresh open is the path every player of these files takes.
// A short first stream (up to kWholeInMemoryBytes of PCM) is decoded whole
// when it is opened and loops from memory, so a tiny looping file costs one
// decoding, not one opening per pass.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "sound/sound_decoder.h"

class OggDecoder : public SoundDecoder {
public:
    static constexpr std::uint32_t kWholeInMemoryBytes = 64 * 1024;

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
    // Opens path_ and reads its first stream's format and length.
    int openStream();
    // Clears the stream and closes the file, if one is open.
    void releaseFile();

    struct Stream;
    std::unique_ptr<Stream> stream_;
    std::FILE* file_ = nullptr;
    std::string path_;             // opened again to rewind
    bool readSinceOpen_ = false;   // a rewind before any read has nothing to undo
    bool inMemory_ = false;        // the first stream is whole_, the file closed
    std::vector<std::uint8_t> whole_;
};
