#pragma once
// RIFF WAVE files of 16-bit PCM, the form the game's WAV reader and mixer
// take: a "fmt " chunk with the PCM record, then the "data" chunk.

#include <cstdint>
#include <vector>

#include "synth.h"

// Float samples (full scale 1.0) to 16-bit, rounded to the nearest step and
// held inside the range.
std::int16_t toPcm16(float sample);

std::vector<std::uint8_t> encodeWav(const synth::Mono& samples, int rate);
std::vector<std::uint8_t> encodeWav(const synth::Stereo& samples, int rate);
