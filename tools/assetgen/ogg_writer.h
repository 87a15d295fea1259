#pragma once
// Ogg Vorbis files through libvorbisenc, for the music (and any long sound).
// One logical stream with a fixed serial number, so the same samples always
// give the same bytes; the stream's length is exactly the samples given, so
// a track written as a whole loop wraps without a gap.

#include <cstdint>
#include <string>
#include <vector>

#include "synth.h"

struct OggSettings {
    float quality = 0.4f;  // libvorbis VBR quality, -0.1 .. 1.0
    int serial = 1;
    std::string title;
};

// Empty when the encoder refuses the settings.
std::vector<std::uint8_t> encodeOgg(const synth::Stereo& samples, int rate, const OggSettings& settings);
std::vector<std::uint8_t> encodeOgg(const synth::Mono& samples, int rate, const OggSettings& settings);
