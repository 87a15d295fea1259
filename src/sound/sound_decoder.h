#pragma once
// Decoders hand a sound its PCM data: the format once, then as many bytes as
// asked for, either all at once for a sound held in memory or piece by piece
// for a streamed one. The file's extension chooses the decoder.

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/sound_buffer.h"

class SoundDecoder {
public:
    virtual ~SoundDecoder() = default;

    // 0 when the file is open and its format known; 1 when it cannot be
    // opened, 2 when its header is not understood.
    virtual int open(const char* path) { (void)path; return 1; }
    // Back to the first byte of the PCM data.
    virtual void rewind() {}
    // Fills `buffer` with up to `count` bytes of PCM; the number delivered.
    // `loop` asks a decoder that can to wrap to the start at the end.
    virtual std::uint32_t read(std::uint8_t* buffer, std::uint32_t count, bool loop) {
        (void)buffer, (void)count, (void)loop;
        return 0;
    }
    // Releases the file; returns `value` so a failing open can end with it.
    virtual int close(int value) { return value; }

    const platform::WaveFormat& format() const { return format_; }
    // Bytes of PCM data, and how many of them have been delivered since the
    // last rewind.
    std::uint32_t length() const { return length_; }
    std::uint32_t position() const { return position_; }

protected:
    platform::WaveFormat format_;
    std::uint32_t length_ = 0;
    std::uint32_t position_ = 0;
};

// A decoder for the file's extension (the text after the last ".", any letter
// case): "wav" or "ogg". None for any other extension or none at all. The
// decoder is not open yet.
std::unique_ptr<SoundDecoder> createDecoder(std::string_view path);
